// The window semantics pages rely on: modal loops, closing, activation, painting,
// inheritance, keys, events of code-set properties and errors in handlers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/vcl/backend.h"
#include "platform/vcl/desktop.h"
#include "tests/platform/vcl/test_forms.h"
#include "tests/support/temp_dir.h"

using namespace vcl;
using namespace rtl::literals;

namespace {

struct ScriptFailure {
  std::string message;
};

class Vcl : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    detail::reset_application();
    detail::set_failure_handler([](int, const std::string& message) { throw ScriptFailure{message}; });
  }
  void TearDown() override { detail::reset_application(); }

  static TForm* form(const char* name, int left = 100, int top = 100, int width = 200, int height = 100) {
    TForm* f = nullptr;
    Application->CreateForm(f);
    f->SetName(name);
    f->SetBorderStyle(bsSingle);
    f->SetBorderIcons(biSystemMenu);
    f->SetBounds(left, top, width, height);
    return f;
  }
  static void act(const std::string& line) { detail::desktop().Enqueue(line); }
  static void probe(std::function<void()> f) { detail::desktop().EnqueueProbe(std::move(f)); }
  // Runs the loop until the queue and the person's actions are used up, which headless is
  // a script failure naming the form that waits.
  static void run_until_nobody_acts(const std::string& waiting) {
    try {
      Application->Run();
      FAIL() << "the loop returned";
    } catch (const ScriptFailure& failure) {
      EXPECT_NE(failure.message.find(waiting + " waits for input"), std::string::npos) << failure.message;
    }
  }
  // The main form opens `first` modally on its first activation.
  static void open_on_start(TForm* main, TForm* first, TModalResult* result = nullptr) {
    main->OnActivate = [first, result, once = false](TObject*) mutable {
      if (once) return;
      once = true;
      const TModalResult r = first->ShowModal();
      if (result) *result = r;
    };
  }
};

TEST_F(Vcl, TerminateUnwindsNestedModalLoopsInnermostFirstWithoutCloseHandlers) {
  TForm* main = form("frmMain");
  TForm* a = form("frmA");
  TForm* b = form("frmB");
  std::vector<std::string> log;
  a->Make<TButton>("btnA")->OnClick = [&](TObject*) {
    const TModalResult r = b->ShowModal();
    log.push_back("B returned " + std::to_string(r));
  };
  b->Make<TButton>("btnB")->OnClick = [&](TObject*) {
    Application->Terminate();
    log.push_back("terminate requested");
  };
  for (TForm* f : {a, b}) f->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close handler"); };
  TModalResult a_result = -1;
  open_on_start(main, a, &a_result);
  act("click btnA");
  act("click btnB");
  Application->Run();
  EXPECT_EQ(log, (std::vector<std::string>{"terminate requested", "B returned 2"}));
  EXPECT_EQ(a_result, mrCancel);
  EXPECT_FALSE(a->Visible());
  EXPECT_FALSE(b->Visible());
}

TEST_F(Vcl, ModalFormDisablesOnlyFormsVisibleAndEnabledAtTheCall) {
  TForm* main = form("frmMain", 0, 0, 600, 400);
  TForm* other = form("frmOther", 10, 10);
  TForm* dialog = form("frmDialog", 300, 300);
  TForm* later = form("frmLater", 500, 500);
  main->OnActivate = [&, once = false](TObject*) mutable {
    if (once) return;
    once = true;
    other->Show();
    dialog->ShowModal();
  };
  probe([&] {
    EXPECT_FALSE(main->Enabled());
    EXPECT_FALSE(other->Enabled());
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(Screen->ActiveForm(), dialog);
    EXPECT_THROW(dialog->ShowModal(), rtl::EInvalidOperation);
    later->Show();
    EXPECT_TRUE(later->Enabled());
    EXPECT_EQ(Screen->ActiveForm(), later);
    dialog->SetModalResult(mrOk);
  });
  probe([&] {
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(main->Enabled());
    EXPECT_TRUE(other->Enabled());
    EXPECT_TRUE(later->Enabled());
    EXPECT_THROW(other->ShowModal(), rtl::EInvalidOperation);
    Application->Terminate();
  });
  Application->Run();
}

