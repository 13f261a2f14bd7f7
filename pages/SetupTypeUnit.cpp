// The setup type page: typical, custom or compact.
#include "pages/SetupTypeUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmSetupType* frmSetupType = nullptr;

TfrmSetupType::TfrmSetupType(TComponent* owner) : TfrmDestination(owner) {
  rgSetupType = Make<TRadioGroup>("rgSetupType");
  rgSetupType->SetBounds(128, 8, 361, 233);
  for (const char* item : {"Typical", "Custom", "Compact"}) rgSetupType->Items->Add(item);
  rgSetupType->SetItemIndex(0);
}

void TfrmSetupType::FormCreate(TObject*) {
  SetCaption(ByLanguage("Type af installation"_a, "SETUP Type"_a, "Tipo de instalación"_a,
                        "Setup Type"_a));
}

void TfrmSetupType::FormClose(TObject*, TCloseAction&) {}
