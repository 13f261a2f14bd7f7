// The custom setup page: programs, compact forms and languages.
#include "pages/CustomSetupUnit.h"

#include <algorithm>
#include <vector>

#include "pages/FolderUnit.h"
#include "pages/SetupTypeUnit.h"
#include "services/CommonUnit.h"
#include "services/SystemFolders.h"
#include "shell/Choices.h"

using namespace vcl;
using namespace rtl::literals;

TfrmCustomSetup* frmCustomSetup = nullptr;

namespace {

// True until the first activation has filled the language boxes.
bool ListsPending = true;

}  // namespace

std::array<TLanguageItem, 4> LanguageListOrder(int setup_language) {
  switch (setup_language) {
    case 6: return {{{"Dansk", 6}, {"Engelsk", 9}, {"Tysk", 7}, {"Spansk", 10}}};
    case 7: return {{{"Deutsch", 7}, {"Englisch", 9}, {"Spanisch", 10}, {"Dänisch"_a, 6}}};
    case 10: return {{{"Castellano", 10}, {"Inglés"_a, 9}, {"Alemán"_a, 7}, {"Danés"_a, 6}}};
    default: return {{{"English", 9}, {"German", 7}, {"Spanish", 10}, {"Danish", 6}}};
  }
}

int LanguageCodeOf(int setup_language, int item_index) {
  if (item_index < 0 || item_index >= 4) return 9;
  return LanguageListOrder(setup_language)[static_cast<std::size_t>(item_index)].code;
}

