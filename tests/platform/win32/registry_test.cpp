// The machine's registry as a 32-bit program sees it, TRegistry, and how hives are saved.
#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"
#include "platform/win32/registry.h"
#include "tests/platform/win32/fault_host.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using namespace rtl::literals;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

// A 64-bit machine with the shared links Wine sets up and a few keys each view must find.
void make_win64_registry(const fs::path& prefix) {
  detail::RegistryHives::create_empty(prefix, detail::HiveArch::Win64);
  detail::RegistryHives hives(prefix);
  TRegistry native(hives, KEY_ALL_ACCESS | KEY_WOW64_64KEY);
  native.RootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(native.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion", true));
  native.WriteString("ProgramFilesDir", "C:\\Program Files");
  ASSERT_TRUE(native.OpenKey("\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion", true));
  native.WriteString("ProgramFilesDir", "C:\\Program Files (x86)");
  ASSERT_TRUE(native.OpenKey("\\Software\\Microsoft\\OLE", true));
  native.WriteString("EnableDCOM", "Y");
  ASSERT_TRUE(native.OpenKey("\\Software\\Classes\\.htm", true));
  native.WriteString("", "htmlfile");
  ASSERT_TRUE(native.OpenKey("\\Software\\Classes\\Wow6432Node\\CLSID", true));
  ASSERT_TRUE(native.OpenKey("\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", true));
  native.CloseKey();
}

// Whether the hive file has a key line for the escaped path.
bool file_has_key(const fs::path& file, const std::string& escaped_path) {
  return read_file(file).find("\n[" + escaped_path + "] ") != std::string::npos;
}

}  // namespace

TEST(RegistryViews, A32BitProgramOnA64BitMachineWritesWhereWineWould) {
  TempDir dir;
  make_win64_registry(dir.path());
  struct Row {
    HKEY root;
    const char* key;
    const char* lands_in;  // escaped path in the hive file
    const char* file;
  };
  const Row rows[] = {
      {HKEY_LOCAL_MACHINE, "SOFTWARE\\CrossWord Tyx\\CDROM\\Path", "Software\\\\Wow6432Node\\\\CrossWord Tyx\\\\CDROM\\\\Path", "system.reg"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tyx",
       "Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Tyx", "system.reg"},
      // shared keys are links to the 64-bit key
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE\\Sub", "Software\\\\Microsoft\\\\OLE\\\\Sub", "system.reg"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Sub",
       "Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts\\\\Sub", "system.reg"},
      // new classes land in the 64-bit Classes, except the redirected CLSID and the shared TypeLib
      {HKEY_CLASSES_ROOT, "Kv5.Application\\Dictionary", "Software\\\\Classes\\\\Kv5.Application\\\\Dictionary", "system.reg"},
      {HKEY_CLASSES_ROOT, ".htm\\Sub", "Software\\\\Classes\\\\.htm\\\\Sub", "system.reg"},
      {HKEY_CLASSES_ROOT, "CLSID\\{1}", "Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{1}", "system.reg"},
      {HKEY_CLASSES_ROOT, "TypeLib\\{2}", "Software\\\\Classes\\\\TypeLib\\\\{2}", "system.reg"},
      // HKEY_CURRENT_USER is not redirected
      {HKEY_CURRENT_USER, "Software\\Vendor", "Software\\\\Vendor", "user.reg"},
  };
  for (const Row& row : rows) {
    {
      detail::RegistryHives hives(dir.path());
      TRegistry reg(hives);
      reg.RootKey(row.root);
      ASSERT_TRUE(reg.OpenKey(row.key, true)) << row.key;
      reg.WriteString("v", "x");
    }
    EXPECT_TRUE(file_has_key(dir / row.file, row.lands_in)) << row.key << " should land in " << row.lands_in;
  }
}

TEST(RegistryViews, ReadsFollowTheSameRules) {
  TempDir dir;
  make_win64_registry(dir.path());
  detail::RegistryHives hives(dir.path());
  struct Row {
    DWORD access;
    HKEY root;
    const char* key;
    const char* name;
    const char* expected;
  };
  const Row rows[] = {
      {KEY_READ, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "C:\\Program Files (x86)"},
      {KEY_READ | KEY_WOW64_64KEY, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "C:\\Program Files"},
      {KEY_READ, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "EnableDCOM", "Y"},
      {KEY_READ, HKEY_CLASSES_ROOT, ".htm", "", "htmlfile"},
  };
  for (const Row& row : rows) {
    TRegistry reg(hives, row.access);
    reg.RootKey(row.root);
    ASSERT_TRUE(reg.OpenKey(row.key, false)) << row.key;
    EXPECT_EQ(reg.ReadString(row.name), row.expected) << row.key;
  }
}

