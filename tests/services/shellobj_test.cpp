// Shortcuts made through the shell link object on a machine directory.
#include "services/ShellOBJ.h"

#include <gtest/gtest.h>

#include "platform/win32/com.h"
#include "platform/win32/com_object.h"
#include "platform/win32/machine.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

TEST(CreateShellLink, WritesReplacesAndRefusesWhatDoesNotFit) {
  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m");
  fs::create_directories(tmp / "m/drive_c/Menu");
  Machine machine(tmp / "m");
  MachineScope scope(machine);
  CoInitialize(nullptr);

  EXPECT_TRUE(HResultSucceeded(CreateShellLink("C:\\Tyx\\Help.chm", "C:\\Menu\\Help.lnk", "Help", "C:\\Tyx")));
  EXPECT_TRUE(fs::exists(tmp / "m/drive_c/Menu/Help.lnk"));
  const std::string first = testing_support::read_file(tmp / "m/drive_c/Menu/Help.lnk");
  EXPECT_TRUE(HResultSucceeded(CreateShellLink("C:\\Tyx\\Other.chm", "C:\\Menu\\Help.lnk", "Help", "C:\\Tyx")));
  const std::string replaced = testing_support::read_file(tmp / "m/drive_c/Menu/Help.lnk");
  EXPECT_NE(replaced, first);
  EXPECT_NE(replaced.find("Other.chm"), std::string::npos);
  EXPECT_EQ(CreateShellLink("C:\\Tyx\\Help.chm", "C:\\NoMenu\\Help.lnk", "Help", "C:\\Tyx"),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));

  // 259 characters and the terminator fit the shell's buffer; 260 do not.
  const std::string folder = "C:\\Menu\\";
  const std::string fits = folder + std::string(259 - folder.size() - 4, 'x') + ".lnk";
  const std::string too_long = folder + std::string(260 - folder.size() - 4, 'x') + ".lnk";
  ASSERT_EQ(fits.size(), 259u);
  EXPECT_TRUE(HResultSucceeded(CreateShellLink("C:\\a.exe", fits, "A", "C:\\")));
  EXPECT_FALSE(HResultSucceeded(CreateShellLink("C:\\a.exe", too_long, "A", "C:\\")));
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp / "m/drive_c/Menu"), fs::directory_iterator()), 2);

  CoUninitialize();
  EXPECT_FALSE(HResultSucceeded(CreateShellLink("C:\\a.exe", "C:\\Menu\\b.lnk", "A", "C:\\")));
  EXPECT_TRUE(HResultSucceeded(0));
  EXPECT_TRUE(HResultSucceeded(1));
  EXPECT_FALSE(HResultSucceeded(E_FAIL));
}

}  // namespace