TfrmCustomSetup::TfrmCustomSetup(TComponent* owner) : TfrmMain(owner) {
  SetClientWidth(542);
  SetClientHeight(401);
  Image1->SetBounds(8, 8, 113, 337);
  Memo1->SetBounds(152, 8, 265, 17);
  Memo1->Lines->Clear();
  panHR->SetBounds(panHR->Left(), 360, 529, panHR->Height());
  btnNext->SetBounds(376, 368, btnNext->Width(), btnNext->Height());
  btnCancel->SetBounds(464, 368, btnCancel->Width(), btnCancel->Height());
  btnBack = Make<TButton>("btnBack");
  btnBack->SetBounds(296, 368, 75, 25);

  auto program = [this](const char* name, int top) {
    TCheckBox* box = Make<TCheckBox>(name);
    box->SetBounds(136, top, 100, 17);
    box->SetChecked(true);
    return box;
  };
  auto group = [this](const char* name, int top, int height) {
    TGroupBox* box = Make<TGroupBox>(name);
    box->SetBounds(240, top, 297, height);
    return box;
  };
  auto compact = [this](const char* name, TGroupBox* parent) {
    TCheckBox* box = Make<TCheckBox>(name, parent);
    box->SetBounds(14, 16, 121, 17);
    box->SetAlignment(taLeftJustify);
    return box;
  };
  auto label = [this](const char* name, TGroupBox* parent, int top) {
    TLabel* caption = Make<TLabel>(name, parent);
    caption->SetBounds(16, top, caption->Width(), caption->Height());
    return caption;
  };
  auto language = [this](const char* name, TGroupBox* parent, int top, const std::vector<AnsiString>& items) {
    TComboBox* box = Make<TComboBox>(name, parent);
    box->SetBounds(144, top, 137, box->Height());
    for (const AnsiString& item : items) box->Items->Add(item);
    return box;
  };
  // What the boxes hold before the first activation replaces it; nobody sees these.
  const std::vector<AnsiString> program_languages = {
      "Dansk", "Tysk - Normalt", "Tysk - Kryds og Tværs"_a, "Engelsk", "Svensk",
      "Norsk", "Fransk",         "Italiensk",                "Hollandsk", "Spansk"};
  const std::vector<AnsiString> help_languages = {"Dansk", "Engelsk", "Tysk", "Svensk", "Norsk"};

  cbQuillax = program("cbQuillax", 48);
  cbXGenerator = program("cbXGenerator", 176);
  cbXDrawer = program("cbXDrawer", 280);

  gbQuilax = group("gbQuilax", 32, 121);
  cbCompactSolver = compact("cbCompactSolver", gbQuilax);
  Label0 = label("Label0", gbQuilax, 44);
  cdMainLanguageSolver = language("cdMainLanguageSolver", gbQuilax, 44, program_languages);
  Label2 = label("Label2", gbQuilax, 68);
  cbOnlineHelpLanguageSolver = language("cbOnlineHelpLanguageSolver", gbQuilax, 68, help_languages);
  Label1 = label("Label1", gbQuilax, 92);
  cbDictionaryLanguageSolver = language("cbDictionaryLanguageSolver", gbQuilax, 92, program_languages);

  gbGenerator = group("gbGenerator", 160, 89);
  cbCompactGenerator = compact("cbCompactGenerator", gbGenerator);
  cbCompactGenerator->SetVisible(false);
  Label3 = label("Label3", gbGenerator, 44);
  cdMainLanguageGenerator = language("cdMainLanguageGenerator", gbGenerator, 36, program_languages);
  Label4 = label("Label4", gbGenerator, 68);
  cbOnlineHelpLanguageGenerator = language("cbOnlineHelpLanguageGenerator", gbGenerator, 60, help_languages);

  gbDrawer = group("gbDrawer", 256, 89);
  cbCompactDrawer = compact("cbCompactDrawer", gbDrawer);
  cbCompactDrawer->SetVisible(false);
  Label5 = label("Label5", gbDrawer, 44);
  cdMainLanguageDrawer = language("cdMainLanguageDrawer", gbDrawer, 36, program_languages);
  Label6 = label("Label6", gbDrawer, 68);
  cbOnlineHelpLanguageDrawer = language("cbOnlineHelpLanguageDrawer", gbDrawer, 60, help_languages);

  Label7 = Make<TLabel>("Label7");
  Label7->SetBounds(8, 368, Label7->Width(), Label7->Height());
  Label8 = Make<TLabel>("Label8");
  Label8->SetBounds(8, 384, Label8->Width(), Label8->Height());
  lbSizeNeeded = Make<TLabel>("lbSizeNeeded");
  lbSizeNeeded->SetBounds(115, 368, lbSizeNeeded->Width(), lbSizeNeeded->Height());
  lbSizeAvailable = Make<TLabel>("lbSizeAvailable");
  lbSizeAvailable->SetBounds(115, 384, lbSizeAvailable->Width(), lbSizeAvailable->Height());
  for (TLabel* caption : {Label0, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, lbSizeNeeded,
                          lbSizeAvailable})
    caption->SetCaption("");

  OnActivate = Bind(&TfrmCustomSetup::FormActivate);
  OnPaint = Bind(&TfrmCustomSetup::FormPaint);
  cbQuillax->OnClick = Bind(&TfrmCustomSetup::cbQuillaxClick);
  cbXGenerator->OnClick = Bind(&TfrmCustomSetup::cbXGeneratorClick);
  cbXDrawer->OnClick = Bind(&TfrmCustomSetup::cbXDrawerClick);
  for (TCheckBox* box : {cbCompactSolver, cbCompactGenerator, cbCompactDrawer})
    box->OnClick = Bind(&TfrmCustomSetup::cbCompactSolverClick);
  cdMainLanguageSolver->OnChange = Bind(&TfrmCustomSetup::cdMainLanguageSolverChange);
  cbOnlineHelpLanguageSolver->OnChange = Bind(&TfrmCustomSetup::cbOnlineHelpLanguageSolverChange);
  cbDictionaryLanguageSolver->OnChange = Bind(&TfrmCustomSetup::cbDictionaryLanguageSolverChange);
  cdMainLanguageGenerator->OnChange = Bind(&TfrmCustomSetup::cdMainLanguageGeneratorChange);
  cbOnlineHelpLanguageGenerator->OnChange = Bind(&TfrmCustomSetup::cbOnlineHelpLanguageGeneratorChange);
  cdMainLanguageDrawer->OnChange = Bind(&TfrmCustomSetup::cdMainLanguageDrawerChange);
  cbOnlineHelpLanguageDrawer->OnChange = Bind(&TfrmCustomSetup::cbOnlineHelpLanguageDrawerChange);
  btnBack->OnClick = Bind(&TfrmCustomSetup::btnBackClick);
}

std::array<TComboBox*, 7> TfrmCustomSetup::language_boxes() const {
  return {cdMainLanguageSolver,    cbOnlineHelpLanguageSolver,    cbDictionaryLanguageSolver, cdMainLanguageGenerator,
          cbOnlineHelpLanguageGenerator, cdMainLanguageDrawer, cbOnlineHelpLanguageDrawer};
}

