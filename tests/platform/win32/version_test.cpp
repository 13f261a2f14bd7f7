#include "platform/win32/version.h"

#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "platform/win32/machine.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using detail::WindowsVersion;

namespace {

// A registry of a few values: "HKCU|key|name" or "HKLM|key|name".
struct FakeRegistry {
  std::map<std::string, std::string> strings;
  std::map<std::string, DWORD> dwords;
  detail::VersionRegistry view() const {
    auto id = [](bool machine, const rtl::AnsiString& key, const rtl::AnsiString& name) {
      return std::string(machine ? "HKLM|" : "HKCU|") + key + "|" + name;
    };
    return {[this, id](bool m, const rtl::AnsiString& k, const rtl::AnsiString& n) -> std::optional<rtl::AnsiString> {
              auto it = strings.find(id(m, k, n));
              return it == strings.end() ? std::nullopt : std::optional(it->second);
            },
            [this, id](bool m, const rtl::AnsiString& k, const rtl::AnsiString& n) -> std::optional<DWORD> {
              auto it = dwords.find(id(m, k, n));
              return it == dwords.end() ? std::nullopt : std::optional(it->second);
            }};
  }
};

const char* kNt = "HKLM|Software\\Microsoft\\Windows NT\\CurrentVersion|";
const char* k9x = "HKLM|Software\\Microsoft\\Windows\\CurrentVersion|";

TEST(GetVersionExA, FollowsWinesRulesInOrder) {
  struct Row {
    const char* what;
    FakeRegistry registry;
    WindowsVersion expected;
  };
  const FakeRegistry nt7{{{std::string(kNt) + "CurrentVersion", "6.1"},
                          {std::string(kNt) + "CurrentBuildNumber", "7601"},
                          {std::string(kNt) + "CSDVersion", "Service Pack 1"}}, {}};
  FakeRegistry nt7_win98 = nt7;
  nt7_win98.strings["HKCU|Software\\Wine|Version"] = "win98";
  FakeRegistry app_default = nt7_win98;
  app_default.strings["HKCU|Software\\Wine\\AppDefaults\\SETUP.EXE|Version"] = "win95";
  FakeRegistry wrong_case = nt7;
  wrong_case.strings["HKCU|Software\\Wine|Version"] = "Win98";
  FakeRegistry dwords = nt7;
  dwords.dwords[std::string(kNt) + "CurrentMajorVersionNumber"] = 5;
  dwords.dwords[std::string(kNt) + "CurrentMinorVersionNumber"] = 1;
  const FakeRegistry nt10{{{std::string(kNt) + "CurrentVersion", "10.0"}, {std::string(kNt) + "CurrentBuildNumber", "19045"}}, {}};
  const FakeRegistry win98{{{std::string(k9x) + "VersionNumber", "4.10.2222"}, {std::string(k9x) + "SubVersionNumber", " A "}}, {}};
  const FakeRegistry win95{{{std::string(k9x) + "VersionNumber", "4.0.950"}}, {}};
  const FakeRegistry garbled{{{std::string(k9x) + "VersionNumber", "four"}}, {}};

  const Row rows[] = {
      {"NT keys", nt7, {6, 1, 7601, 2, "Service Pack 1"}},
      {"global Version wins over keys", nt7_win98, {4, 10, 0x040A08AE, 1, " A "}},
      {"AppDefaults wins over global", app_default, {4, 0, 0x040003B6, 1, ""}},
      {"names are case-sensitive", wrong_case, {6, 1, 7601, 2, "Service Pack 1"}},
      {"major/minor dwords win over CurrentVersion", dwords, {5, 1, 7601, 2, "Service Pack 1"}},
      {"no manifest: capped at Windows 8", nt10, {6, 2, 9200, 2, ""}},
      {"9x key", win98, {4, 10, 0x040A08AE, 1, " A "}},
      {"9x key without SubVersionNumber", win95, {4, 0, 0x040003B6, 1, ""}},
      {"garbled: default", garbled, {6, 1, 7601, 2, "Service Pack 1"}},
      {"empty: default", {}, {6, 1, 7601, 2, "Service Pack 1"}},
  };
  for (const Row& row : rows) {
    const WindowsVersion got = detail::decide_version(row.registry.view(), "SETUP.EXE");
    EXPECT_EQ(got, row.expected) << row.what << ": got " << got.major << "." << got.minor << " build " << got.build
                                 << " platform " << got.platform << " '" << got.csd << "'";
  }
}

}  // namespace

namespace {

// Every profile of make-machine answers as that Windows does, through the same rules Wine
// applies to the machine's registry.
TEST(GetVersionExA, AnswersPerMachineProfile) {
  struct Row { const char* profile; const char* arch; WindowsVersion expected; };
  const Row rows[] = {
      {"win95", "win32", {4, 0, 0x040003B6, 1, ""}},
      {"win98", "win32", {4, 10, 0x040A08AE, 1, " A "}},
      {"winme", "win32", {4, 90, 0x045A0BB8, 1, " "}},
      {"nt4", "win32", {4, 0, 1381, 2, "Service Pack 6"}},
      {"win2k", "win32", {5, 0, 2195, 2, "Service Pack 4"}},
      {"winxp", "win32", {5, 1, 2600, 2, "Service Pack 3"}},
      {"winxp", "win64", {5, 1, 2600, 2, "Service Pack 3"}},
      {"win7", "win32", {6, 1, 7601, 2, "Service Pack 1"}},
      {"win7", "win64", {6, 1, 7601, 2, "Service Pack 1"}},
  };
  testing_support::TempDir tmp;
  for (const Row& row : rows) {
    const std::filesystem::path dir = tmp / (std::string(row.profile) + "-" + row.arch);
    const std::string command = std::string(SETUP_BINARY_DIR "/tools/make-machine ") + dir.string() + " --profile " +
                                row.profile + " --arch " + row.arch;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    win32::Machine machine(dir);
    win32::MachineScope scope(machine);
    machine.SetProgramPath("D:\\SETUP.EXE");
    OSVERSIONINFOA info;
    std::memset(&info, 0x5A, sizeof info);
    info.dwOSVersionInfoSize = 148;
    ASSERT_TRUE(GetVersionExA(&info)) << row.profile;
    const WindowsVersion got{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId,
                             info.szCSDVersion};
    EXPECT_EQ(got, row.expected) << row.profile << " " << row.arch << ": got " << got.major << "." << got.minor
                                 << " build " << got.build << " '" << got.csd << "'";
    info.dwOSVersionInfoSize = 147;
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  }
}

}  // namespace
