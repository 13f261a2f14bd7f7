// The probes, system folders and shell links on prefixes made by wineboot, seen as a 32-bit
// program sees them, and the links read by lnkinfo and by Wine's menu builder.
#include <gtest/gtest.h>

#include <pwd.h>
#include <algorithm>
#include <unistd.h>

#include "platform/win32/com.h"
#include "platform/win32/machine.h"
#include "platform/win32/version.h"
#include "services/CommonUnit.h"
#include "services/ShellOBJ.h"
#include "services/SystemFolders.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine.h"

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::TempDir;

namespace {

using testing_support::WinePrefix;
using testing_support::kWinePrefixes;

std::string login() { return getpwuid(getuid())->pw_name; }

class OnWinePrefix : public ::testing::TestWithParam<WinePrefix> {
 protected:
  void SetUp() override {
    if (!testing_support::wine_installed()) GTEST_SKIP() << "wine is not installed";
    const fs::path fixture = fs::path(WINE_PREFIXES) / GetParam().arch;
    ASSERT_TRUE(fs::exists(fixture / "system.reg")) << "the wine_prefixes fixture did not run";
    testing_support::copy_prefix(fixture, prefix);
    machine = std::make_unique<win32::Machine>(prefix);
    scope = std::make_unique<win32::MachineScope>(*machine);
    machine->SetProgramPath("D:\\SETUP.EXE");
  }
  TempDir tmp;
  fs::path prefix = tmp / "prefix";
  std::unique_ptr<win32::Machine> machine;
  std::unique_ptr<win32::MachineScope> scope;
};

TEST_P(OnWinePrefix, ProbesAndFoldersAnswerAsWindows7Does) {
  EXPECT_EQ(ReadProgramFilesDir(), GetParam().program_files);
  EXPECT_EQ(ReadStartMenuProgramsDir(),
            "C:\\users\\" + login() + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(ReadFontsDir(), "C:\\windows\\Fonts");
  EXPECT_TRUE(IsDcomEnabled());
  EXPECT_TRUE(HasChmOpenCommand());
  // The fixture's prefixes are made without Gecko, so nothing is registered for .htm.
  EXPECT_FALSE(HasHtmOpenCommand());
  EXPECT_FALSE(IsWindows95());
  win32::OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
  ASSERT_TRUE(win32::GetVersionExA(&info));
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwBuildNumber, 7601u);
  EXPECT_STREQ(info.szCSDVersion, "Service Pack 1");
  EXPECT_GT(GetDiskFreeBytes(3), 0);
  EXPECT_EQ(GetDiskFreeBytes(17), -1);
}

// A link in the Start menu is what Wine's own IShellLinkA would have left: lnkinfo reads it
// and the menu builder turns it into a menu entry with our target, description and folder.
TEST_P(OnWinePrefix, LinksInTheStartMenuBecomeMenuEntries) {
  const AnsiString programs = ReadStartMenuProgramsDir();
  const AnsiString install = AnsiString(GetParam().program_files) + "\\R\xE4tsel Tyx";
  const AnsiString link = programs + "\\R\xE4tsel\\L\xF6ser.lnk";
  const fs::path group =
      prefix / "drive_c" / ("users/" + login() + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/R\xC3\xA4tsel");
  fs::create_directories(group);
  win32::CoInitialize(nullptr);
  ASSERT_TRUE(HResultSucceeded(CreateShellLink(install + "\\Solver.exe", link, "Kreuzwortr\xE4tsel  L\xF6ser", install)));
  win32::CoUninitialize();

  const fs::path file = group / "L\xC3\xB6ser.lnk";
  const std::string info = testing_support::run("LANG=C.UTF-8 lnkinfo '" + file.string() + "' 2>&1");
  EXPECT_NE(info.find("Local path\t\t\t: " + rtl::ansi_to_utf8(install) + "\\Solver.exe\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Description\t\t\t: Kreuzwortr\xC3\xA4tsel  L\xC3\xB6ser\n"), std::string::npos) << info;

  const fs::path xdg = tmp / "xdg";
  const std::string loader = std::string(GetParam().arch) == "win64" ? testing_support::wine64_command() : "wine";
  testing_support::run(testing_support::wine_env(prefix) + "XDG_DATA_HOME='" + (xdg / "data").string() +
                       "' XDG_CONFIG_HOME='" + (xdg / "config").string() + "' " + loader + " winemenubuilder '" +
                       rtl::ansi_to_utf8(link) + "' 2>&1; " + testing_support::wine_env(prefix) + "wineserver -w");
  const fs::path entry = xdg / "data/applications/wine/Programs/R\xC3\xA4tsel/L\xC3\xB6ser.desktop";
  ASSERT_TRUE(fs::exists(entry)) << "no menu entry was made";
  const std::string desktop = read_file(entry);
  EXPECT_NE(desktop.find("Name=L\xC3\xB6ser\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("Comment=Kreuzwortr\xC3\xA4tsel  L\xC3\xB6ser\n"), std::string::npos) << desktop;
  std::string folder = rtl::ansi_to_utf8(install.substr(3));
  std::replace(folder.begin(), folder.end(), '\\', '/');
  EXPECT_NE(desktop.find("Path=" + prefix.string() + "/dosdevices/c:/" + folder + "\n"),
            std::string::npos)
      << desktop;
  EXPECT_NE(desktop.find("StartupWMClass=solver.exe\n"), std::string::npos) << desktop;
}

INSTANTIATE_TEST_SUITE_P(Prefixes, OnWinePrefix, ::testing::ValuesIn(kWinePrefixes),
                         [](const auto& info) { return std::string(info.param.arch); });

}  // namespace
