// The completion page, which ends the program and starts the redistributable installers.
#include "completion/SetupCompleteUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmComplete* frmComplete = nullptr;

TfrmComplete::TfrmComplete(TComponent* owner) : TfrmMain(owner) {}

void TfrmComplete::FormCreate(TObject*) {
  SetCaption(ByLanguage("Installationen er fuldendt"_a, "SETUP ist fertig"_a, "Instalación terminada"_a,
                        "Setup complete"_a));
}

void TfrmComplete::FormClose(TObject*, TCloseAction&) {}
