// The standard controls' state and the behaviour of their properties.
#include "platform/vcl/controls.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "platform/vcl/backend.h"
#include "platform/vcl/desktop.h"
#include "platform/vcl/forms.h"

namespace vcl {

AnsiString TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : mangled;
  std::free(demangled);
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

void TFont::changed() {
  if (observer_) observer_();
}
void TFont::SetName(const AnsiString& name) { name_ = name; changed(); }
void TFont::SetSize(int points) { size_ = points; changed(); }
void TFont::SetStyle(TFontStyles style) { style_ = style; changed(); }
void TFont::SetColor(TColor color) { color_ = color; changed(); }
void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  size_ = other.size_;
  style_ = other.style_;
  color_ = other.color_;
  changed();
}
bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && size_ == other.size_ && style_ == other.style_ && color_ == other.color_;
}

void TPicture::SetBitmap(int width, int height, std::vector<std::uint32_t> pixels) {
  if (width < 0 || height < 0 || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    throw rtl::Exception("Invalid bitmap");
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
  if (observer_) observer_();
}

void TPicture::LoadFromFile(const std::string& host_path) {
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  if (!detail::backend().DecodeImage(host_path, w, h, pixels)) throw rtl::EInOutError(2);
  SetBitmap(w, h, std::move(pixels));
}

// ---------------------------------------------------------------------------------------

TControl::TControl() {
  font_.SetObserver([this] { FontChanged(); });
}

TControl::~TControl() = default;

void TControl::AttachTo(TWinControl* parent, TForm* form) {
  parent_ = parent;
  form_ = form;
  if (parent) {
    font_.SetObserver(nullptr);
    font_.Assign(parent->font_);
    font_.SetObserver([this] { FontChanged(); });
    int order = 0;
    for (TControl* sibling : parent->children_)
      if (dynamic_cast<TWinControl*>(sibling)) ++order;
    parent->children_.push_back(this);
    if (auto* win = dynamic_cast<TWinControl*>(this)) win->tab_order_ = order;
  }
}

void TControl::Materialize() {
  if (peer_) return;
  peer_ = detail::backend().CreatePeer(*this);
  peer_->Sync();
}

void TControl::Changed() {
  if (peer_) peer_->Sync();
}

void TControl::FontChanged() { Changed(); }

void TControl::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  Changed();
  if (resized)
    if (auto* win = dynamic_cast<TWinControl*>(this)) win->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return form_ == nullptr || form_->visible_;
}

bool TControl::EnabledInTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->enabled_) return false;
  return form_ == nullptr || form_->enabled_;
}

