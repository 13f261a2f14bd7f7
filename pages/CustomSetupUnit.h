// The custom setup page: programs, compact forms and languages.
#pragma once

#include "shell/MainUnit.h"

class TfrmCustomSetup : public TfrmMain {
 public:
  explicit TfrmCustomSetup(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmCustomSetup* frmCustomSetup;
