// The destination page: where the suite is installed, with the directory browser.
#pragma once

#include "shell/MainUnit.h"

class TfrmDestination : public TfrmMain {
 public:
  explicit TfrmDestination(vcl::TComponent* owner);

  vcl::TButton* btnBack;
  vcl::TGroupBox* gbDestination;
  vcl::TLabel* lbProgramFilesDir;
  vcl::TButton* btnBrowse;

  void FormCreate(vcl::TObject* Sender) override;
  virtual void FormPaint(vcl::TObject* Sender);
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
  void btnNextClick(vcl::TObject* Sender) override;
  virtual void btnBackClick(vcl::TObject* Sender);
  void btnBrowseClick(vcl::TObject* Sender);
};

extern TfrmDestination* frmDestination;
