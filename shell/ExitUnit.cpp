// The cancel dialog: Resume goes back to the page, Exit Setup ends the program.
#include "shell/ExitUnit.h"

#include "services/CommonUnit.h"
#include "shell/TextArea.h"

using namespace vcl;
using namespace rtl::literals;

TfrmExit* frmExit = nullptr;

TfrmExit::TfrmExit(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(327);
  SetClientHeight(165);
  btnExit = Make<TButton>("btnExit");
  btnExit->SetBounds(248, 136, 75, 25);
  btnExit->SetTabOrder(0);
  btnExit->SetCancel(true);
  btnResume = Make<TButton>("btnResume");
  btnResume->SetBounds(168, 136, 75, 25);
  btnResume->SetTabOrder(1);
  Memo1 = MakeTextArea(*this, "Memo1", 8, 8, 313, 113);

  btnExit->OnClick = Bind(&TfrmExit::btnExitClick);
  btnResume->OnClick = Bind(&TfrmExit::btnResumeClick);
  OnCreate = Bind(&TfrmExit::FormCreate);
}

void TfrmExit::btnExitClick(TObject*) { Application->Terminate(); }

void TfrmExit::btnResumeClick(TObject*) { Close(); }

void TfrmExit::FormCreate(TObject*) {
  btnResume->SetCaption(ByLanguage("&Fortsæt"_a, "&Fortsetzen >"_a, "&Reanudar"_a, "&Resume"_a));
  btnExit->SetCaption(ByLanguage("&Afslut"_a, "&Abbrechen"_a, "&Salir"_a, "E&xit Setup"_a));
  SetCaption(ByLanguage("Afbryd installationen"_a, "SETUP abbrechen"_a, "Salida de la instalación"_a, "Exit Setup"_a));
  const std::vector<AnsiString> lines = ByLanguage<std::vector<AnsiString>>(
      {"Installationen af Kryds og Tværs programmerne er ikke færdig. Hvis du forlader installations programmet "
       "nu, vil du ikke kunne bruge Kryds og Tværs programmerne."_a,
       "",
       "Hvis du forlader installationen, kan du altid vende tilbage på et senere tidspunkt, for at færdiggøre "
       "installaionen af Kryds og Tværs programmerne."_a,
       "",
       "Klik med venstre museknap på Fortsæt-knappen for at fortsætte installationen. Klik på Afslut-knappen for "
       "at forlade installations-programmet."_a},
      {"SETUP wurde nicht abgeschlossen. Wenn Sie SETUP jetzt verlassen, wird KREUZWORTRÄTSEL nicht installiert."_a,
       "", "Klicken Sie auf 'Abbrechen', wenn Sie das SETUP verlassen möchten."_a,
       "Klicken Sie auf 'Fortsetzen', wenn Sie zur Installation zurückkehren wollen."_a},
      {"La instalación no ha sido completada. Los programas del crucigramas no serán instalados si Ud. sale de "
       "este ahora."_a,
       "", "Ud. tiene la posibilidad se salir y de empezar de nuevo el proceso de instalación."_a, "",
       "Para continuar la instalación pulse ahora \"Reanudar\". Pulse  \"Salir\" si desea parar el proceso."_a},
      {"Setup is not complete. If you quit this Setup program now, the crossword programs will not be installed.",
       "", "You may run the Setup program at a later time to complete the installation.", "",
       "To continue installing the program, click Resume. To quit the setup program, click Exit Setup."});
  for (const AnsiString& line : lines) Memo1->Lines->Add(line);
}
