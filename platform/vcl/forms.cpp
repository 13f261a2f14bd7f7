// Forms, the screen, the application object and the message boxes.
#include "platform/vcl/forms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/vcl/backend.h"
#include "platform/vcl/desktop.h"

namespace vcl {

TForm::TForm(TComponent*) {
  form_ = this;
  visible_ = false;
  SetBounds(0, 0, 320 + 8, 240 + 27);
}

TForm::~TForm() {
  // Controls go before the form's own peer, children before their parents.
  while (!owned_.empty()) owned_.pop_back();
}

void TForm::adopt(std::unique_ptr<TControl> control, const AnsiString& name, TWinControl* parent) {
  TControl* raw = control.get();
  raw->SetName(name);
  raw->AttachTo(parent ? parent : this, this);
  controls_.push_back(raw);
  owned_.push_back(std::move(control));
  if (materialized_) raw->Materialize();
}

void TForm::Realize() {
  Materialize();
  materialized_ = true;
  for (TControl* c : controls_) c->Materialize();
  Realign();
}

TControl* TForm::FindControl(const AnsiString& name) const {
  for (TControl* c : controls_)
    if (rtl::AnsiSameText(c->Name(), name)) return c;
  return nullptr;
}

int TForm::FrameWidth() const {
  switch (border_style_) {
    case bsNone: return 0;
    case bsSizeable: return 4;
    default: return 3;
  }
}

int TForm::CaptionHeight() const { return border_style_ == bsNone ? 0 : 18; }

int TForm::ClientWidth() const { return Width() - 2 * FrameWidth(); }
int TForm::ClientHeight() const { return Height() - 2 * FrameWidth() - CaptionHeight(); }
void TForm::SetClientWidth(int value) { SetWidth(value + 2 * FrameWidth()); }
void TForm::SetClientHeight(int value) { SetHeight(value + 2 * FrameWidth() + CaptionHeight()); }

void TForm::SetBorderStyle(TBorderStyle value) {
  const int cw = ClientWidth(), ch = ClientHeight();
  border_style_ = value;
  SetBounds(Left(), Top(), cw + 2 * FrameWidth(), ch + 2 * FrameWidth() + CaptionHeight());
}

void TForm::SetBorderIcons(TBorderIcons value) {
  border_icons_ = value;
  Changed();
}

void TForm::SetWindowState(TWindowState value) {
  window_state_ = value;
  if (visible_ && value == wsMaximized)
    SetBounds(0, 0, detail::backend().ScreenWidth(), detail::backend().ScreenHeight());
}

bool TForm::Active() const { return detail::desktop().ActiveForm() == this; }

void TForm::SetVisible(bool visible) {
  if (visible == visible_) {
    if (visible) BringToFront();
    return;
  }
  auto& desk = detail::desktop();
  const bool live = !Application->Terminated();
  if (visible) {
    if (window_state_ == wsMaximized) {
      SetBounds(0, 0, detail::backend().ScreenWidth(), detail::backend().ScreenHeight());
    } else if (position_ == poScreenCenter) {
      SetBounds((detail::backend().ScreenWidth() - Width()) / 2, (detail::backend().ScreenHeight() - Height()) / 2,
                Width(), Height());
    }
    visible_ = true;
    if (live) desk.Fire(this, OnShow, this);
    if (!visible_) return;
    paint_pending_ = true;
    desk.Raise(this);
    Changed();
  } else {
    visible_ = false;
    Changed();
    if (live) desk.Fire(this, OnHide, this);
    desk.Uncovered(this);
  }
  desk.UpdateActive();
}

void TForm::BringToFront() {
  if (!visible_) {
    SetVisible(true);
    return;
  }
  detail::desktop().Raise(this);
  detail::desktop().UpdateActive();
}

void TForm::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  TControl::SetEnabled(enabled);
  detail::desktop().UpdateActive();
}

void TForm::Repaint() {
  paint_pending_ = false;
  if (!visible_ || Application->Terminated()) return;
  detail::desktop().Fire(this, OnPaint, this);
  TControl::Repaint();
}

void TForm::Invalidate() { paint_pending_ = true; }

