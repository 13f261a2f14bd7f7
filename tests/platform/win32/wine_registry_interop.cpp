// Our registry code against real Wine: prefixes made by wineboot are read and rewritten
// exactly, and what we write is what Wine's reg.exe reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/win32/registry.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine.h"

using namespace win32;
using namespace rtl::literals;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
using testing_support::copy_prefix;
using testing_support::run;
using testing_support::wine_env;
using testing_support::wine_installed;
namespace fs = std::filesystem;

namespace {

using testing_support::WinePrefix;
using testing_support::kWinePrefixes;

fs::path fixture(const char* arch) { return fs::path(WINE_PREFIXES) / arch; }

// Runs all the queries in one Wine session (Wine starts slowly) and waits for its server
// to save and exit.
std::string wine_reg_queries(const fs::path& prefix, const std::vector<std::string>& queries) {
  std::string batch = "@echo off\r\n";
  for (const auto& q : queries) batch += "reg query " + q + " 2>&1\r\n";
  write_file(prefix / "drive_c/queries.bat", batch);
  const std::string out = run(wine_env(prefix) + "wine cmd /c c:\\\\queries.bat 2>/dev/null");
  std::system((wine_env(prefix) + "wineserver -w").c_str());
  return out;
}

std::string our_reg_queries(const fs::path& prefix, const std::vector<std::string>& queries) {
  std::string out;
  for (const auto& q : queries) out += run(std::string(REG_TOOL) + " '" + prefix.string() + "' query " + q + " 2>&1");
  return out;
}

class WineRegistry : public ::testing::TestWithParam<WinePrefix> {
 protected:
  void SetUp() override {
    if (!wine_installed()) GTEST_SKIP() << "wine is not installed";
    ASSERT_TRUE(fs::exists(fixture(GetParam().arch) / "system.reg")) << "the wine_prefixes fixture did not run";
  }
};

}  // namespace

