// The custom setup page: programs, compact forms and languages.
#include "pages/CustomSetupUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmCustomSetup* frmCustomSetup = nullptr;

TfrmCustomSetup::TfrmCustomSetup(TComponent* owner) : TfrmMain(owner) {}

void TfrmCustomSetup::FormCreate(TObject*) {
  SetCaption(ByLanguage("Vælg programmer"_a, "SETUP wählen"_a, "Seleccione los programas"_a,
                        "Select programs"_a));
}

void TfrmCustomSetup::FormClose(TObject*, TCloseAction&) {}
