// The progress page, whose first activation runs the installation.
#pragma once

#include "shell/MainUnit.h"

class TfrmCopyingFiles : public TfrmMain {
 public:
  explicit TfrmCopyingFiles(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmCopyingFiles* frmCopyingFiles;