bool TForm::close_query_and_close(TCloseAction& action) {
  auto& desk = detail::desktop();
  bool can_close = true;
  desk.Fire(this, OnCloseQuery, this, can_close);
  if (!can_close) return false;
  desk.Fire(this, OnClose, this, action);
  return action != caNone;
}

void TForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  TCloseAction action = caHide;
  if (!close_query_and_close(action)) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  if (action == caFree) released_ = true;
  Hide();
}

TModalResult TForm::ShowModal() {
  if (modal_ || visible_ || !enabled_) throw rtl::EInvalidOperation("Cannot make a visible window modal");
  if (Application->Terminated()) return mrCancel;
  auto& desk = detail::desktop();
  std::vector<TForm*> disabled;
  auto disable = [&](TForm* f) {
    if (f != this && f->visible_ && f->enabled_) {
      f->enabled_ = false;
      f->Changed();
      disabled.push_back(f);
    }
  };
  for (TForm* f : Application->Forms()) disable(f);
  for (TForm* f : desk.Boxes()) disable(f);
  modal_ = true;
  modal_result_ = mrNone;
  SetVisible(true);
  desk.EnterLoop();
  while (true) {
    if (Application->Terminated()) {
      modal_result_ = mrCancel;
      break;
    }
    if (modal_result_ != mrNone) {
      TCloseAction action = caHide;
      if (close_query_and_close(action)) {
        if (action == caFree) released_ = true;
        break;
      }
      modal_result_ = mrNone;
      continue;
    }
    desk.Idle();
    if (Application->Terminated() || modal_result_ != mrNone) continue;
    desk.WaitAndDispatch(this);
  }
  desk.LeaveLoop();
  modal_ = false;
  SetVisible(false);
  const auto& alive = Application->Forms();
  const auto& boxes = desk.Boxes();
  for (TForm* f : disabled) {
    if (std::find(alive.begin(), alive.end(), f) == alive.end() && std::find(boxes.begin(), boxes.end(), f) == boxes.end())
      continue;
    f->enabled_ = true;
    f->Changed();
  }
  desk.UpdateActive();
  return modal_result_;
}

// ---------------------------------------------------------------------------------------

int TScreen::Width() const { return detail::backend().ScreenWidth(); }
int TScreen::Height() const { return detail::backend().ScreenHeight(); }

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  detail::backend().SetCursor(cursor);
}

TForm* TScreen::ActiveForm() const { return detail::desktop().ActiveForm(); }

// ---------------------------------------------------------------------------------------

TApplication::TApplication() : desktop_(std::make_unique<detail::Desktop>(*this)) {}

TApplication::~TApplication() {
  // Forms hold pointers into one another through handlers; none runs from here on.
  forms_.clear();
}

void TApplication::Initialize() {
  detail::backend();
  if (const char* log = std::getenv("SETUP_LOG"); log && *log) desktop_->OpenLog(log);
  if (const char* record = std::getenv("SETUP_RECORD"); record && *record) desktop_->OpenRecord(record);
  if (const char* script = std::getenv("SETUP_SCRIPT"); script && *script) desktop_->LoadScript(script);
}

void TApplication::add_form(std::unique_ptr<TForm> form) {
  TForm* raw = form.get();
  forms_.push_back(std::move(form));
  if (!main_form_) main_form_ = raw;
  if (raw->Name().empty()) {
    AnsiString name = raw->ClassName();
    if (name.size() > 1 && name[0] == 'T') name.erase(0, 1);
    raw->SetName(name);
  }
  raw->Realize();
  desktop_->Fire(raw, raw->OnCreate, raw);
}

std::vector<TForm*> TApplication::Forms() const {
  std::vector<TForm*> out;
  for (const auto& f : forms_)
    if (!f->released_) out.push_back(f.get());
  return out;
}

void TApplication::Run() {
  if (!main_form_) return;
  main_form_->SetVisible(true);
  desktop_->EnterLoop();
  while (!terminated_) {
    desktop_->Idle();
    if (terminated_) break;
    desktop_->WaitAndDispatch(main_form_);
  }
  desktop_->LeaveLoop();
}

void TApplication::Terminate() { terminated_ = true; }

