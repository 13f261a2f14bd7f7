// The directory browser of the destination page.
#include "pages/ChooseDirUnit.h"

#include "services/CommonUnit.h"
#include "services/SystemFolders.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmChooseDir* frmChooseDir = nullptr;

namespace {

// Filling the controls during creation fires their change events; the target must not
// follow those.
bool ChooseDirReady = false;
TExceptionEvent SavedExceptionHandler;

}  // namespace

TfrmChooseDir::TfrmChooseDir(TComponent* owner) : TfrmMain(owner) {
  SetClientWidth(438);
  SetClientHeight(309);
  btnNext->SetVisible(false);
  btnCancel->SetVisible(false);
  panHR->SetVisible(false);
  Memo1->Lines->Clear();
  Memo1->SetHeight(33);

  Label5 = Make<TLabel>("Label5");
  Label5->SetBounds(128, 48, 25, 13);
  lbFullPath = Make<TLabel>("lbFullPath");
  lbFullPath->SetBounds(157, 48, 60, 13);
  lbFullPath->Font()->SetStyle(fsBold);
  Label6 = Make<TLabel>("Label6");
  Label6->SetBounds(128, 68, 60, 13);
  edXWordFolder = Make<TEdit>("edXWordFolder");
  edXWordFolder->SetBounds(128, 84, 305, 21);
  edXWordFolder->SetTabOrder(0);
  Label2 = Make<TLabel>("Label2");
  Label2->SetBounds(128, 112, 45, 13);
  DirectoryListBox1 = Make<TDirectoryListBox>("DirectoryListBox1");
  DirectoryListBox1->SetBounds(128, 128, 305, 97);
  DirectoryListBox1->SetTabOrder(1);
  Label1 = Make<TLabel>("Label1");
  Label1->SetBounds(128, 232, 30, 13);
  DriveComboBox1 = Make<TDriveComboBox>("DriveComboBox1");
  DriveComboBox1->SetBounds(128, 248, 145, 21);
  DriveComboBox1->SetTabOrder(2);
  DriveComboBox1->SetDirList(DirectoryListBox1);
  Label3 = Make<TLabel>("Label3");
  Label3->SetBounds(288, 232, 80, 13);
  Label4 = Make<TLabel>("Label4");
  Label4->SetBounds(288, 250, 40, 13);
  btnOK = Make<TButton>("btnOK");
  btnOK->SetBounds(280, 278, 75, 25);
  btnOK->SetTabOrder(3);
  btnCancelx = Make<TButton>("btnCancelx");
  btnCancelx->SetBounds(358, 278, 75, 25);
  btnCancelx->SetTabOrder(4);
  btnCancelx->SetCancel(true);
  SetActiveControl(btnOK);

  OnShow = Bind(&TfrmChooseDir::DriveComboBox1Change);
  OnActivate = Bind(&TfrmChooseDir::FormActivate);
  edXWordFolder->OnChange = Bind(&TfrmChooseDir::DriveComboBox1Change);
  DirectoryListBox1->OnChange = Bind(&TfrmChooseDir::DriveComboBox1Change);
  DriveComboBox1->OnChange = Bind(&TfrmChooseDir::DriveComboBox1Change);
  DriveComboBox1->OnEnter = Bind(&TfrmChooseDir::DriveComboBox1Enter);
  DriveComboBox1->OnExit = Bind(&TfrmChooseDir::DriveComboBox1Exit);
  btnOK->OnClick = Bind(&TfrmChooseDir::btnOKClick);
  btnCancelx->OnClick = Bind(&TfrmChooseDir::btnCancelxClick);
}

void TfrmChooseDir::FormCreate(TObject*) {
  btnOK->SetCaption("&OK");
  btnCancelx->SetCaption(ByLanguage("&Annuller"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  SetCaption(ByLanguage("Vælg bibliotek"_a, "Bibliothek wählen"_a, "Elija un directorio"_a, "Choose directory"_a));
  Memo1->Lines->Add(ByLanguage(
      "Du skal nu angive hvor på din harddisk, du ønsker at Kryds og Tværs programmerne skal installeres."_a,
      "Geben Sie an, wo auf der Festplatte KREUZWORTRÄTSEL installiert werden soll."_a,
      "Por favor elija Ud. el directorio a donde los programas de Crucigramas deberán ser instalados."_a,
      "Please choose the directory where you want the crossword programs to be installed."_a));
  Label5->SetCaption(ByLanguage("Sti:"_a, "Pfad:"_a, "Destino:"_a, "Path:"_a));
  // The path follows the caption, whose width depends on the language.
  lbFullPath->SetLeft(Label5->Left() + Label5->Width() + 4);
  Label6->SetCaption(ByLanguage("Kryds og Tværs mappe:"_a, "Rätsel ordner:"_a, "El nombre del Grupo:"_a,
                                "Crossword folder:"_a));
  Label2->SetCaption(ByLanguage("Bibliotek:"_a, "Bibliothek:"_a, "Directorio:"_a, "Directory:"_a));
  Label1->SetCaption(ByLanguage("Drev:"_a, "Laufwerk:"_a, "Disc drive:"_a, "Drive:"_a));
  Label3->SetCaption(ByLanguage("Plads til rådighed:"_a, "Vorhandener Speicherplatz:"_a, "Espacio disponible:"_a,
                                "Space available:"_a));
  // A base folder that does not exist leaves the tree where it starts; the first show
  // then takes the tree's folder as the base.
  try {
    edXWordFolder->SetText(Choices.TargetSubDir);
    DirectoryListBox1->SetDirectory(Choices.TargetBaseDir);
  } catch (const rtl::Exception&) {
  }
  ChooseDirReady = true;
}

void TfrmChooseDir::DriveComboBox1Change(TObject*) {
  if (!ChooseDirReady) return;
  SetTargetPath(DirectoryListBox1->Directory(), edXWordFolder->Text());
  Label4->SetCaption(FreeSpaceText());
  lbFullPath->SetCaption(ShortTargetPath(30));
}

void TfrmChooseDir::FormActivate(TObject*) {
  SavedSubDir = Choices.TargetSubDir;
  SavedBaseDir = Choices.TargetBaseDir;
}

void TfrmChooseDir::FormClose(TObject*, TCloseAction&) {
  // Closing by the keyboard while the drive list has the focus would leave the drive
  // handler in place for the whole program, swallowing every later error; leaving the
  // list first puts the application's handler back.
  if (DriveComboBox1->Focused() && btnOK->CanFocus()) btnOK->SetFocus();
}

void TfrmChooseDir::btnOKClick(TObject*) { Close(); }

void TfrmChooseDir::btnCancelxClick(TObject*) {
  try {
    edXWordFolder->SetText(SavedSubDir);
    DirectoryListBox1->SetDirectory(SavedBaseDir);
  } catch (const rtl::Exception&) {
  }
  Close();
}

void TfrmChooseDir::DriveComboBox1Enter(TObject*) {
  SavedExceptionHandler = Application->OnException;
  Application->OnException = Bind(&TfrmChooseDir::DriveErrorHandler);
}

void TfrmChooseDir::DriveComboBox1Exit(TObject*) { Application->OnException = SavedExceptionHandler; }

void TfrmChooseDir::DriveErrorHandler(TObject*, const rtl::Exception&) { DriveComboBox1->SetDrive('C'); }
