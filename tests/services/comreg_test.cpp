// The installation's registry writes on a 64-bit machine, as a 32-bit program makes them.
#include "services/ComRegUnit.h"

#include <gtest/gtest.h>

#include "platform/win32/registry.h"
#include "tests/platform/win32/fault_host.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

class ComRegTest : public ::testing::Test {
 protected:
  ComRegTest() {
    testing_support::make_machine_dir(dir.path());
    detail::RegistryHives::create_empty(dir.path(), detail::HiveArch::Win64);
  }

  // Seeds a value in the 32-bit view before the machine under test is opened.
  void seed(HKEY root, const char* key, const char* name, const char* value) {
    detail::RegistryHives hives(dir.path());
    TRegistry reg(hives);
    reg.RootKey(root);
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString(name, value);
  }

  std::optional<AnsiString> string_at(HKEY root, const char* key, const char* name) {
    Machine fresh(dir.path());  // reads the files as saved
    const auto value = read_value(fresh, root, key, name);
    return value ? value->as_string() : std::nullopt;
  }

  TempDir dir;
};

const char* const kFonts = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

}  // namespace

TEST_F(ComRegTest, SuiteValuesCreateTheirKeysInThe32BitView) {
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    WriteSuiteString("CDROM", "Path", "Source", "D:\\");
    WriteSuiteInteger("Quillax", "Settings", "Language", -7);
  }
  EXPECT_EQ(string_at(HKEY_LOCAL_MACHINE, "SOFTWARE\\CrossWord Tyx\\CDROM\\Path", "Source"), "D:\\");
  const std::string file = read_file(dir / "system.reg");
  EXPECT_NE(file.find("[Software\\\\Wow6432Node\\\\CrossWord Tyx\\\\CDROM\\\\Path] "), std::string::npos);
  EXPECT_NE(file.find("\"Language\"=dword:fffffff9\n"), std::string::npos);
}

TEST_F(ComRegTest, ClassesRootDefaultLandsInThe64BitClasses) {
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    WriteClassesRootDefault("Kv5.Application", "Dictionary", "C:\\Tyx\\dict.dat");
    WriteClassesRootValue("Kv5.Application", "Dictionary", "Extra", "x");
  }
  EXPECT_EQ(string_at(HKEY_CLASSES_ROOT, "Kv5.Application\\Dictionary", ""), "C:\\Tyx\\dict.dat");
  EXPECT_EQ(string_at(HKEY_CLASSES_ROOT, "Kv5.Application\\Dictionary", "Extra"), "x");
  EXPECT_NE(read_file(dir / "system.reg").find("[Software\\\\Classes\\\\Kv5.Application\\\\Dictionary] "),
            std::string::npos);
}

TEST_F(ComRegTest, RegisterFontIfMissingNeverOverwritesARegistration) {
  seed(HKEY_LOCAL_MACHINE, kFonts, "Taken (TrueType)", "OTHER.TTF");
  seed(HKEY_LOCAL_MACHINE, kFonts, "Empty (TrueType)", "");
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    RegisterFontIfMissing("Taken (TrueType)", "TYX.TTF");
    RegisterFontIfMissing("Empty (TrueType)", "TYX.TTF");
    RegisterFontIfMissing("New (TrueType)", "NEW.TTF");
  }
  EXPECT_EQ(string_at(HKEY_LOCAL_MACHINE, kFonts, "Taken (TrueType)"), "OTHER.TTF");
  EXPECT_EQ(string_at(HKEY_LOCAL_MACHINE, kFonts, "Empty (TrueType)"), "TYX.TTF");
  EXPECT_EQ(string_at(HKEY_LOCAL_MACHINE, kFonts, "New (TrueType)"), "NEW.TTF");
}

TEST_F(ComRegTest, RegisterFontIfMissingLeavesEverythingAloneWhenItCannotWrite) {
  const std::string before = read_file(dir / "system.reg");
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    RegisterFontIfMissing("Tyx (TrueType)", "TYX.TTF");  // no Fonts key: not created
  }
  EXPECT_EQ(read_file(dir / "system.reg"), before);

  {
    detail::RegistryHives hives(dir.path());
    TRegistry reg(hives);
    reg.RootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(kFonts, true));
    reg.WriteInteger("Tyx (TrueType)", 1);
  }
  const std::string with_dword = read_file(dir / "system.reg");
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    RegisterFontIfMissing("Tyx (TrueType)", "TYX.TTF");  // a value of another type
  }
  EXPECT_EQ(read_file(dir / "system.reg"), with_dword);
}

TEST_F(ComRegTest, RefusedWritesLeaveNoTraceAndRaiseNothing) {
  const std::string garbled = "WINE REGISTRY Version 2\n\n[Software\\\\Cut";
  write_file(dir / "system.reg", garbled);
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    EXPECT_NO_THROW(WriteSuiteString("CDROM", "Path", "Source", "D:\\"));
    EXPECT_NO_THROW(WriteClassesRootDefault("Kv5.Application", "Dictionary", "x"));
  }
  EXPECT_EQ(read_file(dir / "system.reg"), garbled);

  const std::string user_before = read_file(dir / "user.reg");
  fs::remove(dir / "system.reg");
  detail::RegistryHives::create_empty(dir.path(), detail::HiveArch::Win64);
  const std::string before = read_file(dir / "system.reg");
  {
    Machine machine(dir.path());
    MachineScope scope(machine);
    testing_support::FaultHost faults;
    faults.rename_errno = EACCES;
    detail::ScopedHost host(faults);
    EXPECT_NO_THROW(WriteSuiteString("CDROM", "Path", "Source", "D:\\"));
  }
  EXPECT_EQ(read_file(dir / "system.reg"), before);
  EXPECT_EQ(read_file(dir / "user.reg"), user_before);
}
