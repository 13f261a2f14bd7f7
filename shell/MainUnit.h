// The welcome page, which is also the template every page inherits its controls from.
#pragma once

#include "platform/vcl/vcl.h"

class TfrmMain : public vcl::TForm {
 public:
  explicit TfrmMain(vcl::TComponent* owner);

  vcl::TButton* btnNext;
  vcl::TButton* btnCancel;
  vcl::TImage* Image1;
  vcl::TPanel* panHR;
  vcl::TMemo* Memo1;

  // Shows the cancel dialog; no page replaces it.
  void btnCancelClick(vcl::TObject* Sender);
  // A page's own handler of the same name replaces these.
  virtual void btnNextClick(vcl::TObject* Sender);
  virtual void FormCreate(vcl::TObject* Sender);
  // The welcome page cannot be closed: it leaves only when hidden or at termination.
  virtual void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action);
};

extern TfrmMain* frmMain;
