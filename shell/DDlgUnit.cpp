// The German yes/no dialog: only "&Ja" answers yes; every other way out leaves no.
#include "shell/DDlgUnit.h"

#include "platform/rtl/ansi.h"
#include "shell/TextArea.h"

using namespace vcl;
using namespace rtl::literals;

TfrmGermanDlg* frmGermanDlg = nullptr;

TfrmGermanDlg::TfrmGermanDlg(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetCaption("Bestätigung"_a);
  SetClientWidth(348);
  SetClientHeight(122);
  OKBtn = Make<TButton>("OKBtn");
  OKBtn->SetCaption("&Ja");
  OKBtn->SetBounds(95, 92, 75, 25);
  OKBtn->SetDefault(true);
  OKBtn->SetModalResult(mrOk);
  CancelBtn = Make<TButton>("CancelBtn");
  CancelBtn->SetCaption("&Nein");
  CancelBtn->SetBounds(183, 92, 75, 25);
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  Memo1 = MakeTextArea(*this, "Memo1", 16, 8, 321, 73);
  OKBtn->OnClick = Bind(&TfrmGermanDlg::OKBtnClick);
}

void TfrmGermanDlg::OKBtnClick(TObject*) {
  Answer = 6;
  Close();
}
