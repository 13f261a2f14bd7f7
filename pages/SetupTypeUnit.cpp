// The setup type page: typical, custom or compact.
#include "pages/SetupTypeUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmSetupType* frmSetupType = nullptr;

TfrmSetupType::TfrmSetupType(TComponent* owner) : TfrmDestination(owner) {}

void TfrmSetupType::FormCreate(TObject*) {
  SetCaption(ByLanguage("Type af installation"_a, "SETUP Type"_a, "Tipo de instalación"_a,
                        "Setup Type"_a));
}

void TfrmSetupType::FormClose(TObject*, TCloseAction&) {}