void TApplication::HandleException(TObject* sender, const rtl::Exception& e) {
  if (OnException) {
    try {
      OnException(sender, e);
      return;
    } catch (const rtl::Exception& inner) {
      ShowException(inner);
      return;
    } catch (const std::exception& inner) {
      ShowException(rtl::Exception(inner.what()));
      return;
    }
  }
  ShowException(e);
}

void TApplication::ShowException(const rtl::Exception& e) {
  AnsiString message = e.Message;
  if (!message.empty() && message.back() != '.') message += '.';
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

// ---------------------------------------------------------------------------------------

namespace {

// The box of MessageBox and MessageDlg: a text, an optional icon and a row of buttons.
class TMessageForm : public TForm {
 public:
  struct ButtonSpec {
    const char* name;
    AnsiString caption;
    TModalResult result;
  };

  TMessageForm(const AnsiString& caption, const AnsiString& text, const std::vector<ButtonSpec>& buttons,
               const char* cancel_name, int icon) {
    SetName("MessageBox");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetCaption(caption);
    auto& be = detail::backend();
    const int line_height = be.MeasureText(GetFont(), "Wg").height;
    const std::vector<AnsiString> lines = wrap(text, 420);
    int text_width = 0;
    for (const auto& line : lines) text_width = std::max(text_width, be.MeasureText(GetFont(), line).width);
    const int icon_space = icon ? 32 + 16 : 0;
    const int text_left = 12 + icon_space;
    const int text_height = std::max(static_cast<int>(lines.size()), 1) * line_height;
    const int button_width = 75, button_gap = 6;
    const int row = static_cast<int>(buttons.size()) * button_width + (static_cast<int>(buttons.size()) - 1) * button_gap;
    const int width = std::max({text_left + text_width + 16, row + 24, 120});
    const int text_top = icon ? 16 + std::max(0, (32 - text_height) / 2) : 16;
    const int buttons_top = std::max(text_top + text_height, icon ? 48 : 0) + 16;
    SetClientWidth(width);
    SetClientHeight(buttons_top + 23 + 12);
    if (icon) {
      auto* image = Make<TImage>("");
      image->SetBounds(12, 16, 32, 32);
      image->Picture()->SetBitmap(32, 32, icon_pixels(icon));
    }
    int top = text_top;
    for (const auto& line : lines) {
      auto* label = Make<TLabel>("");
      label->SetLeft(text_left);
      label->SetTop(top);
      label->SetCaption(line);
      top += line_height;
    }
    int left = (width - row) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      auto* button = Make<TButton>(buttons[i].name);
      button->SetBounds(left, buttons_top, button_width, 23);
      button->SetCaption(buttons[i].caption);
      button->SetModalResult(buttons[i].result);
      button->SetDefault(i == 0);
      button->SetCancel(cancel_name && AnsiString(buttons[i].name) == cancel_name);
      if (i == 0) SetActiveControl(button);
      left += button_width + button_gap;
    }
    Realize();
  }

 private:
  // Breaks at spaces so that no line is wider than `limit` pixels; line feeds are kept.
  std::vector<AnsiString> wrap(const AnsiString& text, int limit) {
    std::vector<AnsiString> out;
    auto& be = detail::backend();
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == AnsiString::npos) end = text.size();
      AnsiString paragraph = text.substr(start, end - start);
      if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
      AnsiString line;
      std::size_t pos = 0;
      while (pos <= paragraph.size()) {
        std::size_t space = paragraph.find(' ', pos);
        if (space == AnsiString::npos) space = paragraph.size();
        const AnsiString word = paragraph.substr(pos, space - pos);
        const AnsiString candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && be.MeasureText(GetFont(), candidate).width > limit) {
          out.push_back(line);
          line = word;
        } else {
          line = candidate;
        }
        pos = space + 1;
      }
      out.push_back(line);
      start = end + 1;
    }
    return out;
  }

  // The classic stop, question, warning and information marks, drawn as small bitmaps.
  static std::vector<std::uint32_t> icon_pixels(int icon) {
    std::vector<std::uint32_t> px(32 * 32, 0x00000000);
    std::uint32_t fill = 0xFFFF0000, mark = 0xFFFFFFFF;
    if (icon == MB_ICONQUESTION || icon == MB_ICONINFORMATION) fill = 0xFFFFFFFF, mark = 0xFF0000FF;
    if (icon == MB_ICONWARNING) fill = 0xFFFFFF00, mark = 0xFF000000;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const int dx = x - 15, dy = y - 15;
        const int d2 = dx * dx + dy * dy;
        if (d2 <= 15 * 15) px[static_cast<std::size_t>(y * 32 + x)] = d2 >= 14 * 14 ? 0xFF000000 : fill;
      }
    auto put = [&](int x, int y) {
      if (x >= 0 && x < 32 && y >= 0 && y < 32) px[static_cast<std::size_t>(y * 32 + x)] = mark;
    };
    if (icon == MB_ICONSTOP) {
      for (int i = -7; i <= 7; ++i)
        for (int t = -1; t <= 1; ++t) put(15 + i + t, 15 + i), put(15 + i + t, 15 - i);
    } else {
      for (int y = 7; y <= 19; ++y)
        for (int x = 14; x <= 17; ++x) put(x, y);
      for (int y = 22; y <= 25; ++y)
        for (int x = 14; x <= 17; ++x) put(x, y);
    }
    return px;
  }
};