void TControl::SetCaption(const AnsiString& caption) {
  caption_ = caption;
  Changed();
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::Repaint() {
  if (peer_) peer_->RepaintNow();
}

// ---------------------------------------------------------------------------------------

void TWinControl::SetTabOrder(int order) {
  if (!parent_) {
    tab_order_ = order;
    return;
  }
  std::vector<TWinControl*> siblings;
  for (TControl* c : parent_->children_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w != this) siblings.push_back(w);
  std::stable_sort(siblings.begin(), siblings.end(),
                   [](TWinControl* a, TWinControl* b) { return a->tab_order_ < b->tab_order_; });
  order = std::clamp(order, 0, static_cast<int>(siblings.size()));
  siblings.insert(siblings.begin() + order, this);
  for (std::size_t i = 0; i < siblings.size(); ++i) siblings[i]->tab_order_ = static_cast<int>(i);
}

bool TWinControl::CanFocus() const { return CanFocusKind() && Showing() && EnabledInTree(); }

bool TWinControl::Focused() const { return Form() && Form()->focused_ == this; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw rtl::EInvalidOperation("Cannot focus a disabled or invisible window");
  detail::desktop().MoveFocus(*Form(), this);
}

void TWinControl::Realign() {
  int top = 0, bottom = Height(), left = 0, right = Width();
  if (auto* form = dynamic_cast<TForm*>(this)) {
    bottom = form->ClientHeight();
    right = form->ClientWidth();
  }
  for (TControl* c : children_) {
    switch (c->align_) {
      case alTop:
        c->SetBounds(left, top, right - left, c->height_);
        top += c->height_;
        break;
      case alBottom:
        c->SetBounds(left, bottom - c->height_, right - left, c->height_);
        bottom -= c->height_;
        break;
      case alLeft:
        c->SetBounds(left, top, c->width_, bottom - top);
        left += c->width_;
        break;
      case alRight:
        c->SetBounds(right - c->width_, top, c->width_, bottom - top);
        right -= c->width_;
        break;
      case alClient:
        c->SetBounds(left, top, right - left, bottom - top);
        break;
      case alNone:
        break;
    }
  }
}

// ---------------------------------------------------------------------------------------

TButton::TButton() { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool value) {
  default_ = value;
  Changed();
}

void TButton::Click() {
  if (modal_result_ != mrNone && Form()) Form()->SetModalResult(modal_result_);
  detail::desktop().Fire(this, OnClick, this);
}

int TextWidth(const TFont& font, const AnsiString& text) { return detail::backend().MeasureText(font, text).width; }

TLabel::TLabel() {
  SetBounds(0, 0, 65, 13);
}

void TLabel::adjust_size() {
  if (!auto_size_) return;
  const auto size = detail::backend().MeasureText(GetFont(), Caption());
  int left = Left();
  if (alignment_ == taRightJustify) left = Left() + Width() - size.width;
  SetBounds(left, Top(), size.width, size.height);
}

void TLabel::SetCaption(const AnsiString& caption) {
  TControl::SetCaption(caption);
  adjust_size();
}

void TLabel::FontChanged() {
  adjust_size();
  Changed();
}

void TLabel::SetAutoSize(bool value) {
  auto_size_ = value;
  adjust_size();
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Changed();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Changed();
}

TEdit::TEdit() {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
}

void TEdit::SetText(const AnsiString& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
  detail::desktop().Fire(this, OnChange, this);
}

void TEdit::SetReadOnly(bool value) {
  read_only_ = value;
  Changed();
}

TMemo::TMemo() : Lines(&lines_) {
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  lines_.SetObserver([this] { Changed(); });
}

void TMemo::SetReadOnly(bool value) { read_only_ = value; Changed(); }
void TMemo::SetScrollBars(TScrollStyle value) { scroll_bars_ = value; Changed(); }
void TMemo::SetBorderStyle(TBorderStyle value) { border_style_ = value; Changed(); }
void TMemo::SetWordWrap(bool value) { word_wrap_ = value; Changed(); }

TCheckBox::TCheckBox() { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  Changed();
}

void TCheckBox::Toggle() {
  checked_ = !checked_;
  Changed();
  detail::desktop().Fire(this, OnClick, this);
}

void TCheckBox::SetAlignment(TAlignment value) {
  alignment_ = value;
  Changed();
}

TItemsControl::TItemsControl() : Items(&items_) {
  items_.SetObserver([this] { ItemsChanged(); });
}

void TItemsControl::ItemsChanged() {
  if (item_index_ >= Items->Count()) item_index_ = -1;
  Changed();
}

void TItemsControl::SetItemIndex(int index) {
  if (index < -1 || index >= Items->Count()) index = -1;
  item_index_ = index;
  Changed();
}

TComboBox::TComboBox() {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  style_ = value;
  Changed();
}

void TComboBox::SetItemIndex(int index) {
  // No selection empties the edit part too, whatever the style, as the platform's
  // combo box does when its selection is set to none.
  text_ = index >= 0 && index < Items->Count() ? Items->Strings(index) : AnsiString();
  TItemsControl::SetItemIndex(index);
}

void TComboBox::SetText(const AnsiString& text) {
  const int index = Items->IndexOf(text);
  if (style_ == csDropDownList && index < 0) return;
  text_ = text;
  item_index_ = index;
  Changed();
}

void TComboBox::ItemsChanged() {
  if (item_index_ >= Items->Count() && style_ == csDropDownList) text_.clear();
  TItemsControl::ItemsChanged();
}

TListBox::TListBox() {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
}

TRadioGroup::TRadioGroup() { SetBounds(0, 0, 185, 105); }

TGroupBox::TGroupBox() {
  SetBounds(0, 0, 185, 105);
  SetTabStop(false);
}

TPanel::TPanel() {
  SetBounds(0, 0, 185, 41);
  SetTabStop(false);
}

void TPanel::SetBevelOuter(TBevelCut value) { bevel_outer_ = value; Changed(); }
void TPanel::SetBevelInner(TBevelCut value) { bevel_inner_ = value; Changed(); }
void TPanel::SetAlignment(TAlignment value) { alignment_ = value; Changed(); }

TImage::TImage() {
  SetBounds(0, 0, 105, 105);
  picture_.SetObserver([this] { Changed(); });
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  Changed();
}

TProgressBar::TProgressBar() {
  SetBounds(0, 0, 150, 16);
  SetTabStop(false);
}

void TProgressBar::SetMin(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  SetPosition(position_);
  Changed();
}

void TProgressBar::SetMax(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  SetPosition(position_);
  Changed();
}

void TProgressBar::SetPosition(int value) {
  value = std::clamp(value, min_, max_);
  if (value == position_) return;
  position_ = value;
  Changed();
  Repaint();
}

// ---------------------------------------------------------------------------------------

namespace {

const rtl::DriveDirectoryProvider* drives() { return Application ? Application->DriveDirectoryProvider() : nullptr; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

AnsiString root_of(char letter) { return AnsiString(1, upper(letter)) + ":\\"; }

// Splits "C:\A\B" into {"C:\", "A", "B"}.
std::vector<AnsiString> components(const AnsiString& path) {
  std::vector<AnsiString> out;
  if (path.size() < 2) return out;
  out.push_back(path.substr(0, 2) + "\\");
  std::size_t pos = 3;
  while (pos < path.size()) {
    const std::size_t end = std::min(path.find('\\', pos), path.size());
    if (end > pos) out.push_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return out;
}

AnsiString join(const std::vector<AnsiString>& parts, std::size_t count) {
  AnsiString out;
  for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
    if (i > 1) out += "\\";
    out += parts[i];
  }
  return out;
}

// Absolute, backslashed, with "." and ".." resolved and no trailing backslash but a root's.
AnsiString normalize(const AnsiString& base, AnsiString path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  const bool absolute = path.size() >= 2 && path[1] == ':';
  std::vector<AnsiString> parts = components(absolute ? path.substr(0, 2) + "\\" : base);
  if (parts.empty()) return {};
  AnsiString rest = absolute ? (path.size() > 2 ? path.substr(2) : AnsiString()) : path;
  if (!rest.empty() && rest[0] == '\\') parts.resize(1);
  std::size_t pos = 0;
  while (pos <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', pos), rest.size());
    const AnsiString part = rest.substr(pos, end - pos);
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  return join(parts, parts.size());
}

}  // namespace

TDriveComboBox::TDriveComboBox() {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
}

void TDriveComboBox::AttachTo(TWinControl* parent, TForm* form) {
  TWinControl::AttachTo(parent, form);
  refresh();
}

void TDriveComboBox::refresh() {
  drives_.clear();
  if (const auto* provider = drives()) drives_ = provider->Drives();
  if (drive_ == 0 && !drives_.empty()) {
    drive_ = drives_.front().Letter;
    for (const auto& d : drives_)
      if (d.Letter == 'c') drive_ = 'c';
  }
}

std::vector<AnsiString> TDriveComboBox::ItemTexts() const {
  std::vector<AnsiString> out;
  for (const auto& d : drives_) {
    AnsiString text = AnsiString(1, lower(d.Letter)) + ":";
    if (!d.VolumeName.empty()) text += " [" + d.VolumeName + "]";
    out.push_back(text);
  }
  return out;
}

int TDriveComboBox::ItemIndex() const {
  for (std::size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i].Letter == drive_) return static_cast<int>(i);
  return -1;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (dir_list_) dir_list_->drive_list_ = nullptr;
  dir_list_ = list;
  if (list) {
    list->drive_list_ = this;
    list->load_if_needed();
    if (list->Drive()) drive_ = lower(list->Drive());
  }
  Changed();
}

void TDriveComboBox::SetDrive(char letter) {
  letter = lower(letter);
  if (drives_.empty()) refresh();
  const bool known = std::any_of(drives_.begin(), drives_.end(), [&](const auto& d) { return d.Letter == letter; });
  if (!known) throw rtl::EInOutError(15);
  if (letter == drive_) return;
  drive_ = letter;
  Changed();
  if (dir_list_) dir_list_->SetDrive(letter);
  detail::desktop().Fire(this, OnChange, this);
}

TDirectoryListBox::TDirectoryListBox() {
  SetBounds(0, 0, 145, 97);
  SetColor(clWindow);
}

void TDirectoryListBox::AttachTo(TWinControl* parent, TForm* form) {
  TWinControl::AttachTo(parent, form);
  load_if_needed();
}

void TDirectoryListBox::load_if_needed() {
  if (!directory_.empty()) return;
  const auto* provider = drives();
  if (!provider) return;
  char start = 0;
  for (const auto& d : provider->Drives()) {
    if (!provider->DriveReady(d.Letter)) continue;
    if (start == 0 || (d.Kind == rtl::DriveKind::Fixed && start != 'c')) start = d.Letter;
    if (d.Letter == 'c') start = 'c';
  }
  if (start != 0) navigate(root_of(start), true);
}

void TDirectoryListBox::navigate(const AnsiString& path, bool from_drive_list) {
  const auto* provider = drives();
  if (!provider || path.size() < 3) throw rtl::EInOutError(3);
  if (!provider->DriveReady(lower(path[0]))) throw rtl::EInOutError(21);
  if (!provider->DirectoryExists(path)) throw rtl::EInOutError(3);
  if (!directory_.empty()) {
    const char old_drive = lower(directory_[0]);
    auto it = std::find_if(drive_dirs_.begin(), drive_dirs_.end(), [&](const auto& p) { return p.first == old_drive; });
    if (it == drive_dirs_.end()) drive_dirs_.emplace_back(old_drive, directory_);
    else it->second = directory_;
  }
  directory_ = path;
  const auto parts = components(path);
  items_.clear();
  for (std::size_t i = 0; i < parts.size(); ++i) items_.push_back(i == 0 ? AnsiString(1, lower(path[0])) + ":\\" : parts[i]);
  current_index_ = static_cast<int>(items_.size()) - 1;
  try {
    for (const auto& sub : provider->SubDirectories(path)) items_.push_back(sub);
  } catch (const rtl::Exception&) {
    // A folder that cannot be listed still shows its own path.
  }
  if (drive_list_ && !from_drive_list && lower(path[0]) != drive_list_->drive_) {
    drive_list_->drive_ = lower(path[0]);
    drive_list_->Changed();
  }
  Changed();
}

AnsiString TDirectoryListBox::ExpandedPath(const AnsiString& path) const {
  return normalize(directory_.empty() ? AnsiString("C:\\") : directory_, path);
}

void TDirectoryListBox::SetDirectory(const AnsiString& path) {
  load_if_needed();
  const AnsiString full = ExpandedPath(path);
  if (full == directory_) return;
  navigate(full, false);
  detail::desktop().Fire(this, OnChange, this);
}

void TDirectoryListBox::SetDrive(char letter) {
  load_if_needed();
  if (!directory_.empty() && lower(directory_[0]) == lower(letter)) return;
  AnsiString target = root_of(letter);
  for (const auto& [drive, dir] : drive_dirs_)
    if (drive == lower(letter)) target = dir;
  navigate(target, true);
  detail::desktop().Fire(this, OnChange, this);
}

AnsiString TDirectoryListBox::ItemPath(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  const auto parts = components(directory_);
  if (index <= current_index_) return join(parts, static_cast<std::size_t>(index) + 1);
  AnsiString base = directory_;
  if (base.back() != '\\') base += "\\";
  return base + items_[static_cast<std::size_t>(index)];
}

}  // namespace vcl
