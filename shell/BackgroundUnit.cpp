// The background: banner text per language, full-screen size, and the wizard's start.
#include "shell/BackgroundUnit.h"

#include "services/CommonUnit.h"
#include "shell/Choices.h"
#include "shell/MainUnit.h"

using namespace vcl;
using namespace rtl::literals;

TfrmBackground* frmBackground = nullptr;

void InitializeBackgroundUnit() { Application->SetTitle("SETUP"); }

TfrmBackground::TfrmBackground(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsNone);
  SetBorderIcons(0);
  SetColor(clNavy);
  SetWindowState(wsMaximized);
  Panel1 = Make<TPanel>("Panel1");
  Panel1->SetAlign(alTop);
  Panel1->SetHeight(121);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetColor(clNavy);
  Panel1->Font()->SetName("Times New Roman");
  Panel1->Font()->SetSize(28);
  Panel1->Font()->SetStyle(fsBold);
  Panel1->Font()->SetColor(clWhite);
  OnShow = Bind(&TfrmBackground::FormShow);
  OnActivate = Bind(&TfrmBackground::FormActivate);
  OnCreate = Bind(&TfrmBackground::FormCreate);
}

void TfrmBackground::FormShow(TObject*) {
  SetHeight(Screen->Height());
  SetWidth(Screen->Width());
}

void TfrmBackground::FormActivate(TObject*) {
  Repaint();
  frmMain->ShowModal();
}

void TfrmBackground::FormCreate(TObject*) {
  Panel1->SetCaption(ByLanguage("KRYDS OG TVÆRS"_a, "KREUZWORTRÄTSEL"_a, "CRUCIGRAMAS"_a, "CROSSWORD"_a));
  if (SetupLanguage() == 7) Panel1->Font()->SetSize(26);
  Choices.GeneratorLanguage = Choices.DrawerLanguage = StoredSetupLanguage();
}