TEST_F(Vcl, CloseActsOnTheCloseAction) {
  struct Row {
    TCloseAction action;
    bool modal;
    bool stays_visible;
    bool released;
  };
  const Row rows[] = {
      {caNone, true, true, false},  {caHide, true, false, false}, {caFree, true, false, true},
      {caNone, false, true, false}, {caHide, false, false, false}, {caFree, false, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.action) + (row.modal ? " modal" : " modeless"));
    detail::reset_application();
    TForm* main = form("frmMain", 0, 0, 800, 600);
    TForm* dialog = form("frmDialog", 300, 300);
    int closes = 0;
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
      ++closes;
      action = row.action;
    };
    main->OnActivate = [&, once = false](TObject*) mutable {
      if (once) return;
      once = true;
      if (row.modal) dialog->ShowModal();
      else dialog->Show();
    };
    act("close");
    probe([&] {
      EXPECT_EQ(closes, 1);
      EXPECT_EQ(dialog->Visible(), row.stays_visible);
      EXPECT_EQ(dialog->Modal(), row.modal && row.stays_visible);
      const auto forms = Application->Forms();
      EXPECT_EQ(std::find(forms.begin(), forms.end(), dialog) == forms.end(), row.released);
      Application->Terminate();
    });
    Application->Run();
  }
}

TEST_F(Vcl, ClosingTheMainFormTerminates) {
  TForm* main = form("frmMain");
  act("close");
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Application->MainForm(), main);
}

TEST_F(Vcl, OnActivateAndOnPaintFollowAMessageBox) {
  TForm* main = form("frmMain", 0, 0, 800, 600);
  TForm* page = form("frmPage", 200, 200, 400, 300);
  open_on_start(main, page);
  int activations = 0, paints = 0;
  page->OnActivate = [&](TObject*) { ++activations; };
  page->OnPaint = [&](TObject*) { ++paints; };
  page->Make<TButton>("btnAsk")->OnClick = [&](TObject*) { Application->MessageBox("Sure?", "Ask", MB_OK); };
  probe([&] {
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(paints, 1);
  });
  act("click btnAsk");
  probe([&] {
    EXPECT_EQ(Screen->ActiveForm()->Name(), "MessageBox");
    EXPECT_NE(detail::desktop().DumpJson().find(R"({"name":"MessageBox","class":"TMessageForm","caption":"Ask")"),
              std::string::npos);
    EXPECT_EQ(activations, 1);
  });
  act("click OK");
  probe([&] {
    EXPECT_EQ(Screen->ActiveForm(), page);
    EXPECT_EQ(activations, 2);
    EXPECT_EQ(paints, 2);
    Application->Terminate();
  });
  Application->Run();
}

// The record file replays to the same state only when each action is written once: the
// close box of a message box acts as Escape and is recorded as that key alone.
TEST_F(Vcl, ClosingAMessageBoxIsRecordedAsOneEscape) {
  testing_support::TempDir dir;
  const auto record = dir / "record.txt";
  detail::desktop().OpenRecord(record.string());
  TForm* main = form("frmMain", 0, 0, 800, 600);
  int answers = 0;
  main->Make<TButton>("btnAsk")->OnClick = [&](TObject*) {
    Application->MessageBox("Sure?", "Ask", MB_OK);
    ++answers;
  };
  act("click btnAsk");
  act("close");
  probe([&] {
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(Screen->ActiveForm(), main);
    Application->Terminate();
  });
  Application->Run();
  EXPECT_EQ(testing_support::read_file(record), "# recorded session\nclick btnAsk\nkey Escape\n");
}