TEST(RegistryViews, A32BitMachineHasNoRedirection) {
  TempDir dir;
  detail::RegistryHives::create_empty(dir.path(), detail::HiveArch::Win32);
  {
    detail::RegistryHives hives(dir.path());
    TRegistry reg(hives);
    reg.RootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("Software\\Wow6432Node\\Decoy", true));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Vendor", true));
    reg.WriteString("v", "x");
  }
  EXPECT_TRUE(file_has_key(dir / "system.reg", "Software\\\\Vendor"));
  EXPECT_EQ(read_file(dir / "system.reg").find("Software\\\\Wow6432Node\\\\Vendor"), std::string::npos);
  EXPECT_EQ(read_file(dir / "system.reg").find("#link"), std::string::npos);
}

TEST(TRegistry, OpenKeyDescendsFromTheOpenKeyAndTracksThePath) {
  TempDir dir;
  detail::RegistryHives hives(dir.path());
  TRegistry reg(hives);
  reg.RootKey(HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey("A", false));
  ASSERT_TRUE(reg.OpenKey("A", true));
  ASSERT_TRUE(reg.OpenKey("B\\C", true));
  EXPECT_EQ(reg.CurrentPath(), "A\\B\\C");
  reg.WriteInteger("n", -2);
  ASSERT_TRUE(reg.OpenKey("\\a\\b", false));  // from the root, case-insensitive
  EXPECT_EQ(reg.CurrentPath(), "a\\b");
  EXPECT_TRUE(reg.KeyExists("c"));
  ASSERT_TRUE(reg.OpenKey("C", false));
  EXPECT_EQ(reg.ReadInteger("N"), -2);
  EXPECT_TRUE(reg.ValueExists("n"));
  EXPECT_FALSE(reg.ValueExists("m"));
  reg.CloseKey();
  EXPECT_FALSE(reg.HasCurrentKey());
  EXPECT_TRUE(file_has_key(dir / "user.reg", "A\\\\B\\\\C"));
  EXPECT_NE(read_file(dir / "user.reg").find("\"n\"=dword:fffffffe\n"), std::string::npos);
}

TEST(TRegistry, ReadStringAsTheRuntimeDoes) {
  TempDir dir;
  write_file(dir / "user.reg",
             "WINE REGISTRY Version 2\n\n#arch=win32\n\n[K] 1\n"
             "\"sz\"=\"R\\xe4tsel\"\n\"exp\"=str(2):\"%WINDIR%\"\n\"dw\"=dword:00000001\n"
             "\"emptybin\"=hex:\n\"multi\"=str(7):\"a\\0\"\n\"cut\"=\"a\\0b\"\n\"greek\"=\"\\x3a9\"\n");
  detail::RegistryHives hives(dir.path());
  TRegistry reg(hives);
  reg.RootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey("K", false));
  EXPECT_EQ(reg.ReadString("sz"), "Rätsel"_a);
  EXPECT_EQ(reg.ReadString("exp"), "%WINDIR%");
  EXPECT_EQ(reg.ReadString("missing"), "");
  EXPECT_EQ(reg.ReadString("emptybin"), "");  // no data: the runtime never looks at the type
  EXPECT_EQ(reg.ReadString("cut"), "a");
  EXPECT_EQ(reg.ReadString("greek"), "?");    // not in Windows-1252
  for (const char* name : {"dw", "multi"}) {
    try {
      reg.ReadString(name);
      ADD_FAILURE() << name << " read as a string";
    } catch (const rtl::ERegistryException& e) {
      EXPECT_EQ(e.Message, std::string("Invalid data type for '") + name + "'");
    }
  }
}

TEST(TRegistry, WritesAreStoredAsTheRuntimeStoresThem) {
  TempDir dir;
  detail::RegistryHives hives(dir.path());
  TRegistry reg(hives);
  reg.RootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("Software\\T", true));
  reg.WriteString("", "Kreuzworträtsel"_a);
  reg.WriteString("empty", "");
  reg.WriteInteger("max", 0x7fffffff);
  const detail::HiveValue* value = hives.machine().root().find_subkey(u"Software")->find_subkey(u"T")->find_value(u"");
  // The stored length counts the terminating zero.
  EXPECT_EQ(value->data.size(), 2 * (15 + 1u));
  reg.CloseKey();
  const std::string file = read_file(dir / "system.reg");
  EXPECT_NE(file.find("@=\"Kreuzwortr\\xe4tsel\"\n\"empty\"=\"\"\n\"max\"=dword:7fffffff\n"), std::string::npos) << file;
}

