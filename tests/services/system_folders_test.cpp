// System folders, the target path and its display, free space and the size estimate.
#include "services/SystemFolders.h"

#include <gtest/gtest.h>

#include "platform/win32/disk.h"
#include "shell/Choices.h"
#include "tests/services/machine_fixture.h"
#include "tests/support/test_edition.h"

using namespace win32;
using testing_support::MachineFixture;

namespace {

// Gives the machine a browser: an open command for .htm files.
void add_browser(MachineFixture& machine) {
  machine.set(HKEY_CLASSES_ROOT, ".htm", "", "htmlfile");
  machine.set(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", "", "iexplore.exe %1");
}

class SystemFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override { Choices = TInstallationChoices{}; }
  void TearDown() override { set_disk_space_override('c', std::nullopt); }

  void plan(bool solver, bool compact_solver, bool generator, bool compact_generator, bool drawer, bool compact_drawer) {
    Choices.InstallSolver = solver;
    Choices.CompactSolver = compact_solver;
    Choices.InstallGenerator = generator;
    Choices.CompactGenerator = compact_generator;
    Choices.InstallDrawer = drawer;
    Choices.CompactDrawer = compact_drawer;
  }
  MachineFixture m;
};

TEST_F(SystemFoldersTest, EstimatesTheChosenPlan) {
  struct Row { bool s, cs, g, cg, d, cd; bool browser_present; double mb; const char* text; };
  const Row rows[] = {
      {false, false, false, false, false, false, true, 0, "0 Kb"},
      {false, false, false, false, false, false, false, 0, "0 Kb"},  // nothing chosen: no allowances
      {true, false, false, false, false, false, true, 91, "91 Mb"},
      {true, false, false, false, false, false, false, 251, "251 Mb"},
      {true, true, false, false, false, false, true, 6, "6 Mb"},
      {false, false, true, true, false, false, true, 12.7, "13 Mb"},
      {true, false, true, false, true, false, true, 271, "271 Mb"},
      {true, false, true, false, true, false, false, 431, "431 Mb"},
      {true, true, true, false, true, false, true, 186, "186 Mb"},
      {true, true, true, true, true, true, true, 120.7, "121 Mb"},
      {false, true, false, true, false, true, true, 0, "0 Kb"},  // compact flags without their programs
      {false, false, false, false, true, true, true, 108, "108 Mb"},
  };
  for (const Row& row : rows) {
    MachineFixture fresh;
    if (row.browser_present) add_browser(fresh);
    plan(row.s, row.cs, row.g, row.cg, row.d, row.cd);
    EXPECT_NEAR(EstimatedSizeMB(), row.mb, 1e-9) << row.text;
    EXPECT_EQ(SizeText(), row.text);
  }
}

TEST_F(SystemFoldersTest, Windows95NeedsTheBrowserWithoutHelpOrDcom) {
  add_browser(m);
  m.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "VersionNumber", "4.0.950");
  EXPECT_TRUE(BrowserInstallNeeded());  // no .chm command, no DCOM
  m.set(HKEY_CLASSES_ROOT, ".chm", "", "chm.file");
  m.set(HKEY_CLASSES_ROOT, "chm.file\\shell\\open\\command", "", "hh.exe %1");
  EXPECT_TRUE(BrowserInstallNeeded());  // still no DCOM
  m.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "EnableDCOM", "Y");
  EXPECT_FALSE(BrowserInstallNeeded());
}

TEST_F(SystemFoldersTest, SplitsTheTargetPath) {
  m.machine->SetCurrentDirectory("C:\\windows");
  struct Row { const char* base; const char* folder; char drive; const char* base_dir; const char* sub_dir; };
  const Row rows[] = {
      {"C:\\Program Files", "\\Kryds Tyx\\", 'C', "C:\\Program Files\\", "Kryds Tyx"},
      {"D:\\", "R\xE4tsel Tyx", 'D', "D:\\", "R\xE4tsel Tyx"},
      {"d:\\spiele\\..\\Programme", "a\\b", 'd', "D:\\Programme\\", "a\\b"},
      {"", "Tyx", 'c', "", "Tyx"},
      {"C:\\Programme", "\\", 'C', "C:\\Programme\\", ""},
      {"C:\\Programme", "\\\\", 'C', "C:\\Programme\\", ""},
      {"Programme", "Tyx", 'c', "C:\\windows\\Programme\\", "Tyx"},
  };
  for (const Row& row : rows) {
    SetTargetPath(row.base, row.folder);
    EXPECT_EQ(Choices.TargetDrive, row.drive) << row.base;
    EXPECT_EQ(Choices.TargetBaseDir, row.base_dir) << row.base;
    EXPECT_EQ(Choices.TargetSubDir, row.sub_dir) << row.base << " + " << row.folder;
  }
}

