// Stacking, activation, painting and the user actions of scripts and of the person.
#include "platform/vcl/desktop.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/vcl/backend.h"

namespace vcl::detail {
namespace {

FailureHandler& failure_handler() {
  static FailureHandler handler;
  return handler;
}

bool intersects(const TForm& a, const TForm& b) {
  return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
         b.Top() < a.Top() + a.Height();
}

std::string trim(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  const auto end = s.find_last_not_of(" \t\r\n");
  return s.substr(begin, end - begin + 1);
}

// The next space-separated word of `rest`, which keeps what follows one space after it.
std::string next_word(std::string& rest) {
  const auto end = rest.find(' ');
  std::string word = rest.substr(0, end);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  return word;
}

bool parse_int(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  value = std::stoi(text);
  return true;
}

// The letter after a single '&' of a caption, upper-cased; 0 when there is none.
char accelerator(const AnsiString& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

// Focusable controls of a form in tab order.
void tab_order(const TWinControl& parent, std::vector<TWinControl*>& out) {
  std::vector<TWinControl*> wins;
  for (TControl* c : parent.Children())
    if (auto* w = dynamic_cast<TWinControl*>(c)) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* w : wins) {
    if (w->CanFocus() && w->TabStop()) out.push_back(w);
    tab_order(*w, out);
  }
}

}  // namespace

void set_failure_handler(FailureHandler handler) { failure_handler() = std::move(handler); }

bool takes_typing(const TControl& control) {
  if (auto* edit = dynamic_cast<const TEdit*>(&control)) return !edit->ReadOnly();
  auto* combo = dynamic_cast<const TComboBox*>(&control);
  return combo && combo->Style() == csDropDown;
}

Desktop::Desktop(TApplication& app) : app_(app) {}

Desktop::~Desktop() {
  if (record_) std::fclose(record_);
  if (log_) std::fclose(log_);
}

void Desktop::Raise(TForm* form) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), form), stack_.end());
  stack_.push_back(form);
  std::vector<TForm*> visible;
  for (TForm* f : stack_)
    if (f->Visible()) visible.push_back(f);
  backend().Restack(visible);
}

void Desktop::Forget(TForm* form) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), form), stack_.end());
  if (active_ == form) active_ = nullptr;
}

void Desktop::CloseBox(TForm* box) {
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    if (boxes_[i] == box) {
      boxes_.erase(boxes_.begin() + static_cast<long>(i));
      box_texts_.erase(box_texts_.begin() + static_cast<long>(i));
      break;
    }
  Forget(box);
}

TForm* Desktop::ActiveForm() const {
  for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
    if ((*it)->Visible() && (*it)->Enabled() && !(*it)->released_) return *it;
  return nullptr;
}

void Desktop::UpdateActive() {
  TForm* now = ActiveForm();
  if (now == active_) return;
  TForm* before = active_;
  active_ = now;
  if (before) before->Changed();
  if (!now) return;
  now->Changed();
  if (app_.Terminated()) return;
  FocusInitial(*now);
  if (active_ == now) Fire(now, now->OnActivate, now);
}

void Desktop::Uncovered(TForm* form) {
  const auto it = std::find(stack_.begin(), stack_.end(), form);
  for (auto below = stack_.begin(); below != it && below != stack_.end(); ++below)
    if ((*below)->Visible() && intersects(**below, *form)) (*below)->paint_pending_ = true;
}

void Desktop::Idle() {
  // A handler may invalidate again; a bounded number of rounds keeps the loop live.
  for (int round = 0; round < 8 && !app_.Terminated(); ++round) {
    bool any = false;
    const std::vector<TForm*> order = stack_;
    for (TForm* f : order) {
      if (app_.Terminated()) break;
      if (std::find(stack_.begin(), stack_.end(), f) == stack_.end()) continue;
      if (f->Visible() && f->paint_pending_) {
        any = true;
        f->Repaint();
      }
    }
    if (!any) break;
  }
  for (const auto& f : app_.forms_)
    if (f->released_) Forget(f.get());
}

void Desktop::MoveFocus(TForm& form, TWinControl* to) {
  if (form.focused_ == to) return;
  TWinControl* before = form.focused_;
  form.focused_ = to;
  if (to) form.active_control_ = to;
  if (before) Fire(before, before->OnExit, before);
  if (to) Fire(to, to->OnEnter, to);
}

void Desktop::FocusInitial(TForm& form) {
  if (form.focused_ && form.focused_->CanFocus()) return;
  TWinControl* target = form.active_control_ && form.active_control_->CanFocus() ? form.active_control_ : nullptr;
  if (!target) {
    std::vector<TWinControl*> order;
    tab_order(form, order);
    if (!order.empty()) target = order.front();
  }
  if (target) MoveFocus(form, target);
}