TEST_F(Vcl, OnPaintFiresOnlyForFormsThatWereCovered) {
  TForm* main = form("frmMain", 0, 0, 100, 100);
  TForm* under = form("frmUnder", 200, 200, 200, 200);
  TForm* apart = form("frmApart", 600, 600, 100, 100);
  TForm* cover = form("frmCover", 300, 300, 200, 200);
  int under_paints = 0, apart_paints = 0;
  under->OnPaint = [&](TObject*) { ++under_paints; };
  apart->OnPaint = [&](TObject*) { ++apart_paints; };
  probe([&] {
    under->Show();
    apart->Show();
    cover->Show();
  });
  probe([&] {
    EXPECT_EQ(under_paints, 1);
    EXPECT_EQ(apart_paints, 1);
    cover->Hide();
  });
  probe([&] {
    EXPECT_EQ(under_paints, 2);
    EXPECT_EQ(apart_paints, 1);
    apart->Repaint();
    EXPECT_EQ(apart_paints, 2);
    Application->Terminate();
  });
  (void)main;
  Application->Run();
}

class TfrmBasePage : public TForm {
 public:
  explicit TfrmBasePage(TComponent* owner) : TForm(owner) {
    btnNext = Make<TButton>("btnNext");
    btnCancel = Make<TButton>("btnCancel");
    btnNext->OnClick = Bind(&TfrmBasePage::btnNextClick);
    btnCancel->OnClick = Bind(&TfrmBasePage::btnCancelClick);
  }
  virtual void btnNextClick(TObject*) { log.push_back("base next"); }
  void btnCancelClick(TObject*) { log.push_back("base cancel"); }
  TButton* btnNext;
  TButton* btnCancel;
  std::vector<std::string> log;
};

class TfrmDerivedPage : public TfrmBasePage {
 public:
  using TfrmBasePage::TfrmBasePage;
  void btnNextClick(TObject*) override { log.push_back("derived next"); }
};

TEST_F(Vcl, DerivedPageReplacesOnlyTheHandlersItOverrides) {
  TfrmBasePage* base = nullptr;
  TfrmDerivedPage* derived = nullptr;
  Application->CreateForm(base);
  Application->CreateForm(derived);
  EXPECT_EQ(base->Name(), "frmBasePage");
  EXPECT_EQ(derived->Name(), "frmDerivedPage");
  EXPECT_EQ(derived->ClassName(), "TfrmDerivedPage");
  base->btnNext->Click();
  derived->btnNext->Click();
  derived->btnCancel->Click();
  EXPECT_EQ(base->log, (std::vector<std::string>{"base next"}));
  EXPECT_EQ(derived->log, (std::vector<std::string>{"derived next", "base cancel"}));
}

TEST_F(Vcl, KeysPressCancelDefaultFocusedAndAcceleratedControls) {
  TForm* f = form("frmKeys", 100, 100, 400, 200);
  std::vector<std::string> log;
  auto button = [&](const char* name, const char* caption) {
    auto* b = f->Make<TButton>(name);
    b->SetCaption(caption);
    b->OnClick = [&log, name](TObject*) { log.push_back(name); };
    return b;
  };
  auto* ok = button("btnOK", "&OK");
  auto* cancel = button("btnCancel", "&Cancel");
  button("btnNext", "&Next >");
  auto* disabled = button("btnHelp", "&Help");
  auto* edit = f->Make<TEdit>("edName");
  auto* check = f->Make<TCheckBox>("cbOpt");
  check->SetCaption("O&ption");
  check->OnClick = [&](TObject*) { log.push_back("cbOpt"); };
  ok->SetDefault(true);
  cancel->SetCancel(true);
  disabled->SetEnabled(false);
  f->SetActiveControl(edit);
  for (const char* line : {"key Enter", "key Escape", "key Alt+n", "key Alt+P", "key Alt+H", "focus edName", "key Enter",
                           "focus btnCancel", "key Enter", "key Tab"})
    act(line);
  probe([&] {
    EXPECT_EQ(log, (std::vector<std::string>{"btnOK", "btnCancel", "btnNext", "cbOpt", "btnOK", "btnCancel"}));
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(static_cast<TWinControl*>(f->FindControl("btnNext"))->Focused());
    Application->Terminate();
  });
  Application->Run();
}

