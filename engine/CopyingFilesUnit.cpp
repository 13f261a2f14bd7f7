// The progress page, whose first activation runs the installation.
#include "engine/CopyingFilesUnit.h"

#include "services/CommonUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmCopyingFiles* frmCopyingFiles = nullptr;

TfrmCopyingFiles::TfrmCopyingFiles(TComponent* owner) : TfrmMain(owner) {}

void TfrmCopyingFiles::FormCreate(TObject*) {
  SetCaption(ByLanguage("Installations-processen er i gang"_a, "SETUP ist gestartet"_a, "El programa de instalación está copiando archivos"_a,
                        "The Setup program is copying files"_a));
}

void TfrmCopyingFiles::FormClose(TObject*, TCloseAction&) {}
