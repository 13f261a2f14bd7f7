// The program folder page: the name of the Start menu group.
#include "pages/FolderUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmFolder* frmFolder = nullptr;

TfrmFolder::TfrmFolder(TComponent* owner) : TfrmMain(owner) {}

void TfrmFolder::FormCreate(TObject*) {
  SetCaption(ByLanguage("Vælg Program Mappe"_a, "SETUP Name der Programmgruppe"_a, "Seleccione el nombre del grupo de programas"_a,
                        "Select Program Folder"_a));
}

void TfrmFolder::FormClose(TObject*, TCloseAction&) {}