TEST_P(WineRegistry, ReadsAFreshPrefixAndRewritesItByteForByte) {
  const fs::path prefix = fixture(GetParam().arch);
  for (const char* file : {"system.reg", "user.reg"}) {
    const std::string text = read_file(prefix / file);
    detail::Hive hive = detail::Hive::parse(text, file);
    EXPECT_EQ(hive.arch(), std::string(GetParam().arch) == "win64" ? detail::HiveArch::Win64 : detail::HiveArch::Win32);
    hive.mark_modified();  // force our own writer over every key and value
    EXPECT_EQ(hive.serialize(), text) << file << " is not rewritten as Wine writes it";
  }

  TempDir dir;
  fs::copy_file(prefix / "system.reg", dir / "system.reg");
  fs::copy_file(prefix / "user.reg", dir / "user.reg");
  detail::RegistryHives hives(dir.path());
  struct Row {
    HKEY root;
    const char* key;
    const char* name;
    std::string expected;  // a suffix of the value
  };
  const Row rows[] = {
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", GetParam().program_files},
      {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
       "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts", "C:\\windows\\Fonts"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", "EnableDCOM", "Y"},
      {HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", "", "winebrowser.exe\" \"%1\""},
      {HKEY_CLASSES_ROOT, ".chm", "", "chm.file"},
      {HKEY_CLASSES_ROOT, "chm.file\\shell\\open\\command", "", "\"C:\\windows\\hh.exe\" \"%1\""},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "6.1"},
      {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentBuildNumber", "7601"},
  };
  for (const Row& row : rows) {
    TRegistry reg(hives, KEY_READ);
    reg.RootKey(row.root);
    ASSERT_TRUE(reg.OpenKey(row.key, false)) << row.key;
    EXPECT_TRUE(reg.ReadString(row.name).ends_with(row.expected)) << row.key << " " << row.name << ": got "
                                                                   << reg.ReadString(row.name);
  }
  hives.save(hives.machine());
  hives.save(hives.user());
  EXPECT_EQ(read_file(dir / "system.reg"), read_file(prefix / "system.reg"));
  EXPECT_EQ(read_file(dir / "user.reg"), read_file(prefix / "user.reg"));
}

TEST_P(WineRegistry, WinesRegReadsEveryKindOfValueWeWrite) {
  TempDir dir;
  const fs::path prefix = dir / "prefix";
  copy_prefix(fixture(GetParam().arch), prefix);
  {
    detail::RegistryHives hives(prefix);
    TRegistry reg(hives);
    reg.RootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\CrossWord Tyx\\Quillax\\Settings", true));
    reg.WriteString("Path", "C:\\Program Files\\Tyx \"Q\"\\[x]");
    reg.WriteString("Word", "Rätsel€"_a);
    reg.WriteString("", "default");
    reg.WriteString("Empty", "");
    reg.WriteInteger("Language", 7);
    reg.WriteInteger("Negative", -1);
    reg.WriteExpandString("Expand", "%ProgramFiles%\\Tyx");
    reg.CloseKey();
    reg.RootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey("Kv5.Application", true));
    ASSERT_TRUE(reg.OpenKey("Dictionary", true));
    reg.WriteString("", "C:\\Tyx\\dict.dat");
    reg.RootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey("Software\\CrossWord Tyx", true));
    reg.WriteString("User", "yes");
  }
  // The remaining types through the reg tool, which shares the hive code.
  const std::string tool = std::string(REG_TOOL) + " '" + prefix.string() + "' add 'HKLM\\Software\\CrossWord Tyx\\Types' ";
  ASSERT_EQ(std::system((tool + "/v Bin /t REG_BINARY /d 00ff10 /f >/dev/null").c_str()), 0);
  ASSERT_EQ(std::system((tool + "/v Multi /t REG_MULTI_SZ /d 'a\\0b c' /f >/dev/null").c_str()), 0);
  ASSERT_EQ(std::system((tool + "/v None /t REG_NONE /f >/dev/null").c_str()), 0);
  ASSERT_EQ(std::system((tool + "/v Long /t REG_BINARY /d " + std::string(300, 'a') + " /f >/dev/null").c_str()), 0);

  const std::vector<std::string> queries = {
      "\"HKLM\\SOFTWARE\\CrossWord Tyx\" /s",
      "\"HKLM\\SOFTWARE\\CrossWord Tyx\"",
      "\"HKLM\\SOFTWARE\\CrossWord Tyx\\Types\" /v Multi /s",
      "\"HKLM\\Software\\CrossWord Tyx\\Quillax\\Settings\" /v Language",
      "\"HKCR\\Kv5.Application\\Dictionary\" /ve",
      "\"HKCU\\Software\\CrossWord Tyx\"",
      "\"HKLM\\Software\\CrossWord Tyx\\Nothing\"",
  };
  const std::string ours = our_reg_queries(prefix, queries);
  const std::string wines = wine_reg_queries(prefix, queries);
  EXPECT_NE(ours.find("    Language    REG_DWORD    0x7\n"), std::string::npos) << ours;
  EXPECT_NE(ours.find("    Multi    REG_MULTI_SZ    a\\0b c\n"), std::string::npos) << ours;
  // Wine prints non-ASCII through the console code page; compare the rest exactly.
  auto without_word = [](std::string text) {
    for (std::size_t at; (at = text.find("    Word    REG_SZ    ")) != std::string::npos;)
      text.erase(at, text.find('\n', at) + 1 - at);
    return text;
  };
  EXPECT_EQ(without_word(wines), without_word(ours));

  // Wine saved the hives on exit in its own way; our values come back identical.
  detail::RegistryHives reloaded(prefix);
  TRegistry reg(reloaded, KEY_READ);
  reg.RootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\CrossWord Tyx\\Quillax\\Settings", false));
  EXPECT_EQ(reg.ReadString("Word"), "Rätsel€"_a);
  EXPECT_EQ(reg.ReadString("Path"), "C:\\Program Files\\Tyx \"Q\"\\[x]");
  EXPECT_EQ(reg.ReadInteger("Negative"), -1);
}

INSTANTIATE_TEST_SUITE_P(Prefixes, WineRegistry, ::testing::ValuesIn(kWinePrefixes),
                         [](const auto& info) { return std::string(info.param.arch); });
