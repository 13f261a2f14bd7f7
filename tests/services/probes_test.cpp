// What the environment probes answer per state of the machine's registry.
#include <gtest/gtest.h>

#include "platform/win32/disk.h"
#include "services/CommonUnit.h"
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