// ---------------------------------------------------------------------------------------

void Desktop::LoadScript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "setup: cannot read the script %s\n", path.c_str());
    if (failure_handler()) return failure_handler()(3, "cannot read the script " + path);
    Halt(3);
  }
  script_path_ = path;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) queue_.push_back({line, path, ++number, nullptr});
}

void Desktop::OpenRecord(const std::string& path) {
  record_ = std::fopen(path.c_str(), "w");
  if (!record_) {
    std::fprintf(stderr, "setup: cannot write the record file %s (SETUP_RECORD)\n", path.c_str());
    if (failure_handler()) return failure_handler()(3, "cannot write the record file " + path);
    Halt(3);
  }
  std::fputs("# recorded session\n", record_);
  std::fflush(record_);
}

void Desktop::OpenLog(const std::string& path) { log_ = std::fopen(path.c_str(), "w"); }

void Desktop::Log(const std::string& text) {
  if (!log_) return;
  std::fprintf(log_, "%s\n", text.c_str());
  std::fflush(log_);
}

void Desktop::record(const std::string& line) {
  if (!record_) return;
  std::fprintf(record_, "%s\n", line.c_str());
  std::fflush(record_);
}

void Desktop::Enqueue(const std::string& line) {
  queue_.push_back({line, "test", static_cast<int>(queue_.size()) + 1, nullptr});
}

void Desktop::EnqueueProbe(std::function<void()> probe) { queue_.push_back({"", "test", 0, std::move(probe)}); }

void Desktop::fail(const ActionItem& item, const std::string& message) {
  TForm* active = ActiveForm();
  std::string text = "setup: script error";
  if (item.number > 0) text += " at " + item.source + ":" + std::to_string(item.number);
  if (!item.line.empty()) text += " \"" + trim(item.line) + "\"";
  text += ": " + message + " (active form: " + (active ? rtl::ansi_to_utf8(active->Name()) : std::string("none")) + ")";
  Log(text);
  if (failure_handler()) return failure_handler()(3, text);
  std::fprintf(stderr, "%s\n", text.c_str());
  Halt(3);
}

void Desktop::WaitAndDispatch(TForm* waiting) {
  if (backend().HasDisplay()) backend().Flush();
  ActionItem item;
  auto& person = backend().PersonActions();
  if (!queue_.empty()) {
    item = std::move(queue_.front());
    queue_.pop_front();
  } else if (!person.empty()) {
    item = {person.front(), "person", 0, nullptr};
    person.pop_front();
  } else if (backend().HasDisplay()) {
    auto line = backend().WaitForPerson();
    if (!line) {
      app_.Terminate();
      return;
    }
    item = {*line, "person", 0, nullptr};
  } else {
    TForm* form = ActiveForm();
    if (!form) form = waiting;
    const std::string name = form ? rtl::ansi_to_utf8(form->Name()) : std::string("none");
    fail({}, (script_path_.empty() ? "no script, and " : "the script ended while ") + name + " waits for input");
    return;
  }
  if (item.probe) {
    item.probe();
    return;
  }
  // Leading blanks and the line end go; trailing blanks may be part of a typed text.
  std::string line = item.line;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  line.erase(0, line.find_first_not_of(" \t"));
  if (line.empty() || line[0] == '#') return;
  std::string error;
  if (!Execute(line, error)) fail(item, error);
}

