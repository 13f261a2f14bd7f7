// The program folder page: the name of the Start menu group.
#include "pages/FolderUnit.h"

#include <vector>

#include "pages/CustomSetupUnit.h"
#include "pages/SetupTypeUnit.h"
#include "pages/StartCopyingUnit.h"
#include "platform/win32/files.h"
#include "services/CommonUnit.h"
#include "services/SystemFolders.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmFolder* frmFolder = nullptr;

namespace {

bool FolderListFilled = false;

}  // namespace

TfrmFolder::TfrmFolder(TComponent* owner) : TfrmMain(owner) {
  SetClientWidth(459);
  SetClientHeight(363);
  Memo1->SetBounds(128, 8, 297, 137);
  panHR->SetBounds(8, 326, 443, 3);
  btnBack = Make<TButton>("btnBack");
  btnBack->SetBounds(242, 334, 65, 25);
  btnNext->SetBounds(314, 334, 65, 25);
  btnCancel->SetBounds(386, 334, 65, 25);
  Label1 = Make<TLabel>("Label1");
  Label1->SetBounds(128, 152, 70, 13);
  edProgramFolder = Make<TEdit>("edProgramFolder");
  edProgramFolder->SetBounds(128, 168, 323, 21);
  Label2 = Make<TLabel>("Label2");
  Label2->SetBounds(128, 196, 80, 13);
  lbExcistingProgramFolders = Make<TListBox>("lbExcistingProgramFolders");
  lbExcistingProgramFolders->SetBounds(128, 212, 323, 105);

  OnActivate = Bind(&TfrmFolder::FormActivate);
  btnBack->OnClick = Bind(&TfrmFolder::btnBackClick);
  lbExcistingProgramFolders->OnDblClick = Bind(&TfrmFolder::lbExcistingProgramFoldersDblClick);
}

void TfrmFolder::FormCreate(TObject*) {
  edProgramFolder->SetText(ByLanguage("Kryds og Tværs"_a, "Rätsel"_a, "Crucigrama"_a, "Crossword"_a));
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Weiter >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  btnBack->SetCaption(ByLanguage("< &Tilbage"_a, "< &Zurück"_a, "< &Atrás"_a, "< &Back"_a));
  SetCaption(ByLanguage("Vælg Program Mappe"_a, "SETUP Name der Programmgruppe"_a,
                        "Seleccione el nombre del grupo de programas"_a, "Select Program Folder"_a));
  Label1->SetCaption(ByLanguage("Program Mappe:"_a, "Programmgruppe:"_a, "El nombre del grupo:"_a, "Program Folder:"_a));
  Label2->SetCaption(ByLanguage("Eksisterende Program Mapper:"_a, "Vorhandene Ordner:"_a, "Otros grupos:"_a,
                                "Existing Folders:"_a));
  const std::vector<AnsiString> lines = ByLanguage<std::vector<AnsiString>>(
      {"Installations-programmet vil oprette program ikoner i program mappen angivet nedenfor. Hvis du er tilfreds "
       "hermed så klik med venstre museknap på Fortsæt-knappen."_a,
       "",
       "Ellers kan du indtaste et nyt navn på program mappen, eller du kan vælge en fra nedenstående liste over "
       "eksisterende program mapper."_a},
      {"SETUP fügt in die unten aufgeführte Programmgruppe neue Symbole hinzu. Sie können einen neuen Ordnernamen "
       "eingeben oder einen aus der Liste 'Vorhandene Ordner' auswählen."_a,
       "", "Wählen Sie 'Weiter', um den Vorgang fortzusetzen."_a},
      {"El programa de instalación añade un icono para los grupos de programas que se encuentran más abajo. Si Ud. "
       "quiere otros nombres, escríbalo en el caja o elíjalo en el grupo de la lista existente."_a},
      {"Setup will add program icons to the Program Folder listed below.", "",
       "You may type a new folder name, or select one from the existing Folders list. Click Next to continue."});
  for (const AnsiString& line : lines) Memo1->Lines->Add(line);
}

void TfrmFolder::FormActivate(TObject*) {
  if (FolderListFilled) return;
  // Set before the search, so that a Start menu that cannot be read is not tried again.
  FolderListFilled = true;
  try {
    AnsiString dir = ReadStartMenuProgramsDir();
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    Choices.StartMenuProgramsDir = dir;
    lbExcistingProgramFolders->Items->Clear();
    win32::TSearchRec found;
    // The search leaves out hidden and system folders; files come through the filter and
    // are dropped here.
    if (win32::FindFirst(dir + "*.*", win32::faDirectory, found) == 0) {
      do {
        if ((found.Attr & win32::faDirectory) != 0 && found.Name != "." && found.Name != "..")
          lbExcistingProgramFolders->Items->Add(found.Name);
      } while (win32::FindNext(found) == 0);
    }
    win32::FindClose(found);
  } catch (const rtl::Exception&) {
  }
}

void TfrmFolder::FormClose(TObject*, TCloseAction&) {}

void TfrmFolder::btnNextClick(TObject*) {
  Choices.ProgramFolder = edProgramFolder->Text();
  SetVisible(false);
  frmStartCopying->ShowModal();
}

void TfrmFolder::btnBackClick(TObject*) {
  Choices.ProgramFolder = edProgramFolder->Text();
  Close();
  // The setup type page may never have been open on this road; it is then shown as an
  // ordinary window above the hidden pages.
  if (frmSetupType->rgSetupType->ItemIndex() == 1)
    frmCustomSetup->SetVisible(true);
  else
    frmSetupType->SetVisible(true);
}

void TfrmFolder::lbExcistingProgramFoldersDblClick(TObject*) {
  const int index = lbExcistingProgramFolders->ItemIndex();
  if (index >= 0 && index < lbExcistingProgramFolders->Items->Count())
    edProgramFolder->SetText(lbExcistingProgramFolders->Items->Strings(index));
}
