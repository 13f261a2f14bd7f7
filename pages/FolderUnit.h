// The program folder page: the name of the Start menu group.
#pragma once

#include "shell/MainUnit.h"

class TfrmFolder : public TfrmMain {
 public:
  explicit TfrmFolder(vcl::TComponent* owner);

  vcl::TButton* btnBack;
  vcl::TLabel* Label1;
  vcl::TEdit* edProgramFolder;
  vcl::TLabel* Label2;
  vcl::TListBox* lbExcistingProgramFolders;

  void FormCreate(vcl::TObject* Sender) override;
  // Reads the Start menu on the first activation only.
  void FormActivate(vcl::TObject* Sender);
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
  void btnNextClick(vcl::TObject* Sender) override;
  void btnBackClick(vcl::TObject* Sender);
  void lbExcistingProgramFoldersDblClick(vcl::TObject* Sender);
};

extern TfrmFolder* frmFolder;
