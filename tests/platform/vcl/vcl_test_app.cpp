// A small wizard of the tests' own that session-script tests drive as a separate process.
#include "tests/platform/vcl/test_forms.h"

int main() {
  using namespace vcl;
  using namespace test_forms;
  FakeDrives drives;
  Application->Initialize();
  Application->SetTitle("Test");
  Application->SetDriveDirectoryProvider(&drives);
  Application->SetChoicesProvider([](TChoicesWriter& w) {
    w.AddString("Name", frmPage ? frmPage->edName->Text() : AnsiString());
    w.AddBoolean("Option", frmPage && frmPage->cbOption->Checked());
    w.AddInteger("Language", 7);
    w.AddString("TargetDrive", "C");
  });
  Application->CreateForm(frmBack);
  Application->CreateForm(frmPage);
  Application->CreateForm(frmExit);
  Application->CreateForm(frmSecond);
  Application->Run();
  return 0;
}
