// Lists of ANSI strings with change notification.
#include "platform/rtl/strings.h"

#include "platform/rtl/exceptions.h"

namespace rtl {

TStrings& TStrings::operator=(const TStrings& other) {
  Assign(other);
  return *this;
}

void TStrings::changed() {
  if (observer_) observer_();
  if (OnChange) OnChange();
}

int TStrings::Add(const AnsiString& s) {
  items_.push_back(s);
  changed();
  return Count() - 1;
}

void TStrings::Insert(int index, const AnsiString& s) {
  if (index < 0 || index > Count()) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, s);
  changed();
}

void TStrings::Delete(int index) {
  Strings(index);
  items_.erase(items_.begin() + index);
  changed();
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  changed();
}

const AnsiString& TStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<std::size_t>(index)];
}

void TStrings::SetString(int index, const AnsiString& s) {
  Strings(index);
  items_[static_cast<std::size_t>(index)] = s;
  changed();
}

int TStrings::IndexOf(const AnsiString& s) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)] == s) return i;
  return -1;
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  items_ = other.items_;
  changed();
}

AnsiString TStrings::Text() const {
  AnsiString out;
  for (const auto& line : items_) out += line + "\r\n";
  return out;
}

void TStrings::SetText(const AnsiString& text) {
  items_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == AnsiString::npos) {
      items_.push_back(text.substr(start));
      break;
    }
    items_.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  changed();
}

}  // namespace rtl