void TfrmCustomSetup::FormCreate(TObject*) {
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Weiter >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  btnBack->SetCaption(ByLanguage("< &Tilbage"_a, "< &Zurück"_a, "< &Atrás"_a, "< &Back"_a));
  SetCaption(ByLanguage("Vælg programmer"_a, "SETUP wählen"_a, "Seleccione los programas"_a, "Select programs"_a));
  Memo1->Lines->Add(ByLanguage("Vælg de programmer du ønsker at installere:"_a,
                               "Wählen Sie die Programme, die Sie installieren möchten:"_a,
                               "Elija qué programas desea Ud. instalar:"_a,
                               "Choose the programs you want to install:"_a));
  cbQuillax->SetCaption(ByLanguage("Løser"_a, "Löser"_a, "El Solucionador"_a, "The Quillax"_a));
  cbXGenerator->SetCaption(ByLanguage("Bygger"_a, "Generator"_a, "El Constructor"_a, "The Builder"_a));
  cbXDrawer->SetCaption(ByLanguage("Tegner"_a, "Zeichner"_a, "El Diseñador"_a, "The Draftsman"_a));
  cbCompactSolver->SetCaption(ByLanguage("Kompakt installation:"_a, "Kompakt:"_a, "Instalación compacta:"_a,
                                         "Compact installation:"_a));
  Label0->SetCaption(ByLanguage("Programmets hovedsprog:"_a, "Sprache des Programms:"_a, "Lengua del programa:"_a,
                                "Main language:"_a));
  Label2->SetCaption(ByLanguage("Sprog for hjælpefiler:"_a, "Sprache der Hilfsdateien:"_a,
                                "Lengua de ayuda (on-line):"_a, "Language for online help:"_a));
  Label1->SetCaption(ByLanguage("Primært sprog for ordbog:"_a, "Sprache der Wörterbücher:"_a,
                                "Lengua del diccionario:"_a, "Primary language for dictionary:"_a));
  cbCompactGenerator->SetCaption(cbCompactSolver->Caption());
  cbCompactDrawer->SetCaption(cbCompactSolver->Caption());
  Label3->SetCaption(Label0->Caption());
  Label5->SetCaption(Label0->Caption());
  Label4->SetCaption(Label2->Caption());
  Label6->SetCaption(Label2->Caption());
  Label7->SetCaption(ByLanguage("Plads nødvendig:"_a, "Benötigter Speicherplatz:"_a, "Espacio necesario:"_a,
                                "Space required:"_a));
  Label8->SetCaption(ByLanguage("Plads på harddisk ialt:"_a, "Vorhandener Speicherplatz:"_a,
                                "Espacio disponible:"_a, "Space available:"_a));

  // The dialog font here runs wider than the one the page was laid out in: a text that
  // would be cut off widens its control to the right, where the page has room.
  const int prompt_width = TextWidth(Memo1->GetFont(), Memo1->Lines->Strings(0)) + 8;
  if (prompt_width > Memo1->Width()) Memo1->SetWidth(std::min(prompt_width, ClientWidth() - Memo1->Left() - 5));
  const int compact_width = TextWidth(cbCompactSolver->GetFont(), cbCompactSolver->Caption()) + 24;
  for (TCheckBox* box : {cbCompactSolver, cbCompactGenerator, cbCompactDrawer})
    if (compact_width > box->Width()) box->SetWidth(compact_width);

  // The sizes start one column right of the wider caption.
  const int caption_width = Label7->Width() > Label8->Width() ? Label7->Width() : Label8->Width();
  lbSizeAvailable->SetLeft(Label7->Left() + caption_width + 5);
  lbSizeNeeded->SetLeft(lbSizeAvailable->Left());

  // The language boxes start right of the widest caption and keep their right edge.
  int widest = 0;
  for (TLabel* caption : {Label0, Label2, Label1, Label3, Label4, Label5, Label6})
    widest = std::max(widest, caption->Width());
  const int left = Label0->Left() + widest + 5;
  const int width = cdMainLanguageSolver->Left() + cdMainLanguageSolver->Width() - left;
  for (TComboBox* box : language_boxes()) box->SetWidth(width);
  for (TComboBox* box : language_boxes()) box->SetLeft(left);
}

void TfrmCustomSetup::StoreComponentFlags() {
  Choices.InstallSolver = cbQuillax->Checked();
  Choices.CompactSolver = cbQuillax->Checked() && cbCompactSolver->Checked();
  Choices.InstallGenerator = cbXGenerator->Checked();
  Choices.CompactGenerator = cbXGenerator->Checked() && cbCompactGenerator->Checked();
  Choices.InstallDrawer = cbXDrawer->Checked();
  Choices.CompactDrawer = cbXDrawer->Checked() && cbCompactDrawer->Checked();
}

void TfrmCustomSetup::UpdateSelection() {
  StoreComponentFlags();
  lbSizeNeeded->SetCaption(SizeText());
}

void TfrmCustomSetup::FormActivate(TObject*) {
  if (!ListsPending) return;
  UpdateSelection();
  ListsPending = false;
  const auto items = LanguageListOrder(SetupLanguage());
  for (TComboBox* box : language_boxes()) {
    box->Items->Clear();
    for (const TLanguageItem& item : items) box->Items->Add(item.name);
    box->SetItemIndex(0);
  }
  Choices.SolverMainLanguage = Choices.SolverHelpLanguage = Choices.SolverDictionaryLanguage = StoredSetupLanguage();
}

