// The completion page, which ends the program and starts the redistributable installers.
#pragma once

#include "shell/MainUnit.h"

class TfrmComplete : public TfrmMain {
 public:
  explicit TfrmComplete(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmComplete* frmComplete;
