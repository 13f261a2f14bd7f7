// The setup type page: typical, custom or compact.
#include "pages/SetupTypeUnit.h"

#include <algorithm>

#include "pages/CustomSetupUnit.h"
#include "pages/FolderUnit.h"
#include "services/CommonUnit.h"
#include "shell/TextArea.h"
#include "services/SystemFolders.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmSetupType* frmSetupType = nullptr;

int SolverLanguageFor(int setup_language) {
  switch (setup_language) {
    case 6:
    case 7:
    case 9:
    case 10: return setup_language;
    default: return 9;
  }
}

int SolverDictionaryLanguageFor(int setup_language) {
  return setup_language == 29 ? 29 : SolverLanguageFor(setup_language);
}


TfrmSetupType::TfrmSetupType(TComponent* owner) : TfrmDestination(owner) {
  SetClientWidth(493);
  SetClientHeight(333);
  Image1->SetBounds(Image1->Left(), 14, 113, 275);
  btnNext->SetBounds(328, 304, btnNext->Width(), btnNext->Height());
  btnCancel->SetBounds(416, 304, btnCancel->Width(), btnCancel->Height());
  btnBack->SetBounds(248, 304, btnBack->Width(), btnBack->Height());
  panHR->SetBounds(panHR->Left(), 296, 481, panHR->Height());
  gbDestination->SetBounds(128, 240, 361, 49);
  btnBrowse->SetBounds(248, 16, 99, 25);

  rgSetupType = Make<TRadioGroup>("rgSetupType");
  rgSetupType->SetBounds(128, 8, 361, 233);
  for (const char* item : {"Typical", "Custom", "Compact"}) rgSetupType->Items->Add(item);
  rgSetupType->SetItemIndex(0);
  Memo2 = MakeTextArea(*this, "Memo2", 216, 46, 268, 51);
  Memo4 = MakeTextArea(*this, "Memo4", 216, 118, 268, 51);
  Memo3 = MakeTextArea(*this, "Memo3", 216, 188, 268, 45);

  Label7 = Make<TLabel>("Label7");
  Label7->SetBounds(8, 303, Label7->Width(), Label7->Height());
  Label8 = Make<TLabel>("Label8");
  Label8->SetBounds(8, 319, Label8->Width(), Label8->Height());
  lbSizeNeeded = Make<TLabel>("lbSizeNeeded");
  lbSizeNeeded->SetBounds(115, 304, lbSizeNeeded->Width(), lbSizeNeeded->Height());
  lbSizeAvailable = Make<TLabel>("lbSizeAvailable");
  lbSizeAvailable->SetBounds(115, 320, lbSizeAvailable->Width(), lbSizeAvailable->Height());
  for (TLabel* label : {Label7, Label8, lbSizeNeeded, lbSizeAvailable}) label->SetCaption("");

  OnActivate = Bind(&TfrmSetupType::FormActivate);
  rgSetupType->OnClick = Bind(&TfrmSetupType::rgSetupTypeClick);
}

