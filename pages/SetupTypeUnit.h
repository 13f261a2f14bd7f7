// The setup type page: typical, custom or compact.
#pragma once

#include "pages/DestinationUnit.h"

class TfrmSetupType : public TfrmDestination {
 public:
  explicit TfrmSetupType(vcl::TComponent* owner);

  void FormCreate(vcl::TObject* Sender) override;
  void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action) override;
};

extern TfrmSetupType* frmSetupType;
