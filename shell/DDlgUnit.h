// The German yes/no dialog of the installation run's questions.
#pragma once

#include "platform/vcl/vcl.h"

class TfrmGermanDlg : public vcl::TForm {
 public:
  explicit TfrmGermanDlg(vcl::TComponent* owner);

  vcl::TButton* OKBtn;
  vcl::TButton* CancelBtn;
  vcl::TMemo* Memo1;
  // 6 (yes) or 7 (no), as Windows' IDYES and IDNO.
  int Answer = 7;

  void OKBtnClick(vcl::TObject* Sender);
};

extern TfrmGermanDlg* frmGermanDlg;