TEST(TRegistry, FailuresRaiseThePlatformsMessages) {
  TempDir dir;
  detail::RegistryHives hives(dir.path());
  TRegistry reg(hives, KEY_READ);
  reg.RootKey(HKEY_CURRENT_USER);
  try {
    reg.WriteString("name", "v");  // nothing open
    ADD_FAILURE();
  } catch (const rtl::ERegistryException& e) {
    EXPECT_EQ(e.Message, "Failed to set data for 'name'");
  }
  TRegistry writer(hives);
  writer.RootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(writer.OpenKey("K", true));
  writer.CloseKey();
  ASSERT_TRUE(reg.OpenKey("K", false));
  EXPECT_FALSE(reg.OpenKey("Sub", true));  // a key opened for reading cannot make subkeys
  EXPECT_THROW(reg.WriteInteger("n", 1), rtl::ERegistryException);
  EXPECT_THROW(reg.ReadInteger("missing"), rtl::ERegistryException);
}

TEST(RegistryPersistence, UnchangedHivesAreNeverRewrittenAndChangesSaveOnRelease) {
  TempDir dir;
  make_win64_registry(dir.path());
  const std::string system_before = read_file(dir / "system.reg");
  const std::string user_before = read_file(dir / "user.reg");
  detail::RegistryHives hives(dir.path());
  {
    TRegistry reg(hives);
    reg.RootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("Software\\Microsoft\\OLE", false));
    reg.WriteString("EnableDCOM", "Y");  // the same data: Wine leaves the key as it was
  }
  hives.save(hives.machine());
  EXPECT_EQ(read_file(dir / "system.reg"), system_before);
  {
    TRegistry reg(hives);
    reg.RootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("Software\\New", true));
    EXPECT_EQ(read_file(dir / "system.reg"), system_before) << "saved before release";
  }
  EXPECT_NE(read_file(dir / "system.reg"), system_before);
  EXPECT_EQ(read_file(dir / "user.reg"), user_before);
  for (const auto& entry : fs::directory_iterator(dir.path()))
    EXPECT_FALSE(entry.path().extension() == ".tmp") << "left behind: " << entry.path();
}

TEST(RegistryPersistence, AnUnparsableHiveFailsClearlyAndIsNeverWritten) {
  TempDir dir;
  const std::string garbled = "WINE REGISTRY Version 2\n\n[Software\\\\Cut";
  write_file(dir / "system.reg", garbled);
  detail::RegistryHives hives(dir.path());
  TRegistry reg(hives);
  reg.RootKey(HKEY_LOCAL_MACHINE);
  try {
    reg.OpenKey("Software", true);
    ADD_FAILURE() << "opened a key of an unparsable hive";
  } catch (const rtl::ERegistryException& e) {
    EXPECT_NE(e.Message.find("system.reg:3: unterminated key name"), std::string::npos) << e.Message;
  }
  EXPECT_THROW(hives.machine(), rtl::ERegistryException);  // still refused, not half-loaded
  EXPECT_EQ(read_file(dir / "system.reg"), garbled);
}

TEST(RegistryPersistence, AFailedSaveLeavesTheFileAsItWas) {
  TempDir dir;
  detail::RegistryHives::create_empty(dir.path(), detail::HiveArch::Win32);
  const std::string before = read_file(dir / "system.reg");
  detail::RegistryHives hives(dir.path());
  testing_support::FaultHost faults;
  faults.write_budget = 10;
  detail::ScopedHost scope(faults);
  TRegistry reg(hives);
  reg.RootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("Software\\T", true));
  EXPECT_THROW(reg.CloseKey(), rtl::ERegistryException);
  EXPECT_EQ(read_file(dir / "system.reg"), before);
}

TEST(RegistryPersistence, ReadValueUsesTheMachinesHivesInThe32BitView) {
  TempDir dir;
  testing_support::make_machine_dir(dir.path());
  make_win64_registry(dir.path());
  Machine machine(dir.path());
  const auto value = read_value(machine, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->as_string(), "C:\\Program Files (x86)");
  EXPECT_FALSE(read_value(machine, HKEY_LOCAL_MACHINE, "Software\\Nothing", "x"));
  EXPECT_EQ(&machine.Registry(), &machine.Registry());
}
