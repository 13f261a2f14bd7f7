// The cancel dialog every page opens with Cancel or Escape.
#pragma once

#include "platform/vcl/vcl.h"

class TfrmExit : public vcl::TForm {
 public:
  explicit TfrmExit(vcl::TComponent* owner);

  vcl::TButton* btnExit;
  vcl::TButton* btnResume;
  vcl::TMemo* Memo1;

  void btnExitClick(vcl::TObject* Sender);
  void btnResumeClick(vcl::TObject* Sender);
  void FormCreate(vcl::TObject* Sender);
};

extern TfrmExit* frmExit;
