// The summary page, which hands over to the installation run.
#include "pages/StartCopyingUnit.h"

#include <vector>

#include "engine/CopyingFilesUnit.h"
#include "pages/FolderUnit.h"
#include "pages/SetupTypeUnit.h"
#include "services/CommonUnit.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmStartCopying* frmStartCopying = nullptr;

TfrmStartCopying::TfrmStartCopying(TComponent* owner) : TfrmMain(owner) {
  SetClientWidth(441);
  SetClientHeight(285);
  Memo1->SetHeight(105);
  Memo1->Lines->Clear();
  panHR->SetTop(247);
  btnNext->SetTop(255);
  btnCancel->SetTop(255);
  btnBack = Make<TButton>("btnBack");
  btnBack->SetBounds(224, 255, 65, 25);
  Label1 = Make<TLabel>("Label1");
  Label1->SetBounds(128, 116, 90, 13);
  Label1->Font()->SetStyle(fsBold);
  Memo2 = Make<TMemo>("Memo2");
  Memo2->SetBounds(128, 130, 305, 111);
  Memo2->SetReadOnly(true);
  Memo2->SetColor(clBtnFace);
  Memo2->SetScrollBars(ssBoth);
  // A long path scrolls sideways instead of breaking across lines.
  Memo2->SetWordWrap(false);

  OnActivate = Bind(&TfrmStartCopying::FormActivate);
  btnBack->OnClick = Bind(&TfrmStartCopying::btnBackClick);
}

void TfrmStartCopying::FormCreate(TObject*) {
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Weiter >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  btnBack->SetCaption(ByLanguage("< &Tilbage"_a, "< &Zurück"_a, "< &Atrás"_a, "< &Back"_a));
  SetCaption(ByLanguage("Færdiggør Installation"_a, "SETUP fertig zur Installation"_a,
                        "Comienza copias de archivos"_a, "Start Copying Files"_a));
  Label1->SetCaption(ByLanguage("Valgte indstillinger:"_a, "Gewählten Einstellungen:"_a, "Colocación actual:"_a,
                                "Current Settings:"_a));
  const std::vector<AnsiString> lines = ByLanguage<std::vector<AnsiString>>(
      {"Installations-programmet er nu klar til at færdiggøre installationen. Hvis du ønsker at ændre de valgte "
       "indstillinger, så klik med venstre museknap på Tilbage-knappen. Hvis du tilfreds med de valgte "
       "indstillinger, skal du klikke med musen på Fortsæt-knappen."_a},
      {"SETUP ist jetzt bereit, die Installation auf Ihrem Computer durchzuführen. Klicken Sie auf 'Zurück', wenn "
       "Sie die gewählte Einstellungen nochmals ändern möchten."_a,
       "", "Mit 'Weiter' starten Sie die Installation mit den gewählten Einstellungen."_a},
      {"El programa de instalación  ha recibido la suficiente información para poder comenzar la copia de archivos "
       "en su ordenador."_a,
       "Desea Ud. ver o cambiar una colocación, deberá oprimir \"Atrás\"."_a,
       "De quedar Ud. satisfecho con la colocación deberá pulsar \"Próximo\" para empezar la copia de archivos."_a},
      {"Setup has enough information to start copying CROSSWORD-files to your computer. If you want to review or "
       "change any settings, click Back. If you are satisfied with the settings, click Next to begin copying "
       "files."});
  for (const AnsiString& line : lines) Memo1->Lines->Add(line);
}

void TfrmStartCopying::FormActivate(TObject*) {
  const AnsiString indent = "   ";
  TRadioGroup* setup_type = frmSetupType->rgSetupType;
  const int index = setup_type->ItemIndex();
  // A choice outside the items would stop the rebuild half way; the line stays empty.
  const AnsiString type =
      index >= 0 && index < setup_type->Items->Count() ? setup_type->Items->Strings(index) : AnsiString();
  Memo2->Lines->Clear();
  Memo2->Lines->Add(ByLanguage("Installations type:"_a, "Der Typ vom Installieren:"_a, "Tipo del instalaciòn:"_a,
                               "Setup Type:"_a));
  Memo2->Lines->Add(indent + type);
  Memo2->Lines->Add("");
  Memo2->Lines->Add(ByLanguage("Installeres i biblioteket:"_a, "Zielverzeichnis:"_a, "Destino:"_a,
                               "Target Directory:"_a));
  Memo2->Lines->Add(indent + Choices.TargetBaseDir + Choices.TargetSubDir);
  Memo2->Lines->Add("");
  Memo2->Lines->Add(ByLanguage("Programikoner lægges i folderen:"_a, "Zielordner:"_a, "El nombre del grupo:"_a,
                               "Target Folder:"_a));
  Memo2->Lines->Add(indent + Choices.ProgramFolder);
}

void TfrmStartCopying::FormClose(TObject*, TCloseAction&) {}

void TfrmStartCopying::btnNextClick(TObject*) {
  SetVisible(false);
  frmCopyingFiles->Show();
}

void TfrmStartCopying::btnBackClick(TObject*) {
  Close();
  frmFolder->SetVisible(true);
}
