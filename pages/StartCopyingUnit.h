// The summary page, which hands over to the installation run.
#pragma once

#include "shell/MainUnit.h"

class TfrmStartCopying : public TfrmMain {
 public:
  explicit TfrmStartCopying(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmStartCopying* frmStartCopying;