void TfrmCustomSetup::FormPaint(TObject*) { lbSizeAvailable->SetCaption(FreeSpaceText()); }

void TfrmCustomSetup::cbQuillaxClick(TObject*) {
  const bool on = cbQuillax->Checked();
  for (TControl* c : std::initializer_list<TControl*>{gbQuilax, cbCompactSolver, cdMainLanguageSolver,
                                                      cbDictionaryLanguageSolver, cbOnlineHelpLanguageSolver, Label0,
                                                      Label1, Label2})
    c->SetEnabled(on);
  UpdateSelection();
}

void TfrmCustomSetup::cbXGeneratorClick(TObject*) {
  const bool on = cbXGenerator->Checked();
  for (TControl* c : std::initializer_list<TControl*>{gbGenerator, cbCompactGenerator, cdMainLanguageGenerator,
                                                      cbOnlineHelpLanguageGenerator, Label3, Label4})
    c->SetEnabled(on);
  UpdateSelection();
}

void TfrmCustomSetup::cbXDrawerClick(TObject*) {
  const bool on = cbXDrawer->Checked();
  for (TControl* c : std::initializer_list<TControl*>{gbDrawer, cbCompactDrawer, cdMainLanguageDrawer,
                                                      cbOnlineHelpLanguageDrawer, Label5, Label6})
    c->SetEnabled(on);
  UpdateSelection();
}

void TfrmCustomSetup::cbCompactSolverClick(TObject*) { UpdateSelection(); }

// The Solver's program, help and dictionary languages are independent and read on Next.
void TfrmCustomSetup::cdMainLanguageSolverChange(TObject*) {}
void TfrmCustomSetup::cbOnlineHelpLanguageSolverChange(TObject*) {}
void TfrmCustomSetup::cbDictionaryLanguageSolverChange(TObject*) {}

// The Generator and the Drawer share one language for program and help alike, so their
// four boxes always show the same item; an index set from code raises no change, so the
// copies do not echo.
void TfrmCustomSetup::cdMainLanguageGeneratorChange(TObject*) {
  const int index = cdMainLanguageGenerator->ItemIndex();
  for (TComboBox* box : {cbOnlineHelpLanguageGenerator, cbOnlineHelpLanguageDrawer, cdMainLanguageDrawer})
    box->SetItemIndex(index);
}

void TfrmCustomSetup::cbOnlineHelpLanguageGeneratorChange(TObject*) {
  const int index = cbOnlineHelpLanguageGenerator->ItemIndex();
  for (TComboBox* box : {cdMainLanguageGenerator, cbOnlineHelpLanguageDrawer, cdMainLanguageDrawer})
    box->SetItemIndex(index);
}

void TfrmCustomSetup::cdMainLanguageDrawerChange(TObject*) {
  const int index = cdMainLanguageDrawer->ItemIndex();
  for (TComboBox* box : {cbOnlineHelpLanguageDrawer, cdMainLanguageGenerator, cbOnlineHelpLanguageGenerator})
    box->SetItemIndex(index);
}

void TfrmCustomSetup::cbOnlineHelpLanguageDrawerChange(TObject*) {
  const int index = cbOnlineHelpLanguageDrawer->ItemIndex();
  for (TComboBox* box : {cdMainLanguageDrawer, cdMainLanguageGenerator, cbOnlineHelpLanguageGenerator})
    box->SetItemIndex(index);
}

void TfrmCustomSetup::btnNextClick(TObject*) {
  if (TargetDriveFreeMB() < EstimatedSizeMB()) {
    ShowNotEnoughSpaceMessage();
    return;
  }
  if (!Choices.InstallSolver && !Choices.InstallGenerator && !Choices.InstallDrawer) {
    ShowNoProgramMessage();
    return;
  }
  // Every program's codes are written, chosen or not; the Generator's and the Drawer's
  // help boxes always match their main box, so they are not read.
  const int language = SetupLanguage();
  Choices.SolverMainLanguage = LanguageCodeOf(language, cdMainLanguageSolver->ItemIndex());
  Choices.SolverDictionaryLanguage = LanguageCodeOf(language, cbDictionaryLanguageSolver->ItemIndex());
  Choices.SolverHelpLanguage = LanguageCodeOf(language, cbOnlineHelpLanguageSolver->ItemIndex());
  Choices.GeneratorLanguage = LanguageCodeOf(language, cdMainLanguageGenerator->ItemIndex());
  Choices.DrawerLanguage = LanguageCodeOf(language, cdMainLanguageDrawer->ItemIndex());
  SetVisible(false);
  frmFolder->ShowModal();
}

void TfrmCustomSetup::btnBackClick(TObject*) {
  Close();
  frmSetupType->SetVisible(true);
}

void TfrmCustomSetup::FormClose(TObject*, TCloseAction&) {}
