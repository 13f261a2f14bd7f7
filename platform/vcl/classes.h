// The GUI layer's foundations: objects, named components, events, colours, fonts, pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/ansi.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"

namespace vcl {

using rtl::AnsiString;
using rtl::TStringList;
using rtl::TStrings;

class TObject {
 public:
  virtual ~TObject() = default;
  // The most derived class's name without namespaces ("TfrmMain", "TButton").
  AnsiString ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
 public:
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& name) { name_ = name; }
  int Tag = 0;

 private:
  AnsiString name_;
};

// 0x00BBGGRR as on the platform; values with the high bit set name a system colour.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnText = 0x80000012;

using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

// A control's font. Defaults to the platform's dialog font, "MS Sans Serif" 8 point.
class TFont {
 public:
  const AnsiString& Name() const { return name_; }
  int Size() const { return size_; }
  TFontStyles Style() const { return style_; }
  TColor Color() const { return color_; }
  void SetName(const AnsiString& name);
  void SetSize(int points);
  void SetStyle(TFontStyles style);
  void SetColor(TColor color);
  void Assign(const TFont& other);
  bool operator==(const TFont& other) const;

  // For the control that uses the font.
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  void changed();
  AnsiString name_ = "MS Sans Serif";
  int size_ = 8;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  std::function<void()> observer_;
};

// A bitmap held as 0xAARRGGBB pixels, row by row.
class TPicture {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  void SetBitmap(int width, int height, std::vector<std::uint32_t> pixels);
  // Any image format the renderer reads (BMP, PNG); raises EInOutError when unreadable.
  void LoadFromFile(const std::string& host_path);
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::function<void()> observer_;
};

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crHourGlass = -11;

}  // namespace vcl