TEST_F(Vcl, PropertiesSetFromCodeRaiseNoUserEvents) {
  TForm* f = form("frmProps", 100, 100, 400, 300);
  int events = 0;
  auto count = [&](TObject*) { ++events; };
  auto* check = f->Make<TCheckBox>("cb");
  auto* radio = f->Make<TRadioGroup>("rg");
  auto* combo = f->Make<TComboBox>("cmb");
  auto* list = f->Make<TListBox>("lb");
  auto* bar = f->Make<TProgressBar>("pb");
  for (TItemsControl* c : {static_cast<TItemsControl*>(radio), static_cast<TItemsControl*>(combo), static_cast<TItemsControl*>(list)}) {
    c->Items->Add("one");
    c->Items->Add("two");
    c->OnClick = count;
  }
  check->OnClick = count;
  combo->OnChange = count;
  check->SetChecked(true);
  radio->SetItemIndex(1);
  combo->SetItemIndex(1);
  combo->SetText("one");
  list->SetItemIndex(0);
  bar->SetPosition(150);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(combo->ItemIndex(), 0);
  radio->Items->Clear();
  EXPECT_EQ(radio->ItemIndex(), -1);
  // Assigning a different text to an edit fires OnChange, as the platform's edit does.
  auto* edit = f->Make<TEdit>("ed");
  edit->OnChange = count;
  edit->SetText("x");
  edit->SetText("x");
  EXPECT_EQ(events, 1);
}

// An index set from code carries the item's text into the edit part, and no selection
// leaves it empty in both styles, so a box never shows an item it does not select.
TEST_F(Vcl, ComboBoxIndexFromCodeSetsTheEditText) {
  TForm* f = form("frmCombo", 100, 100, 400, 300);
  struct Row {
    TComboBoxStyle style;
    int index;
    int expected_index;
    const char* expected_text;
  };
  const Row rows[] = {
      {csDropDown, 1, 1, "two"},     {csDropDown, -1, -1, ""},     {csDropDown, 5, -1, ""},
      {csDropDownList, 0, 0, "one"}, {csDropDownList, -1, -1, ""},
  };
  int made = 0;
  for (const Row& row : rows) {
    auto* combo = f->Make<TComboBox>("cmb" + std::to_string(++made));
    combo->SetStyle(row.style);
    combo->Items->Add("one");
    combo->Items->Add("two");
    combo->SetItemIndex(0);
    combo->SetItemIndex(row.index);
    EXPECT_EQ(combo->ItemIndex(), row.expected_index) << "style " << row.style << ", index " << row.index;
    EXPECT_EQ(combo->Text(), row.expected_text) << "style " << row.style << ", index " << row.index;
  }
}

TEST_F(Vcl, TypingFiresOneChangePerKeystrokeAndRefusesCharactersOutsideTheCodePage) {
  TForm* f = form("frmType", 100, 100, 400, 300);
  auto* edit = f->Make<TEdit>("edName");
  auto* radio = f->Make<TRadioGroup>("rgKind");
  radio->Items->Add("a");
  radio->Items->Add("b");
  int changes = 0, clicks = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  radio->OnClick = [&](TObject*) { ++clicks; };
  act("type edName R\xC3\xA4tsel \xCE\xA9\xE2\x82\xAC");  // "Rätsel Ω€"
  probe([&] {
    EXPECT_EQ(edit->Text(), "R\xE4tsel \x80");
    EXPECT_EQ(changes, 8);
  });
  act("clear edName");
  act("clear edName");
  act("select rgKind 1");
  act("select rgKind 1");
  probe([&] {
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(changes, 9);
    EXPECT_EQ(clicks, 1);
    Application->Terminate();
  });
  Application->Run();
}

// A blank is typed like any other character: the person's space bar arrives as a line that
// ends in one, and a script line's text keeps its trailing blanks up to the line end.
TEST_F(Vcl, TypedTextKeepsItsTrailingBlanks) {
  TForm* f = form("frmBlanks", 100, 100, 300, 200);
  auto* edit = f->Make<TEdit>("edName");
  auto* other = f->Make<TEdit>("edOther");
  act("type edName R\xC3\xA4tsel  \r");
  act("focus edOther  ");
  probe([&] {
    EXPECT_EQ(edit->Text(), "R\xE4tsel  ");
    EXPECT_TRUE(other->Focused());
    auto& be = detail::backend();
    be.PersonActions().clear();
    be.SimulateKeys(*other, " x ");
  });
  // The person's keys run once the test's queue is empty; then nobody is left to act.
  run_until_nobody_acts("frmBlanks");
  EXPECT_EQ(other->Text(), " x ");
}

