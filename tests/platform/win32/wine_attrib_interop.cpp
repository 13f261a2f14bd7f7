// DOS attributes written by us are the ones Wine's attrib shows, and the other way round.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "platform/win32/files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine.h"

using namespace win32;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

// "A   H        C:\attrtest\h.txt" -> {"h.txt", "AH"}
std::map<std::string, std::string> parse_attrib(const std::string& output) {
  std::map<std::string, std::string> shown;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t path = line.find("C:\\attrtest\\");
    if (path == std::string::npos) continue;
    std::string letters;
    for (char c : line.substr(0, path))
      if (c != ' ') letters += c;
    std::sort(letters.begin(), letters.end());
    shown[line.substr(path + 12)] = letters;
  }
  return shown;
}

TEST(WineAttrib, AgreesWithOurAttributesBothWays) {
  if (!testing_support::wine_installed()) GTEST_SKIP() << "wine is not installed";
  const fs::path fixture = fs::path(WINE_PREFIXES) / "win64";
  ASSERT_TRUE(fs::exists(fixture / "system.reg")) << "the wine_prefixes fixture did not run";
  TempDir tmp;
  const fs::path prefix = tmp / "prefix";
  testing_support::copy_prefix(fixture, prefix);
  const std::string env = testing_support::wine_env(prefix);
  const fs::path folder = prefix / "drive_c/attrtest";

  Machine machine(prefix);
  MachineScope scope(machine);
  struct Ours { const char* name; bool folder; int attr; const char* shown; };
  const Ours ours[] = {
      {"plain.txt", false, 0, "A"},
      {"ro.txt", false, faReadOnly, "AR"},
      {"hid.txt", false, faHidden, "AH"},
      {"sys.txt", false, faSysFile, "AS"},
      {"all.txt", false, faReadOnly | faHidden | faSysFile, "AHRS"},
      {".dot", false, 0, "AH"},
      {"hidden_dir", true, faHidden, "H"},
      {"sys_dir", true, faSysFile | faHidden, "HS"},
      // for Wine to change
      {"w_r.txt", false, 0, "A"},
      {"w_h.txt", false, 0, "A"},
      {"w_s_dir", true, 0, ""},
      {"w_unr.txt", false, faReadOnly, "AR"},
      {"w_unh.txt", false, faHidden | faSysFile, "AHS"},
  };
  for (const Ours& row : ours) {
    const std::string name = std::string("C:\\attrtest\\") + row.name;
    if (row.folder) fs::create_directories(folder / row.name);
    else write_file(folder / row.name, "x");
    ASSERT_EQ(FileSetAttr(name, row.attr), 0) << row.name;
  }

  const std::string commands =
      "attrib /d C:\\attrtest\\* & attrib +r C:\\attrtest\\w_r.txt & attrib +h C:\\attrtest\\w_h.txt & "
      "attrib +s C:\\attrtest\\w_s_dir & attrib -r C:\\attrtest\\w_unr.txt & attrib -h C:\\attrtest\\w_unh.txt";
  const int status = std::system((env + "wine cmd /c '" + commands + "' >" + (tmp / "out").string() +
                                  " 2>/dev/null; " + env + "wineserver -w").c_str());
  ASSERT_EQ(status, 0);
  const auto shown = parse_attrib(testing_support::read_file(tmp / "out"));
  for (const Ours& row : ours) {
    const auto it = shown.find(row.name);
    ASSERT_NE(it, shown.end()) << row.name << " not listed by attrib";
    EXPECT_EQ(it->second, row.shown) << row.name;
  }

  struct Theirs { const char* name; int attr; };
  const Theirs theirs[] = {
      {"w_r.txt", faReadOnly | faArchive},
      {"w_h.txt", faHidden | faArchive},
      {"w_s_dir", faSysFile | faDirectory},
      {"w_unr.txt", faArchive},
      {"w_unh.txt", faSysFile | faArchive},
  };
  for (const Theirs& row : theirs)
    EXPECT_EQ(FileGetAttr(std::string("C:\\attrtest\\") + row.name), row.attr) << row.name;
}

}  // namespace
