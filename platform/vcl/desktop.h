// The window manager of the GUI layer: stacking, activation, painting, the loops and the
// queue of user actions that scripts and the person at the screen fill.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/forms.h"

namespace vcl::detail {

// One user action in script syntax, or a test's probe that runs in its place.
struct ActionItem {
  std::string line;  // UTF-8, as written in the script
  std::string source;  // file name, "person" or "test"
  int number = 0;
  std::function<void()> probe;
};

// What ends the program on a script error; tests replace it to observe the message.
using FailureHandler = std::function<void(int status, const std::string& message)>;
void set_failure_handler(FailureHandler handler);

// Whether text can be typed into the control: an edit that is not read-only, or a combo
// box with an edit part.
bool takes_typing(const TControl& control);

class Desktop {
 public:
  explicit Desktop(TApplication& app);
  ~Desktop();

  // Stacking and activation.
  void Raise(TForm* form);
  void Forget(TForm* form);
  TForm* ActiveForm() const;
  // Fires OnActivate when the active form changed to a form.
  void UpdateActive();
  // Marks the visible forms under `form` that it overlapped for painting.
  void Uncovered(TForm* form);
  const std::vector<TForm*>& Stack() const { return stack_; }
  const std::vector<TForm*>& Boxes() const { return boxes_; }
  void OpenBox(TForm* box, const AnsiString& text) {
    boxes_.push_back(box);
    box_texts_.push_back(text);
  }
  void CloseBox(TForm* box);

  // The loop's two steps: pending paints and releases, then one user action.
  void Idle();
  void WaitAndDispatch(TForm* waiting);
  int LoopDepth() const { return loop_depth_; }
  void EnterLoop() { ++loop_depth_; }
  void LeaveLoop() { --loop_depth_; }

  // Focus inside a form: OnExit of the old control, OnEnter of the new one.
  void MoveFocus(TForm& form, TWinControl* to);
  void FocusInitial(TForm& form);

  // Input: scripts, a test's queue, the person.
  void LoadScript(const std::string& path);
  void OpenRecord(const std::string& path);
  void OpenLog(const std::string& path);
  void Enqueue(const std::string& line);
  void EnqueueProbe(std::function<void()> probe);
  // Carries out one action line as a person would; false with `error` when it cannot.
  bool Execute(const std::string& line, std::string& error);
  void Log(const std::string& text);
  void WriteDump(const std::string& path, std::string& error);
  std::string DumpJson();

  // Runs an operation the way a control's window would: an exception that leaves it goes
  // to Application's handling instead of stopping the caller.
  template <class F>
  void Guard(TObject* sender, F&& operation) {
    try {
      operation();
    } catch (const rtl::Exception& e) {
      app_.HandleException(sender, e);
    } catch (const std::exception& e) {
      app_.HandleException(sender, rtl::Exception(e.what()));
    }
  }
  // Runs an event handler, when one is bound, under Guard.
  template <class F, class... A>
  void Fire(TObject* sender, const F& event, A&&... args) {
    if (event) Guard(sender, [&] { event(std::forward<A>(args)...); });
  }

 private:
  void fail(const ActionItem& item, const std::string& message);
  void record(const std::string& line);
  bool execute_key(TForm& form, const std::string& key, std::string& error);
  // What a person's click does to a button (press) or check box (toggle), the focus moving
  // there first; false for any other control.
  bool click(TForm& form, TControl& control);
  // A person's choice of a radio button: OnClick only when the choice changes.
  void pick(TRadioGroup& radio, int index);
  TApplication& app_;
  std::vector<TForm*> stack_;  // bottom to top, every form ever shown
  std::vector<TForm*> boxes_;
  std::vector<AnsiString> box_texts_;
  TForm* active_ = nullptr;
  int loop_depth_ = 0;
  std::deque<ActionItem> queue_;
  std::FILE* record_ = nullptr;
  std::FILE* log_ = nullptr;
  std::string script_path_;
};

// The desktop of the current Application.
Desktop& desktop();
// Replaces Application and Screen with fresh objects (tests run many in one process).
void reset_application();

}  // namespace vcl::detail
