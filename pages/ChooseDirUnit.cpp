// The directory browser of the destination page.
#include "pages/ChooseDirUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmChooseDir* frmChooseDir = nullptr;

TfrmChooseDir::TfrmChooseDir(TComponent* owner) : TfrmMain(owner) {}

void TfrmChooseDir::FormCreate(TObject*) {
  SetCaption(ByLanguage("Vælg bibliotek"_a, "Bibliothek wählen"_a, "Elija un directorio"_a,
                        "Choose directory"_a));
}

void TfrmChooseDir::FormClose(TObject*, TCloseAction&) {}
