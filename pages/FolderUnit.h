// The program folder page: the name of the Start menu group.
#pragma once

#include "shell/MainUnit.h"

class TfrmFolder : public TfrmMain {
 public:
  explicit TfrmFolder(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmFolder* frmFolder;
