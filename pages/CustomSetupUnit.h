// The custom setup page: programs, compact forms and languages.
#pragma once

#include "shell/MainUnit.h"

class TfrmCustomSetup : public TfrmMain {
 public:
  explicit TfrmCustomSetup(vcl::TComponent* owner);

  // The setup type page reads these for Custom, also before this page was ever shown.
  vcl::TCheckBox* cbQuillax;
  vcl::TCheckBox* cbXGenerator;
  vcl::TCheckBox* cbXDrawer;
  vcl::TCheckBox* cbCompactSolver;
  vcl::TCheckBox* cbCompactGenerator;
  vcl::TCheckBox* cbCompactDrawer;

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmCustomSetup* frmCustomSetup;