bool Desktop::Execute(const std::string& line_in, std::string& error) {
  std::string rest = line_in;
  const std::string verb = next_word(rest);
  TForm* form = ActiveForm();

  if (verb == "shot" || verb == "dump") {
    const std::string file = trim(rest);
    if (file.empty()) return error = "missing file name", false;
    if (verb == "shot") {
      for (TForm* f : stack_)
        if (f->Visible()) f->Changed();
      if (!backend().SaveShot(file)) return error = "cannot write " + file, false;
    } else {
      WriteDump(file, error);
      if (!error.empty()) return false;
    }
    return true;
  }

  static const char* const known[] = {"click", "select", "dblclick", "type", "clear", "key", "focus", "drive", "dir", "close"};
  if (std::find_if(std::begin(known), std::end(known), [&](const char* k) { return verb == k; }) == std::end(known))
    return error = "unknown action \"" + verb + "\"", false;
  if (!form) return error = "no form is active", false;

  if (verb == "key") {
    const std::string key = trim(rest);
    if (key.empty() || key.find(' ') != std::string::npos) return error = "malformed key", false;
    return execute_key(*form, key, error);
  }
  if (verb == "close") {
    if (!trim(rest).empty()) return error = "close takes no argument", false;
    if (form->BorderStyle() == bsNone || !(form->BorderIcons() & biSystemMenu))
      return error = "the active form has no close box", false;
    // A box's close box is its Escape key, which records itself.
    if (!boxes_.empty() && boxes_.back() == form) return execute_key(*form, "Escape", error);
    record(line_in);
    form->Close();
    return true;
  }

  const std::string name = next_word(rest);
  if (name.empty()) return error = "missing control name", false;
  if (verb != "type") rest = trim(rest);
  TControl* control = form->FindControl(rtl::utf8_to_ansi(name));
  if (!control) return error = "no control " + name + " on the active form", false;
  if (!control->Showing()) return error = name + " is not visible", false;
  if (!control->EnabledInTree()) return error = name + " is disabled", false;
  auto* win = dynamic_cast<TWinControl*>(control);
  auto focus = [&] {
    if (win && win->CanFocus()) MoveFocus(*form, win);
  };

  if (verb == "click") {
    if (!rest.empty()) return error = "click takes one control", false;
    if (!dynamic_cast<TButton*>(control) && !dynamic_cast<TCheckBox*>(control))
      return error = name + " cannot be clicked", false;
    record(line_in);
    click(*form, *control);
    return true;
  }

  if (verb == "select" || verb == "dblclick") {
    int index = 0;
    if (!parse_int(rest, index)) return error = "malformed index", false;
    auto* items = dynamic_cast<TItemsControl*>(control);
    auto* dirs = dynamic_cast<TDirectoryListBox*>(control);
    const int count = items ? items->Items->Count() : dirs ? static_cast<int>(dirs->ItemTexts().size()) : -1;
    if (count < 0 || (verb == "dblclick" && !dynamic_cast<TListBox*>(control) && !dirs))
      return error = name + " has no items to " + (verb == "select" ? "select" : "double-click"), false;
    if (index >= count) return error = "no item " + std::to_string(index) + " in " + name, false;
    record(line_in);
    focus();
    if (dirs) {
      if (verb == "dblclick") Guard(dirs, [&] { dirs->SetDirectory(dirs->ItemPath(index)); });
      return true;
    }
    Guard(control, [&] {
      if (auto* radio = dynamic_cast<TRadioGroup*>(control)) {
        pick(*radio, index);
      } else if (auto* combo = dynamic_cast<TComboBox*>(control)) {
        combo->SetItemIndex(index);
        Fire(combo, combo->OnClick, combo);
        Fire(combo, combo->OnChange, combo);
      } else {
        items->SetItemIndex(index);
        Fire(items, items->OnClick, items);
        if (verb == "dblclick") Fire(items, items->OnDblClick, items);
      }
    });
    return true;
  }

  if (verb == "type" || verb == "clear") {
    auto* edit = dynamic_cast<TEdit*>(control);
    auto* combo = dynamic_cast<TComboBox*>(control);
    if (!takes_typing(*control)) return error = name + " takes no typing", false;
    if (verb == "clear" && !rest.empty()) return error = "clear takes one control", false;
    if (verb == "type" && rest.empty()) return error = "missing text", false;
    record(line_in);
    focus();
    Guard(control, [&] {
      auto set = [&](const AnsiString& text) {
        if (edit) {
          edit->SetText(text);
        } else {
          combo->SetText(text);
          Fire(combo, combo->OnChange, combo);
        }
      };
      if (verb == "clear") {
        if (!(edit ? edit->Text() : combo->Text()).empty()) set("");
        return;
      }
      for (std::size_t pos = 0; pos < rest.size();) {
        const char32_t code = rtl::detail::decode_utf8(rest, pos);
        const int byte = rtl::detail::cp1252_from_unicode(code);
        if (byte <= 0 || code == U'\n' || code == U'\r') {
          Log("refused keystroke U+" + std::to_string(static_cast<unsigned long>(code)));
          continue;
        }
        const AnsiString current = edit ? edit->Text() : combo->Text();
        if (edit && edit->MaxLength() > 0 && static_cast<int>(current.size()) >= edit->MaxLength()) continue;
        set(current + static_cast<char>(byte));
      }
    });
    return true;
  }

  if (verb == "focus") {
    if (!rest.empty()) return error = "focus takes one control", false;
    if (!win || !win->CanFocus()) return error = name + " cannot take the focus", false;
    record(line_in);
    MoveFocus(*form, win);
    return true;
  }

  if (verb == "drive") {
    auto* combo = dynamic_cast<TDriveComboBox*>(control);
    if (!combo) return error = name + " is not a drive list", false;
    const std::string letter = rest;
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) return error = "malformed drive letter", false;
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter[0])));
    bool listed = false;
    for (const auto& text : combo->ItemTexts()) listed = listed || text[0] == lower;
    if (!listed) return error = "no drive " + letter + " in " + name, false;
    record(line_in);
    focus();
    Guard(combo, [&] { combo->SetDrive(lower); });
    return true;
  }

  if (verb == "dir") {
    auto* dirs = dynamic_cast<TDirectoryListBox*>(control);
    if (!dirs) return error = name + " is not a directory list", false;
    const AnsiString path = rtl::utf8_to_ansi(rest);
    if (path.empty()) return error = "missing folder", false;
    const auto* provider = app_.DriveDirectoryProvider();
    if (!provider || !provider->DirectoryExists(dirs->ExpandedPath(path))) return error = "no folder " + rest + " to open in " + name, false;
    record(line_in);
    focus();
    Guard(dirs, [&] { dirs->SetDirectory(path); });
    return true;
  }
  return error = "unknown action \"" + verb + "\"", false;
}

