// What the GUI layer asks of its renderer; the Qt implementation lives in qt/.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/vcl/classes.h"

namespace vcl {
class TControl;
class TForm;
}  // namespace vcl

namespace vcl::detail {

// The on-screen counterpart of one control or form.
class Peer {
 public:
  virtual ~Peer() = default;
  // Takes every property of the control as it is now.
  virtual void Sync() = 0;
  // Draws at once, without waiting for an event loop.
  virtual void RepaintNow() = 0;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<Peer> CreatePeer(TControl& control) = 0;
  // Size of a single line of text in a font; '&' accelerators are not counted.
  virtual TextSize MeasureText(const TFont& font, const AnsiString& text) = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Stacks the visible forms bottom to top.
  virtual void Restack(const std::vector<TForm*>& bottom_to_top) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // Writes a PNG of the whole virtual screen; false when the file cannot be written.
  virtual bool SaveShot(const std::string& path) = 0;
  virtual bool DecodeImage(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels) = 0;
  // True with a real display, where a person can take over when the script ends.
  virtual bool HasDisplay() const = 0;
  // Lets the window system draw (no input is taken).
  virtual void Flush() = 0;
  // Waits until the person does something; the actions arrive in script syntax.
  // Empty when the person closed the screen window.
  virtual std::optional<std::string> WaitForPerson() = 0;
  // Test hooks: what a person's mouse or keyboard produces, through the real widgets.
  virtual void SimulateClick(TControl& control, int item = -1, bool double_click = false) = 0;
  virtual void SimulateKeys(TControl& control, const std::string& utf8_text) = 0;
  virtual std::deque<std::string>& PersonActions() = 0;
};

// The renderer, started on first use (QT_QPA_PLATFORM=offscreen without a display).
Backend& backend();
// The virtual screen's size: SETUP_SCREEN=WxH, else 1024x768.
void screen_size_from_env(int& width, int& height);

}  // namespace vcl::detail
