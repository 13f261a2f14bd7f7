// Lists of ANSI strings with change notification, as memo lines and list items hold them.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/ansi.h"
#include "platform/rtl/exceptions.h"

namespace rtl {

// An index outside the list.
class EStringListError : public Exception {
  using Exception::Exception;
};

class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings& other) : items_(other.items_) {}
  TStrings& operator=(const TStrings& other);
  virtual ~TStrings() = default;

  int Add(const AnsiString& s);
  void Insert(int index, const AnsiString& s);
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EStringListError for an index outside 0..Count-1, as the runtime does.
  const AnsiString& Strings(int index) const;
  void SetString(int index, const AnsiString& s);
  const AnsiString& operator[](int index) const { return Strings(index); }
  // Exact, case-sensitive match; -1 when absent.
  int IndexOf(const AnsiString& s) const;
  void Assign(const TStrings& other);
  // The lines joined, each followed by CR LF.
  AnsiString Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(const AnsiString& text);
  const std::vector<AnsiString>& Items() const { return items_; }

  // Fires after every change. It is the list's user's to set: the control that shows the
  // list redraws through its own hook below, so replacing this one cannot stop that.
  std::function<void()> OnChange;
  // For the control that shows the list.
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  void changed();
  std::vector<AnsiString> items_;
  std::function<void()> observer_;
};

class TStringList : public TStrings {};

}  // namespace rtl
