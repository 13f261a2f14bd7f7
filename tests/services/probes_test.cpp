// What the environment probes answer per state of the machine's registry.
#include <gtest/gtest.h>

#include "platform/win32/disk.h"
#include "services/CommonUnit.h"
#include "services/SystemFolders.h"
#include "tests/services/machine_fixture.h"

using namespace win32;
using testing_support::MachineFixture;

namespace {

TEST(IsDcomEnabled, ReadsTheTrimmedFirstCharacter) {
  struct Row { const char* value; bool expected; };
  const Row rows[] = {{"Y", true}, {" y ", true}, {"\tyes\r\n", true}, {"N", false}, {"", false}, {"  ", false},
                      {"x y", false}};
  for (const Row& row : rows) {
    MachineFixture m;
    m.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "EnableDCOM", row.value);
    EXPECT_EQ(IsDcomEnabled(), row.expected) << "'" << row.value << "'";
  }
  MachineFixture missing_value;
  missing_value.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "Other", "Y");
  EXPECT_FALSE(IsDcomEnabled());
  MachineFixture no_key;
  EXPECT_FALSE(IsDcomEnabled());
  MachineFixture not_a_string;
  not_a_string.set_integer(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "EnableDCOM", 1);
  EXPECT_FALSE(IsDcomEnabled());
}

TEST(HasOpenCommand, NeedsAClassWithANonEmptyCommand) {
  MachineFixture m;
  EXPECT_FALSE(HasHtmOpenCommand());  // no .htm at all
  m.set(HKEY_CLASSES_ROOT, ".htm", "", "htmlfile");
  EXPECT_FALSE(HasHtmOpenCommand());  // a class without SHELL\OPEN\COMMAND
  m.set(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", "", "");
  EXPECT_FALSE(HasHtmOpenCommand());  // an empty command
  m.set(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", "", "winebrowser.exe \"%1\"");
  EXPECT_TRUE(HasHtmOpenCommand());
  EXPECT_FALSE(HasChmOpenCommand());
  m.set(HKEY_CLASSES_ROOT, ".chm", "", "");
  EXPECT_FALSE(HasChmOpenCommand());  // an empty class name
  m.set(HKEY_CLASSES_ROOT, ".chm", "", "chm.file");
  m.set(HKEY_CLASSES_ROOT, "CHM.FILE\\Shell\\Open\\Command", "", "hh.exe %1");
  EXPECT_TRUE(HasChmOpenCommand());
}

TEST(IsWindows95, OnlyVersionFourZeroOfThe9xFamily) {
  struct Row { const char* nt_version; const char* version_number; bool expected; };
  const Row rows[] = {{nullptr, "4.0.950", true}, {nullptr, "4.0.1111", true}, {nullptr, "4.10.2222", false},
                      {nullptr, "4.90.3000", false}, {"4.0", nullptr, false}, {"5.1", "4.0.950", false}};
  for (const Row& row : rows) {
    MachineFixture m;
    if (row.nt_version) m.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", row.nt_version);
    if (row.version_number) m.set(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "VersionNumber", row.version_number);
    EXPECT_EQ(IsWindows95(), row.expected) << (row.nt_version ? row.nt_version : "") << " " << (row.version_number ? row.version_number : "");
  }
}

TEST(GetDiskFreeBytes, AsksTheRootRebuiltFromTheNumber) {
  MachineFixture m;
  set_disk_space_override('c', DiskSpaceOverride{734 * 1048576ull, 0});
  EXPECT_EQ(GetDiskFreeBytes(3), 734 * 1048576.0);
  EXPECT_EQ(GetDiskFreeBytes(35), 734 * 1048576.0);  // 'c' - 64 names c:\ as well
  m.machine->SetCurrentDirectory("C:\\windows");
  EXPECT_EQ(GetDiskFreeBytes(0), 734 * 1048576.0);
  EXPECT_EQ(GetDiskFreeBytes(17), -1);  // Q: does not exist
  set_disk_space_override('c', std::nullopt);
}

TEST(GetSourceDir, IsTheProgramsFolderWithItsBackslash) {
  MachineFixture m;
  struct Row { const char* program; const char* source; };
  const Row rows[] = {{"D:\\SETUP\\SETUP.EXE", "D:\\SETUP\\"}, {"D:\\SETUP.EXE", "D:\\"}};
  for (const Row& row : rows) {
    m.machine->SetProgramPath(row.program);
    EXPECT_EQ(GetSourceDir(), row.source);
  }
}

}  // namespace

namespace {

// Every profile of make-machine answers as that Windows would: the facts that decide the
// browser, help and DCOM installers and the folders the pages start from.
TEST(Probes, AnswerPerMachineProfile) {
  struct Row {
    const char* profile;
    const char* arch;
    bool windows95, dcom, htm, chm;
    const char* program_files;
    const char* fonts;
  };
  const Row rows[] = {
      {"win95", "win32", true, false, false, false, "C:\\Program Files", "C:\\WINDOWS\\FONTS"},
      {"win98", "win32", false, true, true, true, "C:\\Program Files", "C:\\WINDOWS\\FONTS"},
      {"winme", "win32", false, true, true, true, "C:\\Program Files", "C:\\WINDOWS\\FONTS"},
      {"nt4", "win32", false, true, true, false, "C:\\Program Files", "C:\\WINNT\\Fonts"},
      {"win2k", "win32", false, true, true, true, "C:\\Program Files", "C:\\WINNT\\Fonts"},
      {"winxp", "win64", false, true, true, true, "C:\\Program Files (x86)", "C:\\WINDOWS\\Fonts"},
      {"win7", "win32", false, true, true, true, "C:\\Program Files", "C:\\windows\\Fonts"},
      {"win7", "win64", false, true, true, true, "C:\\Program Files (x86)", "C:\\windows\\Fonts"},
  };
  testing_support::TempDir tmp;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.profile) + " " + row.arch);
    const auto dir = tmp / (std::string(row.profile) + "-" + row.arch);
    const std::string command = std::string(SETUP_BINARY_DIR "/tools/make-machine ") + dir.string() + " --profile " +
                                row.profile + " --arch " + row.arch;
    ASSERT_EQ(std::system(command.c_str()), 0);
    win32::Machine machine(dir);
    win32::MachineScope scope(machine);
    machine.SetProgramPath("D:\\SETUP.EXE");
    EXPECT_EQ(IsWindows95(), row.windows95);
    EXPECT_EQ(IsDcomEnabled(), row.dcom);
    EXPECT_EQ(HasHtmOpenCommand(), row.htm);
    EXPECT_EQ(HasChmOpenCommand(), row.chm);
    EXPECT_EQ(ReadProgramFilesDir(), row.program_files);
    EXPECT_EQ(ReadFontsDir(), row.fonts);
    EXPECT_FALSE(ReadStartMenuProgramsDir().empty());
  }
}

}  // namespace