void TfrmSetupType::FormCreate(TObject*) {
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Weiter >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  btnBack->SetCaption(ByLanguage("< &Tilbage"_a, "< &Zurück"_a, "< &Atrás"_a, "< &Back"_a));
  SetCaption(ByLanguage("Type af installation"_a, "SETUP Type"_a, "Tipo de instalación"_a, "Setup Type"_a));
  rgSetupType->SetCaption(ByLanguage("Vælg installation"_a, "Wählen Sie die Installation"_a,
                                     "Elija el tipo de instalación que Ud. prefiere:"_a,
                                     "Select the type of Setup you prefer:"_a));
  rgSetupType->Items->SetString(0, ByLanguage("Typisk"_a, "Typisch"_a, "Clásico"_a, "Typical"_a));
  rgSetupType->Items->SetString(1, ByLanguage("Selvvalgt"_a, "Manuell"_a, "Sofisticado"_a, "Custom"_a));
  rgSetupType->Items->SetString(2, ByLanguage("Kompakt"_a, "Kompakt"_a, "Compacto"_a, "Compact"_a));
  gbDestination->SetCaption(ByLanguage("Udpeg plads på harddisk"_a, "Zielverzeichnis"_a, "Directorio de destino"_a,
                                       "Destination directory"_a));
  // Danish and English keep the Browse caption the form was designed with.
  if (SetupLanguage() == 7) btnBrowse->SetCaption("&Durchsuchen...");
  if (SetupLanguage() == 10) btnBrowse->SetCaption("&Explorar...");
  Label7->SetCaption(ByLanguage("Plads nødvendig:"_a, "Benötigter Speicherplatz:"_a, "Espacio necesario:"_a,
                                "Space required:"_a));
  Label8->SetCaption(ByLanguage("Plads på harddisk ialt:"_a, "Vorhandener Speicherplatz:"_a,
                                "Espacio disponible:"_a, "Space available:"_a));
  Memo2->Lines->Add(ByLanguage(
      "Her installerer du programmerne med standard opsætning. Dette anbefales for de fleste."_a,
      "Das Programm wird mit den gängigen Anwendungen installiert. Für die meisten Benutzer empfohlen."_a,
      "el programa de Crucigramas será instalado por la vía mas común. Recomendada para los demás usuarios."_a,
      "The crossword program will be installed with the most common options. Recomended for most users."_a));
  Memo4->Lines->Add(ByLanguage(
      "Her kan du selv vælge hvordan programmerne installeres. Dette anbefales kun for rutinerede brugere."_a,
      "Hier legen Sie die zu installierenden Optionen selbst fest. Für erfahrene Benutzer empfohlen."_a,
      "Deberá seleccionar la opción para instalar. Recomendada solamente para usuarios avanzados."_a,
      "You may choose the options you want to install. Recomended for advanced users only."_a));
  Memo3->Lines->Add(ByLanguage(
      "Her installerer du programmerne så der optages mindst mulig plads på harddisken."_a,
      "Das Programm wird mit den minimal benötigten Optionen installiert."_a,
      "el programa de Crucigramas será instalado para usar el mínimo espacio posible en el disco duro."_a,
      "The crossword program will be installed with minimum use of harddisk space."_a));

  // The sizes start one column right of the wider caption.
  const int caption_width = Label7->Width() > Label8->Width() ? Label7->Width() : Label8->Width();
  lbSizeAvailable->SetLeft(Label7->Left() + caption_width + 5);
  lbSizeNeeded->SetLeft(lbSizeAvailable->Left());

  // The explanations fill what the widest item caption leaves of the group, ending 5
  // pixels inside its right edge, whatever the language's captions measure.
  int widest = 0;
  for (int i = 0; i <= 2; ++i) widest = std::max(widest, TextWidth(rgSetupType->GetFont(), rgSetupType->Items->Strings(i)));
  const int explanation_width = rgSetupType->Width() - widest - 50;
  Memo2->SetLeft(rgSetupType->Left() + rgSetupType->Width() - explanation_width - 5);
  Memo4->SetLeft(Memo2->Left());
  Memo3->SetLeft(Memo2->Left());
  Memo2->SetWidth(explanation_width);
  Memo4->SetWidth(Memo2->Width());
  Memo3->SetWidth(Memo2->Width());
}

void TfrmSetupType::FormActivate(TObject* Sender) { rgSetupTypeClick(Sender); }

void TfrmSetupType::FormPaint(TObject* Sender) {
  TfrmDestination::FormPaint(Sender);
  lbSizeAvailable->SetCaption(FreeSpaceText());
  lbSizeNeeded->SetCaption(SizeText());
}

void TfrmSetupType::rgSetupTypeClick(TObject*) {
  switch (rgSetupType->ItemIndex()) {
    case 0:
      Choices.InstallSolver = true;
      Choices.CompactSolver = false;
      Choices.InstallGenerator = true;
      Choices.CompactGenerator = false;
      Choices.InstallDrawer = true;
      Choices.CompactDrawer = false;
      break;
    case 1:
      frmCustomSetup->StoreComponentFlags();
      break;
    case 2:
      Choices.InstallSolver = true;
      Choices.CompactSolver = true;
      Choices.InstallGenerator = true;
      Choices.CompactGenerator = false;
      Choices.InstallDrawer = true;
      Choices.CompactDrawer = false;
      break;
  }
  lbSizeNeeded->SetCaption(SizeText());
}

void TfrmSetupType::btnNextClick(TObject*) {
  Choices.SolverMainLanguage = SolverLanguageFor(SetupLanguage());
  Choices.SolverHelpLanguage = Choices.SolverMainLanguage;
  Choices.SolverDictionaryLanguage = SolverDictionaryLanguageFor(SetupLanguage());
  // The custom page makes its own space check on its own Next.
  if (rgSetupType->ItemIndex() == 1) {
    SetVisible(false);
    frmCustomSetup->ShowModal();
    return;
  }
  if (TargetDriveFreeMB() < EstimatedSizeMB()) {
    ShowNotEnoughSpaceMessage();
    return;
  }
  SetVisible(false);
  frmFolder->ShowModal();
}

void TfrmSetupType::btnBackClick(TObject*) {
  Close();
  if (SetupLanguage() == 7)
    frmMain->SetVisible(true);
  else
    frmDestination->SetVisible(true);
}

void TfrmSetupType::FormClose(TObject*, TCloseAction&) {}
