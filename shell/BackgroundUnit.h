// The full-screen navy background with the banner; the application's main window.
#pragma once

#include "platform/vcl/vcl.h"

class TfrmBackground : public vcl::TForm {
 public:
  explicit TfrmBackground(vcl::TComponent* owner);

  vcl::TPanel* Panel1;

  void FormShow(vcl::TObject* Sender);
  // Opens the welcome page: the whole wizard runs inside this handler.
  void FormActivate(vcl::TObject* Sender);
  void FormCreate(vcl::TObject* Sender);
};

extern TfrmBackground* frmBackground;

// What the background's unit does while the program's units are initialised.
void InitializeBackgroundUnit();
