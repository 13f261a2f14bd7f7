// The directory browser of the destination page.
#pragma once

#include "shell/MainUnit.h"

class TfrmChooseDir : public TfrmMain {
 public:
  explicit TfrmChooseDir(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmChooseDir* frmChooseDir;
