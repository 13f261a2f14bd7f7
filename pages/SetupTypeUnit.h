// The setup type page: typical, custom or compact.
#pragma once

#include "pages/DestinationUnit.h"

class TfrmSetupType : public TfrmDestination {
 public:
  explicit TfrmSetupType(vcl::TComponent* owner);

  // Item 0 Typical, 1 Custom, 2 Compact; the folder and summary pages read it.
  vcl::TRadioGroup* rgSetupType;
  // The explanations beside the items: Memo2 Typical, Memo4 Custom, Memo3 Compact.
  vcl::TMemo* Memo2;
  vcl::TMemo* Memo3;
  vcl::TMemo* Memo4;
  vcl::TLabel* Label7;
  vcl::TLabel* Label8;
  vcl::TLabel* lbSizeNeeded;
  vcl::TLabel* lbSizeAvailable;

  void FormCreate(vcl::TObject* Sender) override;
  // Every activation: the flags follow the selected type again, so a return from the
  // custom page brings its check boxes in.
  virtual void FormActivate(vcl::TObject* Sender);
  // Calls the destination page's paint, then refreshes both sizes.
  void FormPaint(vcl::TObject* Sender) override;
  virtual void rgSetupTypeClick(vcl::TObject* Sender);
  void btnNextClick(vcl::TObject* Sender) override;
  void btnBackClick(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmSetupType* frmSetupType;

// The Solver's program and help language for a setup language: 6, 7, 9 or 10, else 9.
int SolverLanguageFor(int setup_language);
// The Solver's dictionary language for a setup language: as above, and 29 is kept too.
int SolverDictionaryLanguageFor(int setup_language);
