// The summary page, which hands over to the installation run.
#include "pages/StartCopyingUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmStartCopying* frmStartCopying = nullptr;

TfrmStartCopying::TfrmStartCopying(TComponent* owner) : TfrmMain(owner) {}

void TfrmStartCopying::FormCreate(TObject*) {
  SetCaption(ByLanguage("Færdiggør Installation"_a, "SETUP fertig zur Installation"_a, "Comienza copias de archivos"_a,
                        "Start Copying Files"_a));
}

void TfrmStartCopying::FormClose(TObject*, TCloseAction&) {}
