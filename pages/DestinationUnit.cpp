// The destination page: where the suite is installed, with the directory browser.
#include "pages/DestinationUnit.h"

#include "pages/ChooseDirUnit.h"
#include "pages/FolderUnit.h"
#include "services/CommonUnit.h"
#include "services/SystemFolders.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmDestination* frmDestination = nullptr;

TfrmDestination::TfrmDestination(TComponent* owner) : TfrmMain(owner) {
  SetClientWidth(452);
  SetClientHeight(292);
  Memo1->SetHeight(161);
  btnBack = Make<TButton>("btnBack");
  btnBack->SetBounds(224, 264, 65, 25);
  gbDestination = Make<TGroupBox>("gbDestination");
  gbDestination->SetBounds(128, 176, 305, 49);
  lbProgramFilesDir = Make<TLabel>("lbProgramFilesDir", gbDestination);
  lbProgramFilesDir->SetBounds(8, 22, 200, 13);
  btnBrowse = Make<TButton>("btnBrowse", gbDestination);
  btnBrowse->SetBounds(216, 16, 81, 25);
  btnBrowse->SetCaption("B&rowse...");

  OnPaint = Bind(&TfrmDestination::FormPaint);
  btnBack->OnClick = Bind(&TfrmDestination::btnBackClick);
  btnBrowse->OnClick = Bind(&TfrmDestination::btnBrowseClick);
}

void TfrmDestination::FormCreate(TObject*) {
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Nächste >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  btnBack->SetCaption(ByLanguage("< &Tilbage"_a, "< &Zurück"_a, "< &Atrás"_a, "< &Back"_a));
  SetCaption(ByLanguage("Udpeg plads på harddisk"_a, "Platz auf der Festplatte angeben"_a,
                        "Elegir el sitio de destinación"_a, "Choose destination location"_a));
  if (SetupLanguage() == 6) btnBrowse->SetCaption("Gennemse...");
  if (SetupLanguage() == 10) btnBrowse->SetCaption("Explorar...");
  gbDestination->SetCaption(SetupLanguage() == 10 ? "Sitio de destinación."_a : Caption());
  const std::vector<AnsiString> lines = ByLanguage<std::vector<AnsiString>>(
      {"Installations-programmet vil lægge Kryds og Tværs programmerne ind på din computer, i det bibliotek der er "
       "angivet nedenfor."_a,
       "", "Hvis du er tilnreds hermed, skal du bare klikke med venstre museknap på Fortsæt-knappen."_a, "",
       "Hvis du ønsker at installere Kryds og Tværs programmet i et andet bibliotek, skal du klikke på Browse-knappen "
       "for at angive et nyt bibliotek."_a},
      {"Das Installationsprogramm wird den Kreuzworträtselprogram auf Ihren Computer einlegen. In die Bibliothek die "
       "unten angegeben ist."_a,
       "", "Wenn es da ist, sollen Sie bloß mit der linken Maustaste auf die 'Nächste'-Taste klicken."_a, "",
       "Wenn Sie wünschen den Kreuzworträtselprogram in eine andere Bibliothek zu installieren, müssen Sie auf die "
       "'Browse'-Taste klicken um eine neue Bibliothek anzugeben."_a},
      {"El programa de instalación de el programa de Crucigramas pondrá los archivos en este directorio."_a, "",
       "Para instalar el programa en este directorio, pulse el botón \"Próximo\"."_a, "",
       "Para instalar en otros directorios, pulse \"Explorar\" y elija otro directorio."_a},
      {"This Setup program will install the crossword program in the directory below.", "",
       "To install in this directory, click Next.", "",
       "To install the program in a different directory, click Browse and select another directory."});
  for (const AnsiString& line : lines) Memo1->Lines->Add(line);
  SetTargetPath(ReadProgramFilesDir(), ByLanguage("Kryds Tyx"_a, "Rätsel Tyx"_a, "Crucigrama Tyx"_a, "Crossword Tyx"_a));
}

void TfrmDestination::FormPaint(TObject*) { lbProgramFilesDir->SetCaption(ShortTargetPath(30)); }

void TfrmDestination::FormClose(TObject*, TCloseAction&) {}

void TfrmDestination::btnNextClick(TObject*) {
  SetVisible(false);
  Choices.InstallSolver = true;
  Choices.CompactSolver = Choices.InstallGenerator = Choices.CompactGenerator = false;
  Choices.InstallDrawer = Choices.CompactDrawer = false;
  Choices.DrawerLanguage = Choices.GeneratorLanguage = Choices.SolverHelpLanguage = Choices.SolverMainLanguage =
      Choices.SolverDictionaryLanguage = SetupLanguage();
  frmFolder->ShowModal();
}

void TfrmDestination::btnBackClick(TObject*) {
  Close();
  frmMain->SetVisible(true);
}

void TfrmDestination::btnBrowseClick(TObject*) { frmChooseDir->ShowModal(); }
