// The page template and the welcome page's texts and handlers.
#include "shell/MainUnit.h"

#include "pages/DestinationUnit.h"
#include "resources/Pictures.h"
#include "services/CommonUnit.h"
#include "shell/TextArea.h"
#include "shell/ExitUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsSingle);
  SetBorderIcons(0);
  SetPosition(poScreenCenter);
  SetClientWidth(441);
  SetClientHeight(294);

  btnNext = Make<TButton>("btnNext");
  btnNext->SetBounds(296, 264, 65, 25);
  btnNext->SetTabOrder(0);
  btnCancel = Make<TButton>("btnCancel");
  btnCancel->SetBounds(368, 264, 65, 25);
  btnCancel->SetTabOrder(1);
  btnCancel->SetCancel(true);
  Image1 = Make<TImage>("Image1");
  Image1->SetBounds(8, 8, 105, 233);
  Image1->SetStretch(true);
  LoadSidePicture(*Image1->Picture());
  panHR = Make<TPanel>("panHR");
  panHR->SetBounds(8, 256, 425, 3);
  panHR->SetBevelOuter(bvLowered);
  Memo1 = MakeTextArea(*this, "Memo1", 128, 8, 305, 233);
  Memo1->Lines->Add("");
  SetActiveControl(btnNext);

  btnCancel->OnClick = Bind(&TfrmMain::btnCancelClick);
  btnNext->OnClick = Bind(&TfrmMain::btnNextClick);
  OnCreate = Bind(&TfrmMain::FormCreate);
  OnClose = Bind(&TfrmMain::FormClose);
}

void TfrmMain::btnCancelClick(TObject*) { frmExit->ShowModal(); }

void TfrmMain::btnNextClick(TObject*) {
  SetVisible(false);
  // On the road destination, folder, Back to the setup type page, Back here, the
  // destination page is still open underneath in its own modal loop: it is made visible
  // again, as every Back does with a page that is still open, so one page stays visible.
  if (frmDestination->Modal())
    frmDestination->SetVisible(true);
  else
    frmDestination->ShowModal();
}

void TfrmMain::FormCreate(TObject*) {
  Application->SetTitle(ByLanguage("Installation"_a, "SETUP"_a, "Instalación"_a, "Setup"_a));
  SetCaption(ByLanguage("Installation af Kryds og Tværs Programmer"_a, "SETUP"_a,
                        "Instalación del programa de crucigramas"_a, "Installation of Crossword programs"_a));
  btnNext->SetCaption(ByLanguage("&Fortsæt >"_a, "&Weiter >"_a, "&Próximo >"_a, "&Next >"_a));
  btnCancel->SetCaption(ByLanguage("&Afbryd"_a, "&Abbrechen"_a, "&Cancelar"_a, "&Cancel"_a));
  const std::vector<AnsiString> lines = ByLanguage<std::vector<AnsiString>>(
      {"Velkommen. Dette program vil hjælpe dig med at installere Kryds og Tværs Programmer på din computer."_a, "",
       "Inden du fortsætter med denne installation, er det bedst, hvis du lukker alle andre Windows programmer."_a, "",
       "Klik med venstre museknap på Afbryd-knappen for at forlade dette installationsprogram. Klik på "
       "Fortsæt-knappen hvis du ønsker at fortsætte."_a},
      {"Willkommen zur KREUZWORTRÄTSEL Installation."_a, "",
       "Es wird empfohlen, daß Sie alle Windows Programme beenden, bevor Sie SETUP fortsetzen. Über ALT + TAB "
       "können Sie zwischen den Programmen wechseln. Sichern Sie Ihre Arbeit und beenden Sie die geöffneten "
       "Anwendungen."_a,
       "", "", "",
       "Um die Installation fortzusetzen, klicken Sie auf 'Weiter'. Mit 'Abbrechen' verlassen Sie das "
       "Installationsprogramm."_a},
      {"Bien venido a las programas de Crucigrama. Con la ayuda de este programa tendrá Usted la oportunidad de "
       "instalar los programas en su ordenador."_a,
       "",
       "Antes de comenzar a instalar el programa deberá apagar los otros programas que se encuentren en "
       "funcionamiento."_a,
       "",
       "Con ayuda del botón \"Cancelar\" podrá salir sin la necesidad de instalar los programas. Pulsando el botón "
       "\"Próximo\" puede Ud.  continuar el proceso."_a},
      {"Welcome. This program will help you to install the crossword-programs on your computer.", "",
       "Before you continue please exit all other Windows programs.", "",
       "Click Cancel to quit this setup program. Click Next to continue the installation."});
  for (const AnsiString& line : lines) Memo1->Lines->Add(line);
}

void TfrmMain::FormClose(TObject*, TCloseAction& Action) { Action = caNone; }
