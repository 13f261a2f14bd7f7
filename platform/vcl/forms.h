// Forms, the screen and the application object, with the platform's window semantics.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/rtl/drive_directory.h"
#include "platform/vcl/controls.h"

namespace vcl {

namespace detail {
class Desktop;
}  // namespace detail

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;
enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMaximized };

// A window. Visual inheritance is C++ inheritance: a page derives from its template,
// whose constructor makes the controls; handlers bound with Bind() call virtual members,
// so a derived page's override of the same name replaces the template's handler.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;

  // Makes a named control owned by this form, inside `parent` (the form by default).
  template <class T>
  T* Make(const AnsiString& name, TWinControl* parent = nullptr) {
    static_assert(std::is_base_of_v<TControl, T>);
    auto control = std::make_unique<T>();
    T* raw = control.get();
    adopt(std::move(control), name, parent);
    return raw;
  }

  // Binds a member handler of the form's class (or an ancestor) to an event.
  template <class C, class R, class... A>
  std::function<R(A...)> Bind(R (C::*handler)(A...)) {
    C* self = static_cast<C*>(this);
    return [self, handler](A... args) -> R { return (self->*handler)(std::forward<A>(args)...); };
  }

  // Creates the on-screen counterparts of the form and its controls (CreateForm does).
  void Realize();

  // The control of that name on this form, or nullptr.
  TControl* FindControl(const AnsiString& name) const;
  const std::vector<TControl*>& AllControls() const { return controls_; }

  // Shows the form and runs a loop until ModalResult is set (then OnCloseQuery and
  // OnClose run; caNone keeps it open) or the application terminates. Disables the forms
  // visible and enabled at the call and enables them again at the end.
  // Raises EInvalidOperation when the form is visible, disabled or already modal.
  TModalResult ShowModal();
  // Modal: sets ModalResult to mrCancel. Otherwise runs OnCloseQuery and OnClose and acts
  // on the close action; closing the main form terminates the application.
  void Close();
  // Makes the form visible and brings it to the front.
  void BringToFront();
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  // OnPaint at once (and the drawing), as the platform's Repaint does.
  void Repaint() override;
  // OnPaint when the loop is next idle.
  void Invalidate();

  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult value) { modal_result_ = value; }
  bool Modal() const { return modal_; }
  bool Active() const;

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState value);
  // The control that gets the focus when the form is shown; the focused one afterwards.
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control) { active_control_ = control; }
  // Frame thickness and title bar height of the current border style.
  int FrameWidth() const;
  int CaptionHeight() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  // Every time the form becomes the active form: when shown, made visible again, and
  // when a modal form, message box or dialog above it closes.
  TNotifyEvent OnActivate;
  // When shown, when something that covered it closes, and on Repaint.
  TNotifyEvent OnPaint;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 private:
  friend class TApplication;
  friend class TWinControl;
  friend class TControl;
  friend class detail::Desktop;
  void adopt(std::unique_ptr<TControl> control, const AnsiString& name, TWinControl* parent);
  bool close_query_and_close(TCloseAction& action);
  std::vector<std::unique_ptr<TControl>> owned_;
  std::vector<TControl*> controls_;
  TModalResult modal_result_ = mrNone;
  bool modal_ = false;
  bool released_ = false;
  bool materialized_ = false;
  bool paint_pending_ = false;
  TBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TWindowState window_state_ = wsNormal;
  TWinControl* active_control_ = nullptr;
  TWinControl* focused_ = nullptr;
};

class TScreen : public TComponent {
 public:
  int Width() const;
  int Height() const;
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // The topmost visible, enabled form (an open message box counts), or nullptr.
  TForm* ActiveForm() const;

 private:
  TCursor cursor_ = crDefault;
};

// Receives the installation choices for the dump's "choices" object.
class TChoicesWriter {
 public:
  virtual ~TChoicesWriter() = default;
  virtual void AddString(const char* name, const AnsiString& value) = 0;
  virtual void AddBoolean(const char* name, bool value) = 0;
  virtual void AddInteger(const char* name, long long value) = 0;
};

using TExceptionEvent = std::function<void(TObject* Sender, const rtl::Exception& E)>;

inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_ICONSTOP = 0x10;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONWARNING = 0x30;
inline constexpr int MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Starts the renderer and reads SETUP_SCREEN, SETUP_SCRIPT, SETUP_RECORD and SETUP_LOG.
  // A script that cannot be read or a record file that cannot be written ends the
  // program with exit status 3.
  void Initialize();

  // Creates a form of class T, stores it in `reference`, then runs its OnCreate. The first
  // form created is the main form.
  template <class T>
  void CreateForm(T*& reference) {
    auto form = std::make_unique<T>(this);
    reference = form.get();
    add_form(std::move(form));
  }

  // Shows the main form and runs the message loop until Terminate.
  void Run();
  // Every loop ends as soon as the running handler returns, innermost first, with no
  // close handlers and no further activation or painting.
  void Terminate();
  bool Terminated() const { return terminated_; }

  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& title) { title_ = title; }
  TForm* MainForm() const { return main_form_; }
  // Every form created, in creation order.
  std::vector<TForm*> Forms() const;

  // A modal box; returns IDOK, IDYES or IDNO (IDCANCEL when the application terminated).
  int MessageBox(const AnsiString& text, const AnsiString& caption, int flags = MB_OK);

  // Errors that leave an event handler; by default an error box.
  TExceptionEvent OnException;
  void HandleException(TObject* sender, const rtl::Exception& e);
  void ShowException(const rtl::Exception& e);

  // The machine behind the drive and directory controls (not owned).
  void SetDriveDirectoryProvider(const rtl::DriveDirectoryProvider* provider) { drives_ = provider; }
  const rtl::DriveDirectoryProvider* DriveDirectoryProvider() const { return drives_; }
  // Fills the dump's "choices" object.
  void SetChoicesProvider(std::function<void(TChoicesWriter&)> provider) { choices_ = std::move(provider); }
  const std::function<void(TChoicesWriter&)>& ChoicesProvider() const { return choices_; }
  // The window manager behind the application (for the layer itself and its tests).
  detail::Desktop& GetDesktop() { return *desktop_; }

 private:
  friend class TForm;
  friend class TScreen;
  friend class detail::Desktop;
  void add_form(std::unique_ptr<TForm> form);
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  AnsiString title_;
  const rtl::DriveDirectoryProvider* drives_ = nullptr;
  std::function<void(TChoicesWriter&)> choices_;
  std::unique_ptr<detail::Desktop> desktop_;
};

// The application object and the screen, as the platform has them.
extern TApplication* Application;
extern TScreen* Screen;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using TMsgDlgButtons = unsigned;
inline constexpr TMsgDlgButtons mbYes = 1;
inline constexpr TMsgDlgButtons mbNo = 2;
inline constexpr TMsgDlgButtons mbOK = 4;
inline constexpr TMsgDlgButtons mbCancel = 8;

// The confirmation box; returns mrYes, mrNo, mrOk or mrCancel.
TModalResult MessageDlg(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons, int help_context = 0);

// Ends the process at once with `code` (the record file is complete).
[[noreturn]] void Halt(int code);

}  // namespace vcl
