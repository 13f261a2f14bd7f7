// The setup type page: typical, custom or compact.
#pragma once

#include "pages/DestinationUnit.h"

class TfrmSetupType : public TfrmDestination {
 public:
  explicit TfrmSetupType(vcl::TComponent* owner);

  // Item 0 Typical, 1 Custom, 2 Compact; the folder and summary pages read it.
  vcl::TRadioGroup* rgSetupType;

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmSetupType* frmSetupType;
