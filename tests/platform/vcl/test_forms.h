// Forms of the tests' own: a navy background, a page template, a derived page and a cancel
// dialog, wired the way a wizard wires its pages.
#pragma once

#include <string>
#include <vector>

#include "platform/vcl/vcl.h"

namespace test_forms {

using namespace vcl;
using namespace rtl::literals;

// A machine with a fixed drive c: (a few folders) and an empty CD drive d:.
class FakeDrives : public rtl::DriveDirectoryProvider {
 public:
  std::vector<rtl::DriveInfo> Drives() const override {
    return {{'c', rtl::DriveKind::Fixed, "SYSTEM"}, {'d', rtl::DriveKind::CdRom, ""}};
  }
  bool DriveReady(char letter) const override { return letter == 'c' || letter == 'C'; }
  std::vector<AnsiString> SubDirectories(const AnsiString& folder) const override {
    if (rtl::AnsiSameText(folder, "C:\\")) return {"Program Files", "Windows"};
    if (rtl::AnsiSameText(folder, "C:\\Program Files")) return {"Common Files", "R\xE4tsel Tyx"};
    return {};
  }
  bool DirectoryExists(const AnsiString& folder) const override {
    for (const char* known : {"C:\\", "C:\\Program Files", "C:\\Windows", "C:\\Program Files\\Common Files",
                              "C:\\Program Files\\R\xE4tsel Tyx", "D:\\"})
      if (rtl::AnsiSameText(folder, known)) return true;
    return false;
  }
};

class TfrmBack;
class TfrmPage;
class TfrmExit;
class TfrmSecond;
inline TfrmBack* frmBack = nullptr;
inline TfrmPage* frmPage = nullptr;
inline TfrmExit* frmExit = nullptr;
inline TfrmSecond* frmSecond = nullptr;

class TfrmExit : public TForm {
 public:
  explicit TfrmExit(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetClientWidth(327);
    SetClientHeight(165);
    Memo1 = Make<TMemo>("Memo1");
    Memo1->SetBounds(8, 8, 313, 113);
    Memo1->SetBorderStyle(bsNone);
    Memo1->SetColor(clBtnFace);
    Memo1->SetReadOnly(true);
    btnExit = Make<TButton>("btnExit");
    btnExit->SetBounds(248, 136, 75, 25);
    btnExit->SetCancel(true);
    btnResume = Make<TButton>("btnResume");
    btnResume->SetBounds(168, 136, 75, 25);
    btnExit->OnClick = Bind(&TfrmExit::btnExitClick);
    btnResume->OnClick = Bind(&TfrmExit::btnResumeClick);
    OnCreate = Bind(&TfrmExit::FormCreate);
  }
  void FormCreate(TObject*) {
    btnResume->SetCaption("&Resume");
    btnExit->SetCaption("E&xit Setup");
    SetCaption("Exit Setup");
    Memo1->Lines->Add("Setup is not complete.");
  }
  void btnExitClick(TObject*) { Application->Terminate(); }
  void btnResumeClick(TObject*) { Close(); }
  TMemo* Memo1;
  TButton* btnExit;
  TButton* btnResume;
};

class TfrmPage : public TForm {
 public:
  explicit TfrmPage(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    SetClientWidth(441);
    SetClientHeight(294);
    btnNext = Make<TButton>("btnNext");
    btnNext->SetBounds(296, 264, 65, 25);
    btnNext->SetDefault(true);
    btnCancel = Make<TButton>("btnCancel");
    btnCancel->SetBounds(368, 264, 65, 25);
    btnCancel->SetCancel(true);
    Image1 = Make<TImage>("Image1");
    Image1->SetBounds(8, 8, 105, 233);
    Image1->SetStretch(true);
    panHR = Make<TPanel>("panHR");
    panHR->SetBounds(8, 256, 425, 3);
    panHR->SetBevelOuter(bvLowered);
    Memo1 = Make<TMemo>("Memo1");
    Memo1->SetBounds(128, 8, 305, 100);
    Memo1->SetBorderStyle(bsNone);
    Memo1->SetColor(clBtnFace);
    Memo1->SetReadOnly(true);
    Memo1->Lines->Add("");
    Label1 = Make<TLabel>("Label1");
    Label1->SetBounds(128, 116, 0, 0);
    edName = Make<TEdit>("edName");
    edName->SetBounds(128, 132, 185, 21);
    cbOption = Make<TCheckBox>("cbOption");
    cbOption->SetBounds(128, 160, 185, 17);
    rgKind = Make<TRadioGroup>("rgKind");
    rgKind->SetBounds(128, 180, 150, 70);
    cbCombo = Make<TComboBox>("cbCombo");
    cbCombo->SetBounds(290, 184, 143, 21);
    cbCombo->SetStyle(csDropDownList);
    lbList = Make<TListBox>("lbList");
    lbList->SetBounds(320, 132, 113, 44);
    btnHelp = Make<TButton>("btnHelp");
    btnHelp->SetBounds(224, 264, 65, 25);
    btnHelp->SetEnabled(false);
    SetActiveControl(btnNext);
    btnNext->OnClick = Bind(&TfrmPage::btnNextClick);
    btnCancel->OnClick = Bind(&TfrmPage::btnCancelClick);
    edName->OnChange = Bind(&TfrmPage::edNameChange);
    cbOption->OnClick = Bind(&TfrmPage::cbOptionClick);
    rgKind->OnClick = Bind(&TfrmPage::rgKindClick);
    cbCombo->OnChange = Bind(&TfrmPage::cbComboChange);
    lbList->OnDblClick = Bind(&TfrmPage::lbListDblClick);
    OnCreate = Bind(&TfrmPage::FormCreate);
    OnClose = Bind(&TfrmPage::FormClose);
    OnActivate = Bind(&TfrmPage::FormActivate);
    OnPaint = Bind(&TfrmPage::FormPaint);
    std::vector<std::uint32_t> grid(71 * 131, 0xFFFFFFFF);
    for (int y = 0; y < 131; ++y)
      for (int x = 0; x < 71; ++x)
        if (x % 10 == 0 || y % 10 == 0 || ((x / 10 + y / 10) % 5 == 0)) grid[static_cast<std::size_t>(y * 71 + x)] = 0xFF000000;
    Image1->Picture()->SetBitmap(71, 131, grid);
  }
  virtual void FormCreate(TObject*) {
    SetCaption("Welcome");
    btnNext->SetCaption("&Next >");
    btnCancel->SetCaption("&Cancel");
    Memo1->Lines->Add("Welcome. This program will help you to install the crossword-programs on your computer.");
    Label1->SetCaption("Your name:");
    cbOption->SetCaption("&Option");
    rgKind->SetCaption("Kind");
    rgKind->Items->Add("&Typical");
    rgKind->Items->Add("C&ustom");
    rgKind->SetItemIndex(0);
    cbCombo->Items->Add("Deutsch");
    cbCombo->Items->Add("English");
    cbCombo->SetItemIndex(0);
    lbList->Items->Add("Accessories");
    lbList->Items->Add("Games");
    btnHelp->SetCaption("&Help");
  }
  virtual void btnNextClick(TObject*);
  void btnCancelClick(TObject*) { frmExit->ShowModal(); }
  virtual void FormClose(TObject*, TCloseAction& action) { action = caNone; }
  virtual void FormActivate(TObject*) { ++activations; }
  virtual void FormPaint(TObject*) { ++paints; }
  void edNameChange(TObject*) { ++name_changes; }
  void cbOptionClick(TObject*) { ++option_clicks; }
  void rgKindClick(TObject*) { ++kind_clicks; }
  void cbComboChange(TObject*) { ++combo_changes; }
  void lbListDblClick(TObject*) {
    if (lbList->ItemIndex() >= 0) edName->SetText(lbList->Items->Strings(lbList->ItemIndex()));
  }
  TButton* btnNext;
  TButton* btnCancel;
  TImage* Image1;
  TPanel* panHR;
  TMemo* Memo1;
  TLabel* Label1;
  TEdit* edName;
  TCheckBox* cbOption;
  TRadioGroup* rgKind;
  TComboBox* cbCombo;
  TListBox* lbList;
  TButton* btnHelp;
  int activations = 0, paints = 0, name_changes = 0, option_clicks = 0, kind_clicks = 0, combo_changes = 0;
};

// The second page inherits the template and replaces its Next, Close and Create handlers.
class TfrmSecond : public TfrmPage {
 public:
  explicit TfrmSecond(TComponent* owner) : TfrmPage(owner) {
    SetClientHeight(330);
    btnNext->SetTop(300);
    btnCancel->SetTop(300);
    panHR->SetTop(292);
    btnHelp->Hide();
    btnBack = Make<TButton>("btnBack");
    btnBack->SetBounds(224, 300, 65, 25);
    btnBack->OnClick = Bind(&TfrmSecond::btnBackClick);
    ProgressBar1 = Make<TProgressBar>("ProgressBar1");
    ProgressBar1->SetBounds(128, 262, 305, 16);
    DriveComboBox1 = Make<TDriveComboBox>("DriveComboBox1");
    DriveComboBox1->SetBounds(128, 116, 120, 21);
    DirectoryListBox1 = Make<TDirectoryListBox>("DirectoryListBox1");
    DirectoryListBox1->SetBounds(128, 140, 185, 90);
    DriveComboBox1->SetDirList(DirectoryListBox1);
    DriveComboBox1->OnEnter = Bind(&TfrmSecond::DriveComboBox1Enter);
    DriveComboBox1->OnExit = Bind(&TfrmSecond::DriveComboBox1Exit);
    for (TControl* c : {static_cast<TControl*>(Label1), static_cast<TControl*>(edName), static_cast<TControl*>(cbOption),
                        static_cast<TControl*>(rgKind), static_cast<TControl*>(cbCombo), static_cast<TControl*>(lbList)})
      c->Hide();
  }
  void FormCreate(TObject*) override {
    SetCaption("Choose destination location");
    btnNext->SetCaption("&Finish");
    btnCancel->SetCaption("&Cancel");
    btnBack->SetCaption("< &Back");
    Memo1->Lines->Add("This page inherits the template.");
  }
  void btnNextClick(TObject*) override {
    if (Application->MessageBox("Finish the test?", "Test", MB_YESNO) == IDYES) Application->Terminate();
  }
  void FormClose(TObject*, TCloseAction&) override {}
  void btnBackClick(TObject*) {
    Close();
    frmPage->Show();
  }
  void DriveComboBox1Enter(TObject*) {
    saved_ = Application->OnException;
    Application->OnException = [this](TObject*, const rtl::Exception&) { DriveComboBox1->SetDrive('c'); };
  }
  void DriveComboBox1Exit(TObject*) { Application->OnException = saved_; }
  TButton* btnBack;
  TProgressBar* ProgressBar1;
  TDriveComboBox* DriveComboBox1;
  TDirectoryListBox* DirectoryListBox1;

 private:
  TExceptionEvent saved_;
};

class TfrmBack : public TForm {
 public:
  explicit TfrmBack(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetWindowState(wsMaximized);
    SetColor(clNavy);
    Panel1 = Make<TPanel>("Panel1");
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(121);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetColor(clNavy);
    Panel1->Font()->SetName("Times New Roman");
    Panel1->Font()->SetSize(28);
    Panel1->Font()->SetStyle(fsBold);
    Panel1->Font()->SetColor(clWhite);
    OnCreate = Bind(&TfrmBack::FormCreate);
    OnShow = Bind(&TfrmBack::FormShow);
    OnActivate = Bind(&TfrmBack::FormActivate);
  }
  void FormCreate(TObject*) { Panel1->SetCaption("KREUZWORTR\xC4TSEL"); }
  void FormShow(TObject*) {
    SetHeight(Screen->Height());
    SetWidth(Screen->Width());
  }
  void FormActivate(TObject*) {
    Repaint();
    frmPage->ShowModal();
  }
  TPanel* Panel1;
};

inline void TfrmPage::btnNextClick(TObject*) {
  Hide();
  frmSecond->ShowModal();
}

}  // namespace test_forms