int run_box(const AnsiString& caption, const AnsiString& text, const std::vector<TMessageForm::ButtonSpec>& buttons,
            const char* cancel_name, int icon) {
  if (Application->Terminated()) return mrCancel;
  auto& desk = detail::desktop();
  TMessageForm box(caption, text, buttons, cancel_name, icon);
  desk.OpenBox(&box, text);
  TModalResult result = mrCancel;
  try {
    result = box.ShowModal();
  } catch (...) {
    desk.CloseBox(&box);
    throw;
  }
  desk.CloseBox(&box);
  return result;
}

}  // namespace

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, int flags) {
  const int icon = flags & 0xF0;
  if ((flags & 0x0F) == MB_YESNO)
    return run_box(caption, text, {{"Yes", "&Yes", mrYes}, {"No", "&No", mrNo}}, nullptr, icon);
  if ((flags & 0x0F) == MB_OKCANCEL)
    return run_box(caption, text, {{"OK", "OK", mrOk}, {"Cancel", "Cancel", mrCancel}}, "Cancel", icon);
  return run_box(caption, text, {{"OK", "OK", mrOk}}, "OK", icon);
}

TModalResult MessageDlg(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  static const int icons[] = {MB_ICONWARNING, MB_ICONSTOP, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  std::vector<TMessageForm::ButtonSpec> specs;
  if (buttons & mbYes) specs.push_back({"Yes", "&Yes", mrYes});
  if (buttons & mbNo) specs.push_back({"No", "&No", mrNo});
  if (buttons & mbOK) specs.push_back({"OK", "OK", mrOk});
  if (buttons & mbCancel) specs.push_back({"Cancel", "Cancel", mrCancel});
  if (specs.empty()) specs.push_back({"OK", "OK", mrOk});
  const char* cancel = (buttons & mbCancel) ? "Cancel" : (buttons & mbNo) ? "No" : (buttons & mbOK) ? "OK" : nullptr;
  return run_box(captions[type], message, specs, cancel, icons[type]);
}

// ---------------------------------------------------------------------------------------

namespace {

// Application and Screen live until the process ends: destroying them at exit would
// race the renderer's own teardown.
alignas(TApplication) unsigned char app_storage[sizeof(TApplication)];
alignas(TScreen) unsigned char screen_storage[sizeof(TScreen)];

TApplication* make_application() { return ::new (app_storage) TApplication(); }
TScreen* make_screen() { return ::new (screen_storage) TScreen(); }

}  // namespace

TApplication* Application = make_application();
TScreen* Screen = make_screen();

namespace detail {

Desktop& desktop() { return Application->GetDesktop(); }

void reset_application() {
  Application->~TApplication();
  Screen->~TScreen();
  Application = make_application();
  Screen = make_screen();
}

}  // namespace detail

void Halt(int code) {
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace vcl