bool Desktop::click(TForm& form, TControl& control) {
  if (auto* button = dynamic_cast<TButton*>(&control)) {
    MoveFocus(form, button);
    Guard(button, [&] { button->Click(); });
    return true;
  }
  if (auto* check = dynamic_cast<TCheckBox*>(&control)) {
    MoveFocus(form, check);
    Guard(check, [&] { check->Toggle(); });
    return true;
  }
  return false;
}

void Desktop::pick(TRadioGroup& radio, int index) {
  const bool changed = radio.ItemIndex() != index;
  radio.SetItemIndex(index);
  if (changed) Fire(&radio, radio.OnClick, &radio);
}

bool Desktop::execute_key(TForm& form, const std::string& key, std::string& error) {
  auto find_button = [&](auto pred) -> TButton* {
    for (TControl* c : form.AllControls())
      if (auto* b = dynamic_cast<TButton*>(c); b && pred(*b) && b->Showing() && b->EnabledInTree()) return b;
    return nullptr;
  };
  const std::string line = "key " + key;
  if (key == "Escape") {
    record(line);
    if (TButton* b = find_button([](TButton& b) { return b.Cancel(); })) Guard(b, [&] { b->Click(); });
    return true;
  }
  if (key == "Enter") {
    record(line);
    TWinControl* focused = form.focused_;
    if (auto* b = dynamic_cast<TButton*>(focused); b && b->CanFocus()) {
      Guard(b, [&] { b->Click(); });
    } else if (dynamic_cast<TMemo*>(focused)) {
      // A memo keeps the Enter key for itself.
    } else if (TButton* d = find_button([](TButton& b) { return b.Default(); })) {
      Guard(d, [&] { d->Click(); });
    }
    return true;
  }
  if (key == "Tab") {
    record(line);
    std::vector<TWinControl*> order;
    tab_order(form, order);
    if (order.empty()) return true;
    auto it = std::find(order.begin(), order.end(), form.focused_);
    TWinControl* next = (it == order.end() || std::next(it) == order.end()) ? order.front() : *std::next(it);
    MoveFocus(form, next);
    return true;
  }
  if (key == "Backspace") {
    record(line);
    if (auto* edit = dynamic_cast<TEdit*>(form.focused_); edit && !edit->ReadOnly() && !edit->Text().empty())
      Guard(edit, [&] { edit->SetText(edit->Text().substr(0, edit->Text().size() - 1)); });
    return true;
  }
  if (key.size() == 5 && key.compare(0, 4, "Alt+") == 0 && std::isalnum(static_cast<unsigned char>(key[4]))) {
    record(line);
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key[4])));
    for (TControl* c : form.AllControls()) {
      if (!c->Showing() || !c->EnabledInTree()) continue;
      auto* win = dynamic_cast<TWinControl*>(c);
      if (accelerator(c->Caption()) == letter) {
        if (!click(form, *c) && win) {
          std::vector<TWinControl*> order;
          tab_order(*win, order);
          if (!order.empty()) MoveFocus(form, order.front());
        }
        return true;
      }
      if (auto* radio = dynamic_cast<TRadioGroup*>(c)) {
        for (int i = 0; i < radio->Items->Count(); ++i) {
          if (accelerator(radio->Items->Strings(i)) != letter) continue;
          MoveFocus(form, radio);
          pick(*radio, i);
          return true;
        }
      }
    }
    return true;
  }
  return error = "unknown key \"" + key + "\"", false;
}

}  // namespace vcl::detail
