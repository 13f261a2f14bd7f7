// The browser's drive error handler is in place only while the drive list has the focus.
#include "pages/ChooseDirUnit.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/vcl/desktop.h"
#include "platform/win32/drive_directories.h"
#include "tests/services/machine_fixture.h"

using namespace vcl;

namespace {

class ChooseDir : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    detail::reset_application();
    Application->SetDriveDirectoryProvider(&drives);
  }
  void TearDown() override { detail::reset_application(); }

  testing_support::MachineFixture machine;
  win32::MachineDriveDirectories drives{*machine.machine};
};

// Closing the browser by the keyboard while the drive list has the focus must not leave
// the drive handler swallowing the errors of every later page.
TEST_F(ChooseDir, ClosingFromTheDriveListGivesBackTheApplicationsHandler) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->SetName("frmBack");
  Application->CreateForm(frmChooseDir);
  frmChooseDir->SetName("frmChooseDir");
  bool handler_while_focused = false;
  bool handler_after_close = true;
  main->OnActivate = [&, once = false](TObject*) mutable {
    if (once) return;
    once = true;
    frmChooseDir->ShowModal();
    handler_after_close = static_cast<bool>(Application->OnException);
    Application->Terminate();
  };
  detail::desktop().Enqueue("focus DriveComboBox1");
  detail::desktop().EnqueueProbe([&] { handler_while_focused = static_cast<bool>(Application->OnException); });
  detail::desktop().Enqueue("key Escape");
  Application->Run();
  EXPECT_TRUE(handler_while_focused);
  EXPECT_FALSE(handler_after_close);
}

}  // namespace
