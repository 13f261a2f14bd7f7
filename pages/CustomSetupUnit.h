// The custom setup page: programs, compact forms and languages.
#pragma once

#include <array>

#include "shell/MainUnit.h"

class TfrmCustomSetup : public TfrmMain {
 public:
  explicit TfrmCustomSetup(vcl::TComponent* owner);

  // The setup type page reads these for Custom, also before this page was ever shown.
  vcl::TCheckBox* cbQuillax;
  vcl::TCheckBox* cbXGenerator;
  vcl::TCheckBox* cbXDrawer;
  vcl::TCheckBox* cbCompactSolver;
  vcl::TCheckBox* cbCompactGenerator;
  vcl::TCheckBox* cbCompactDrawer;

  vcl::TGroupBox* gbQuilax;
  vcl::TGroupBox* gbGenerator;
  vcl::TGroupBox* gbDrawer;
  vcl::TLabel* Label0;
  vcl::TLabel* Label1;
  vcl::TLabel* Label2;
  vcl::TLabel* Label3;
  vcl::TLabel* Label4;
  vcl::TLabel* Label5;
  vcl::TLabel* Label6;
  vcl::TLabel* Label7;
  vcl::TLabel* Label8;
  vcl::TComboBox* cdMainLanguageSolver;
  vcl::TComboBox* cbOnlineHelpLanguageSolver;
  vcl::TComboBox* cbDictionaryLanguageSolver;
  vcl::TComboBox* cdMainLanguageGenerator;
  vcl::TComboBox* cbOnlineHelpLanguageGenerator;
  vcl::TComboBox* cdMainLanguageDrawer;
  vcl::TComboBox* cbOnlineHelpLanguageDrawer;
  vcl::TLabel* lbSizeNeeded;
  vcl::TLabel* lbSizeAvailable;
  vcl::TButton* btnBack;

  void FormCreate(vcl::TObject* Sender) override;
  // Only the first activation fills the language lists, so later ones keep the user's picks.
  virtual void FormActivate(vcl::TObject* Sender);
  virtual void FormPaint(vcl::TObject* Sender);
  virtual void cbQuillaxClick(vcl::TObject* Sender);
  virtual void cbXGeneratorClick(vcl::TObject* Sender);
  virtual void cbXDrawerClick(vcl::TObject* Sender);
  // One handler for all three compact boxes.
  virtual void cbCompactSolverClick(vcl::TObject* Sender);
  virtual void cdMainLanguageSolverChange(vcl::TObject* Sender);
  virtual void cbOnlineHelpLanguageSolverChange(vcl::TObject* Sender);
  virtual void cbDictionaryLanguageSolverChange(vcl::TObject* Sender);
  virtual void cdMainLanguageGeneratorChange(vcl::TObject* Sender);
  virtual void cbOnlineHelpLanguageGeneratorChange(vcl::TObject* Sender);
  virtual void cdMainLanguageDrawerChange(vcl::TObject* Sender);
  virtual void cbOnlineHelpLanguageDrawerChange(vcl::TObject* Sender);
  void btnNextClick(vcl::TObject* Sender) override;
  virtual void btnBackClick(vcl::TObject* Sender);
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;

  // Copies the program and compact boxes into the component flags; a compact box counts
  // only while its program's box is checked. The setup type page's Custom uses it too.
  void StoreComponentFlags();

 private:
  // Stores the component flags and shows the new estimate.
  void UpdateSelection();
  // The seven language boxes in the order every step that touches them all uses.
  std::array<vcl::TComboBox*, 7> language_boxes() const;
};

extern TfrmCustomSetup* frmCustomSetup;

// One item of the language boxes: its text and the language code it stands for.
struct TLanguageItem {
  vcl::AnsiString name;
  int code;
};

// The four items of the language boxes for a setup language, its own language first.
std::array<TLanguageItem, 4> LanguageListOrder(int setup_language);
// The code an item index stands for; no selection (or any index outside the list) is 9.
int LanguageCodeOf(int setup_language, int item_index);