// A person's keystroke becomes a type line only where text can be typed; on a read-only
// edit or a drop-down list it goes nowhere instead of ending Setup with a script error.
TEST_F(Vcl, KeystrokesReachOnlyControlsThatTakeText) {
  TForm* f = form("frmKeystrokes", 100, 100, 300, 200);
  auto* locked = f->Make<TEdit>("edLocked");
  locked->SetReadOnly(true);
  auto* list = f->Make<TComboBox>("cbList");
  list->SetStyle(csDropDownList);
  list->Items->Add("a");
  auto* open = f->Make<TComboBox>("cbOpen");
  probe([&] {
    auto& be = detail::backend();
    be.PersonActions().clear();
    for (TControl* c : {static_cast<TControl*>(locked), static_cast<TControl*>(list), static_cast<TControl*>(open)})
      be.SimulateKeys(*c, "a");
    EXPECT_EQ(std::vector<std::string>(be.PersonActions().begin(), be.PersonActions().end()),
              (std::vector<std::string>{"type cbOpen a"}));
  });
  run_until_nobody_acts("frmKeystrokes");
  EXPECT_EQ(locked->Text(), "");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(open->Text(), "a");
}

TEST_F(Vcl, HandlerErrorsGoToOnExceptionOrAnErrorBox) {
  TForm* f = form("frmErr", 100, 100, 300, 200);
  f->Make<TButton>("btnBoom")->OnClick = [](TObject*) { throw rtl::EInOutError(5); };
  std::vector<std::string> seen;
  act("click btnBoom");
  probe([&] {
    EXPECT_EQ(Screen->ActiveForm()->Name(), "MessageBox");
    const std::string dump = detail::desktop().DumpJson();
    EXPECT_NE(dump.find(R"("text":"File access denied.","buttons":["OK"])"), std::string::npos) << dump;
  });
  act("click OK");
  probe([&] {
    EXPECT_EQ(Screen->ActiveForm(), f);
    Application->OnException = [&](TObject* sender, const rtl::Exception& e) {
      seen.push_back(rtl::ansi_to_utf8(static_cast<TComponent*>(sender)->Name()) + ": " + e.Message);
    };
  });
  act("click btnBoom");
  probe([&] {
    EXPECT_EQ(seen, (std::vector<std::string>{"btnBoom: File access denied"}));
    EXPECT_EQ(Screen->ActiveForm(), f);
    Application->Terminate();
  });
  Application->Run();
}