TEST_F(SystemFoldersTest, ShortensTheDisplayAtTheFirstFolder) {
  struct Row { const char* base; const char* folder; int max; const char* shown; };
  const Row rows[] = {
      {"C:\\Program Files\\", "Rätsel Tyx 12", 30, "C:\\Program Files\\Rätsel Tyx 12"},          // 30 characters
      {"C:\\Program Files\\", "Rätsel Tyx 123", 30, "C:\\Program Files\\...\\Rätsel Tyx 123"},  // 31
      {"C:\\Programme\\Spiele\\", "Kreuzworträtsel", 30, "C:\\Programme\\...\\Kreuzworträtsel"},
      {"C:\\", "Ein sehr langer Ordnername ohne Ende", 30, "C:\\Ein sehr langer Ordnername ohne Ende"},
  };
  for (const Row& row : rows) {
    Choices.TargetBaseDir = rtl::utf8_to_ansi(row.base);
    Choices.TargetSubDir = rtl::utf8_to_ansi(row.folder);
    EXPECT_EQ(rtl::ansi_to_utf8(ShortTargetPath(row.max)), row.shown);
  }
}

TEST_F(SystemFoldersTest, ShowsFreeSpaceUpToAThousandMegabytes) {
  testing_support::ScopedSetupLanguage german(7);
  Choices.TargetDrive = 'C';
  struct Row { std::optional<unsigned long long> bytes; int mb; const char* text; };
  const Row rows[] = {
      {1000ull * 1048576, 1000, "1000 Mb"},
      {1001ull * 1048576, 1001, "Genug"},
      {1000ull * 1048576 + 524288, 1000, "1000 Mb"},  // a half rounds to the even neighbour
      {1001ull * 1048576 + 524288, 1002, "Genug"},
      {734ull * 1048576 + 524800, 735, "735 Mb"},
      {std::nullopt, 0, "0 Mb"},  // a failed query
  };
  for (const Row& row : rows) {
    set_disk_space_override('c', DiskSpaceOverride{row.bytes, 0});
    EXPECT_EQ(TargetDriveFreeMB(), row.mb) << row.text;
    EXPECT_EQ(FreeSpaceText(), row.text);
  }
  Choices.TargetDrive = 'c';  // 35 names c:\ as well
  set_disk_space_override('c', DiskSpaceOverride{5ull * 1048576, 0});
  EXPECT_EQ(TargetDriveFreeMB(), 5);
  Choices.TargetDrive = '\0';  // no drive letter at all
  EXPECT_EQ(TargetDriveFreeMB(), 0);
}

TEST_F(SystemFoldersTest, ReadsSystemFoldersWithTheirDefaults) {
  EXPECT_EQ(ReadProgramFilesDir(), "");  // no value: empty, no default
  EXPECT_EQ(ReadStartMenuProgramsDir(), "");
  EXPECT_EQ(ReadFontsDir(), "C:\\Windows\\Fonts");  // fonts alone fall back
  m.set(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "C:\\Programme");
  m.set(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
        "C:\\WINDOWS\\Startmen\xFC\\Programme");
  m.set(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts", "");
  EXPECT_EQ(ReadProgramFilesDir(), "C:\\Programme");
  EXPECT_EQ(ReadStartMenuProgramsDir(), "C:\\WINDOWS\\Startmen\xFC\\Programme");
  EXPECT_EQ(ReadFontsDir(), "C:\\Windows\\Fonts");
  // A value of another type is an error of the read: the default.
  m.set_integer(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", 3);
  EXPECT_EQ(ReadProgramFilesDir(), "C:\\Program Files");
}

}  // namespace