TEST_F(Vcl, ScriptLinesThatCannotBeCarriedOutFail) {
  TForm* f = form("frmBad", 100, 100, 300, 200);
  f->Make<TButton>("btnOff")->SetEnabled(false);
  f->Make<TLabel>("lbText");
  f->Show();
  struct Row {
    const char* line;
    const char* message;
  };
  const Row rows[] = {
      {"wiggle btnOff", "unknown action \"wiggle\""},
      {"click btnNope", "no control btnNope on the active form"},
      {"click btnOff", "btnOff is disabled"},
      {"click lbText", "lbText cannot be clicked"},
      {"select lbText one", "malformed index"},
      {"select lbText 1", "lbText has no items to select"},
      {"key F13", "unknown key \"F13\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    std::string message;
    ASSERT_FALSE(detail::desktop().Execute(row.line, message));
    EXPECT_EQ(message, row.message);
  }
  f->Hide();
  std::string message;
  EXPECT_FALSE(detail::desktop().Execute("click btnOff", message));
  EXPECT_EQ(message, "no form is active");
}

// The line is checked against the folder the list itself opens, so a folder a person could
// open is opened, and one the list would refuse stops the script instead of raising an
// error box.
TEST_F(Vcl, DirActionOpensTheFolderTheListResolves) {
  test_forms::FakeDrives drives;
  Application->SetDriveDirectoryProvider(&drives);
  TForm* f = form("frmDir", 100, 100, 400, 300);
  auto* dirs = f->Make<TDirectoryListBox>("DirectoryListBox1");
  f->Show();
  struct Row {
    const char* line;
    const char* directory;
    const char* error;
  };
  const Row rows[] = {
      // normal: relative to the current folder, from the root, through ".."
      {"dir DirectoryListBox1 Program Files", "C:\\Program Files", ""},
      {"dir DirectoryListBox1 \\Windows", "C:\\Windows", ""},
      {"dir DirectoryListBox1 ..\\Program Files", "C:\\Program Files", ""},
      // not at the root, only below the current folder
      {"dir DirectoryListBox1 \\Common Files", "C:\\Program Files", "no folder \\Common Files to open in DirectoryListBox1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    std::string message;
    const bool done = detail::desktop().Execute(row.line, message);
    EXPECT_EQ(done, message.empty());
    EXPECT_EQ(message, row.error);
    EXPECT_EQ(dirs->Directory(), row.directory);
  }
}

TEST_F(Vcl, HeadlessScriptThatRunsOutNamesTheWaitingForm) {
  TForm* main = form("frmMain");
  TForm* page = form("frmWaiting");
  open_on_start(main, page);
  run_until_nobody_acts("frmWaiting");
}

TEST_F(Vcl, PersonInputBecomesScriptActions) {
  TForm* f = form("frmPerson", 100, 100, 300, 200);
  int clicks = 0;
  auto* button = f->Make<TButton>("btnGo");
  button->OnClick = [&](TObject*) { ++clicks; };
  auto* edit = f->Make<TEdit>("edName");
  auto* list = f->Make<TListBox>("lbList");
  list->Items->Add("first");
  list->Items->Add("second");
  list->SetBounds(10, 40, 100, 60);
  probe([&] {
    auto& be = detail::backend();
    be.PersonActions().clear();
    be.SimulateClick(*button);
    be.SimulateClick(*list, 1, true);
    be.SimulateClick(*edit);
    be.SimulateKeys(*edit, "a\xCE\xA9");
    EXPECT_EQ(std::vector<std::string>(be.PersonActions().begin(), be.PersonActions().end()),
              (std::vector<std::string>{"click btnGo", "select lbList 1", "dblclick lbList 1", "focus edName", "type edName a"}));
  });
  // The person's actions run once the test's queue is empty; then nobody is left to act.
  run_until_nobody_acts("frmPerson");
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(detail::backend().PersonActions().empty());
  EXPECT_EQ(edit->Text(), "a");
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_TRUE(edit->Focused());
}

TEST_F(Vcl, AutoSizedLabelsTakeTheWidthOfTheirText) {
  TForm* f = form("frmLabels");
  auto* a = f->Make<TLabel>("a");
  auto* b = f->Make<TLabel>("b");
  a->SetCaption("Space required:");
  b->SetCaption("Space required:");
  EXPECT_GT(a->Width(), 40);
  EXPECT_GT(a->Height(), 8);
  b->Font()->SetStyle(fsBold);
  EXPECT_GT(b->Width(), a->Width());
  const int before = a->Width();
  a->SetCaption("Space required: more");
  EXPECT_GT(a->Width(), before);
  a->SetAutoSize(false);
  a->SetCaption("x");
  EXPECT_GT(a->Width(), before);
}

TEST_F(Vcl, TextWidthMeasuresAsAnAutoSizedLabel) {
  TForm* f = form("frmMeasure");
  auto* label = f->Make<TLabel>("lbText");
  TFont bold;
  bold.SetStyle(fsBold);
  for (const AnsiString& text : {"Typical"_a, "Wählen Sie die Installation"_a, "Compacto"_a}) {
    label->Font()->SetStyle(0);
    label->SetCaption(text);
    EXPECT_EQ(TextWidth(label->GetFont(), text), label->Width()) << text;
    label->Font()->SetStyle(fsBold);
    EXPECT_EQ(TextWidth(bold, text), label->Width()) << text;
  }
  EXPECT_EQ(TextWidth(TFont(), ""), 0);
  EXPECT_LT(TextWidth(TFont(), "Custom"), TextWidth(TFont(), "Custom installation"));
}

// The box is the only thing drawn (no caption), so the side that holds non-face pixels
// is where the box sits.
TEST_F(Vcl, CheckBoxWithLeftJustifiedCaptionHasItsBoxAtTheRight) {
  TForm* f = form("frmChecks", 0, 0, 300, 120);
  auto* plain = f->Make<TCheckBox>("cbPlain");
  plain->SetBounds(10, 10, 121, 17);
  auto* left = f->Make<TCheckBox>("cbLeft");
  left->SetBounds(10, 50, 121, 17);
  left->SetAlignment(taLeftJustify);
  EXPECT_EQ(plain->Alignment(), taRightJustify);
  testing_support::TempDir dir;
  const std::string shot = (dir.path() / "checks.png").string();
  probe([&] {
    ASSERT_TRUE(detail::backend().SaveShot(shot));
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(detail::backend().DecodeImage(shot, width, height, pixels));
    const int client_left = f->Left() + f->FrameWidth();
    const int client_top = f->Top() + f->FrameWidth() + f->CaptionHeight();
    // Pixels other than the 3D face in the left and the right half of a control.
    auto ink = [&](const TControl& c) {
      std::pair<int, int> halves{0, 0};
      for (int y = c.Top(); y < c.Top() + c.Height(); ++y)
        for (int x = c.Left(); x < c.Left() + c.Width(); ++x) {
          const std::uint32_t p = pixels[static_cast<std::size_t>((client_top + y) * width + client_left + x)];
          if ((p & 0xFFFFFFu) == 0xC0C0C0u) continue;
          (x < c.Left() + c.Width() / 2 ? halves.first : halves.second) += 1;
        }
      return halves;
    };
    const auto [plain_left, plain_right] = ink(*plain);
    const auto [left_left, left_right] = ink(*left);
    EXPECT_GT(plain_left, 20);
    EXPECT_EQ(plain_right, 0);
    EXPECT_EQ(left_left, 0);
    EXPECT_GT(left_right, 20);
    Application->Terminate();
  });
  Application->Run();
}

TEST_F(Vcl, UnreadableDriveGoesToTheHandlerThatTheDriveListInstalled) {
  test_forms::FakeDrives drives;
  Application->SetDriveDirectoryProvider(&drives);
  TForm* f = form("frmDir", 100, 100, 400, 300);
  auto* combo = f->Make<TDriveComboBox>("DriveComboBox1");
  auto* dirs = f->Make<TDirectoryListBox>("DirectoryListBox1");
  auto* other = f->Make<TButton>("btnOther");
  combo->SetDirList(dirs);
  std::vector<std::string> changes;
  dirs->OnChange = [&](TObject*) { changes.push_back(dirs->Directory()); };
  TExceptionEvent saved;
  int errors = 0;
  combo->OnEnter = [&](TObject*) {
    saved = Application->OnException;
    Application->OnException = [&](TObject*, const rtl::Exception&) {
      ++errors;
      combo->SetDrive('C');
    };
  };
  combo->OnExit = [&](TObject*) { Application->OnException = saved; };
  EXPECT_EQ(dirs->Directory(), "C:\\");
  EXPECT_EQ(combo->ItemTexts(), (std::vector<AnsiString>{"c: [SYSTEM]", "d:"}));
  act("dir DirectoryListBox1 Program Files");
  act("drive DriveComboBox1 d");
  act("dblclick DirectoryListBox1 0");
  act("focus btnOther");
  probe([&] {
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(combo->Drive(), 'c');
    EXPECT_EQ(dirs->Directory(), "C:\\");
    EXPECT_EQ(changes, (std::vector<std::string>{"C:\\Program Files", "C:\\"}));
    EXPECT_FALSE(static_cast<bool>(Application->OnException));
    EXPECT_THROW(dirs->SetDirectory("C:\\Nowhere"), rtl::EInOutError);
    dirs->SetDirectory("c:/program files/../Program Files/R\xE4tsel Tyx/");
    EXPECT_EQ(dirs->Directory(), "c:\\Program Files\\R\xE4tsel Tyx");
    Application->Terminate();
  });
  (void)other;
  Application->Run();
}

}  // namespace
