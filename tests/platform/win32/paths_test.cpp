#include "platform/win32/paths.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/win32/files.h"
#include "platform/win32/host.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

// The on-disk name the last component of `path` resolves to.
fs::path resolved_name(const AnsiString& path) { return fs::path(resolve_path(path).host).filename(); }

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::make_machine_dir(prefix, {{'d', tmp / "medium"}, {'e', tmp / "absent"}, {'z', tmp / "host"}});
    testing_support::write_file(tmp / "medium/BMPS/A/Grid.bmp", "x");
    testing_support::write_file(prefix / "drive_c/Program Files/R\xC3\xA4tsel Tyx/Solver.exe", "x");
    testing_support::write_file(tmp / "host/etc/passwd", "x");
    machine = std::make_unique<Machine>(prefix);
  }
  TempDir tmp;
  fs::path prefix = tmp / "prefix";
  std::unique_ptr<Machine> machine;
};

TEST_F(PathsTest, FullPathsFoldDotsAndStayOnTheDrive) {
  machine->SetCurrentDirectory("D:\\setup");
  struct Row { std::string in; const char* out; };
  const Row rows[] = {
      // normal
      {"C:\\Program Files\\Tyx", "C:\\Program Files\\Tyx"},
      {"c:/program files/", "C:\\program files\\"},
      {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
      {"C:\\", "C:\\"},
      {"c:\\setup\\", "C:\\setup\\"},
      {"C:\\a\\\\b", "C:\\a\\b"},
      {"C:\\Tyx.\\", "C:\\Tyx\\"},
      {"readme.txt", "D:\\setup\\readme.txt"},
      {"..\\ie5\\ie5setup.exe", "D:\\ie5\\ie5setup.exe"},
      {"\\root.txt", "D:\\root.txt"},
      {"d:file", "D:\\setup\\file"},
      {"C:file", "C:\\file"},
      // edge: never above the root, Windows' trailing dots and spaces
      {"C:\\..\\..\\etc", "C:\\etc"},
      {"..\\..\\..\\x", "D:\\x"},
      {"C:\\Tyx. .", "C:\\Tyx"},
      {"C:\\a\\...", "C:\\a"},
      {std::string("C:\\cut\0off", 10), "C:\\cut"},
      // malformed
      {"", ""},
      {"\\\\server\\share\\x", ""},
      {"1:\\x", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(full_windows_path(row.in, *machine), row.out) << "path " << row.in;
}

TEST_F(PathsTest, ResolvesCaseInsensitivelyThroughTheDrives) {
  struct Row { const char* in; fs::path host; bool parent_exists; bool found; };
  const Row rows[] = {
      {"d:\\bmps\\a\\GRID.BMP", tmp / "medium/BMPS/A/Grid.bmp", true, true},
      {"D:\\BMPS\\A\\grid.bmp", tmp / "medium/BMPS/A/Grid.bmp", true, true},
      {"D:\\BMPS\\A\\Grid.bmp", tmp / "medium/BMPS/A/Grid.bmp", true, true},
      {"D:\\Bmps\\A\\new.bmp", tmp / "medium/BMPS/A/new.bmp", true, false},
      {"D:\\BMPS\\A\\new.bmp", tmp / "medium/BMPS/A/new.bmp", true, false},
      {"D:\\BMPS\\A\\Grid.bmp\\x", tmp / "medium/BMPS/A/Grid.bmp/x", true, false},
      {"D:\\BMPS\\", tmp / "medium/BMPS/", true, true},
      {"C:\\PROGRAM FILES\\R\xC4TSEL TYX\\solver.exe",
       prefix / "drive_c/Program Files/R\xC3\xA4tsel Tyx/Solver.exe", true, true},
      {"C:\\New\\Sub\\file", prefix / "drive_c/New/Sub/file", false, false},
      {"C:\\..\\..\\etc\\passwd", prefix / "drive_c/etc/passwd", false, false},
      {"Z:\\etc\\passwd", tmp / "host/etc/passwd", true, true},
      {"Z:\\", tmp / "host", true, false},
  };
  for (const Row& row : rows) {
    const ResolvedPath r = resolve_path(row.in, *machine);
    ASSERT_TRUE(r) << row.in << ": error " << r.error;
    EXPECT_EQ(fs::path(r.host), row.host) << row.in;
    EXPECT_EQ(r.parent_exists, row.parent_exists) << row.in;
    EXPECT_EQ(r.found, row.found) << row.in;
  }
}

// A new name is looked up case-insensitively from a kept listing of its folder; whatever
// changed the folder since, that listing must not answer from before the change.
TEST_F(PathsTest, LookupsSeeEveryChangeMadeBetweenThem) {
  const MachineScope scope(*machine);
  struct Row {
    const char* what;
    std::function<void(const fs::path& dir)> before, change;
    const char* name;
    const char* first;
    const char* then;
  };
  const auto nothing = [](const fs::path&) {};
  const Row rows[] = {
      {"another process creates the name in another case", nothing,
       [](const fs::path& dir) { ASSERT_EQ(std::system(("touch '" + (dir / "README.TXT").string() + "'").c_str()), 0); },
       "readme.txt", "readme.txt", "README.TXT"},
      {"the name appears in another case", nothing, [](const fs::path& dir) { write_file(dir / "Setup.INI", ""); },
       "SETUP.ini", "SETUP.ini", "Setup.INI"},
      {"the match is removed", [](const fs::path& dir) { write_file(dir / "Data.BIN", ""); },
       [](const fs::path& dir) { fs::remove(dir / "Data.BIN"); }, "data.bin", "Data.BIN", "data.bin"},
      {"the match is renamed away", [](const fs::path& dir) { write_file(dir / "Old.TXT", ""); },
       [](const fs::path& dir) { fs::rename(dir / "Old.TXT", dir / "Other.txt"); }, "old.txt", "Old.TXT", "old.txt"},
      {"a match is renamed in", [](const fs::path& dir) { write_file(dir / "Other.txt", ""); },
       [](const fs::path& dir) { fs::rename(dir / "Other.txt", dir / "New.TXT"); }, "new.txt", "new.txt", "New.TXT"},
      {"a second match makes the folder's order decide", [](const fs::path& dir) { write_file(dir / "Twin.txt", ""); },
       [](const fs::path& dir) { write_file(dir / "TWIN.txt", ""); }, "twin.TXT", "Twin.txt", nullptr},
      {"the folder is replaced by another of that name", [](const fs::path& dir) { write_file(dir / "Keep.TXT", ""); },
       [](const fs::path& dir) {
         fs::remove_all(dir);
         write_file(dir / "KEEP.txt", "");
       },
       "keep.txt", "Keep.TXT", "KEEP.txt"},
      {"CopyFileA puts the name in", nothing,
       [this](const fs::path&) {
         write_file(tmp / "medium/source.txt", "x");
         ASSERT_TRUE(CopyFileA("D:\\source.txt", "D:\\row7\\Copied.TXT", FALSE));
       },
       "copied.txt", "copied.txt", "Copied.TXT"},
  };
  int n = 0;
  for (const Row& row : rows) {
    const std::string folder = "row" + std::to_string(n++);
    const fs::path dir = tmp / "medium" / folder;
    fs::create_directories(dir);
    row.before(dir);
    const AnsiString path = "D:\\" + folder + "\\" + row.name;
    EXPECT_EQ(resolved_name(path), row.first) << row.what;
    row.change(dir);
    const fs::path then = resolved_name(path);
    fs::path expected = row.then ? row.then : "";
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (!expected.empty()) break;
      if (rtl::AnsiSameText(entry.path().filename().string(), row.name)) expected = entry.path().filename();
    }
    EXPECT_EQ(then, expected) << row.what;
  }
}

// A host that lists folders in descending byte order, whatever the disk's own order.
class DescendingListingHost : public detail::HostOs {
 public:
  int list_directory(const char* path, std::vector<std::string>& names) override {
    const int result = HostOs::list_directory(path, names);
    std::sort(names.begin(), names.end(), std::greater<>());
    return result;
  }
};

// Among names that differ only in case, the one asked for wins over the folder's order,
// also once the folder's listing is kept.
TEST_F(PathsTest, TheExactNameWinsOverOtherCases) {
  const MachineScope scope(*machine);
  DescendingListingHost descending;
  detail::ScopedHost use(descending);
  const fs::path dir = tmp / "medium/pair";
  write_file(dir / "Pair.txt", "");
  EXPECT_EQ(resolved_name("D:\\pair\\PAIR.TXT"), "Pair.txt");
  write_file(dir / "PAIR.TXT", "");
  EXPECT_EQ(resolved_name("D:\\pair\\PAIR.TXT"), "PAIR.TXT");
  EXPECT_EQ(resolved_name("D:\\pair\\pair.txt"), "Pair.txt");
}

// Listings of more folders than are kept: the ones let go are listed afresh.
TEST_F(PathsTest, LookupsStayRightAcrossManyFolders) {
  const MachineScope scope(*machine);
  for (const char* name : {"File.TXT", "Later.TXT"}) {
    for (int i = 0; i < 80; ++i) {
      const std::string folder = "many" + std::to_string(i);
      fs::create_directories(tmp / "medium" / folder);
      write_file(tmp / "medium" / folder / name, "");
      const AnsiString lookup = "D:\\" + folder + "\\" + rtl::AnsiLowerCase(name);
      EXPECT_EQ(resolved_name(lookup), name) << lookup;
    }
  }
}

// A host whose inotify loses every event, and may say so with an overflow, on a file
// system type of the test's choosing.
class LossyInotifyHost : public detail::HostOs {
 public:
  LossyInotifyHost(std::uint32_t fs_type, bool overflow) : fs_type_(fs_type), overflow_(overflow) {}
  int statfs(const char* path, struct statfs* info) override {
    const int result = HostOs::statfs(path, info);
    if (result == 0) info->f_type = fs_type_;
    return result;
  }
  ssize_t inotify_read(int fd, void* buffer, std::size_t size) override {
    char lost[8192];
    while (HostOs::inotify_read(fd, lost, sizeof lost) > 0) {
    }
    if (!overflow_ || size < sizeof(inotify_event)) {
      errno = EAGAIN;
      return -1;
    }
    inotify_event event {};
    event.wd = -1;
    event.mask = IN_Q_OVERFLOW;
    std::memcpy(buffer, &event, sizeof event);
    return sizeof event;
  }

 private:
  std::uint32_t fs_type_;
  bool overflow_;
};

TEST_F(PathsTest, KeptListingsNeedInotifyToSeeEveryChange) {
  const MachineScope scope(*machine);
  struct Row { const char* what; std::uint32_t fs_type; bool overflow; };
  const Row rows[] = {
      {"a network file system, whose other clients' changes inotify never reports", 0x6969, false},
      {"a local file system whose inotify queue overflowed", 0xEF53, true},
  };
  int n = 0;
  for (const Row& row : rows) {
    const std::string folder = "lossy" + std::to_string(n++);
    fs::create_directories(tmp / "medium" / folder);
    LossyInotifyHost lossy(row.fs_type, row.overflow);
    detail::ScopedHost use(lossy);
    const AnsiString path = "D:\\" + folder + "\\unseen.txt";
    EXPECT_EQ(resolved_name(path), "unseen.txt") << row.what;
    write_file(tmp / "medium" / folder / "UNSEEN.TXT", "");
    EXPECT_EQ(resolved_name(path), "UNSEEN.TXT") << row.what;
  }
}

TEST_F(PathsTest, RefusesWhatWindowsRefuses) {
  struct Row { const char* in; DWORD error; };
  const Row rows[] = {
      {"C:\\a<b", ERROR_INVALID_NAME}, {"C:\\a|b\\c", ERROR_INVALID_NAME}, {"C:\\x\"y", ERROR_INVALID_NAME},
      {"C:\\what?", ERROR_INVALID_NAME}, {"C:\\a:b", ERROR_INVALID_NAME}, {"C:\\tab\there", ERROR_INVALID_NAME},
      {"Q:\\x", ERROR_PATH_NOT_FOUND},   // no such drive
      {"E:\\x", ERROR_NOT_READY},        // its folder is absent
      {"\\\\srv\\share", ERROR_BAD_NETPATH},
      {"", ERROR_PATH_NOT_FOUND},
  };
  for (const Row& row : rows) EXPECT_EQ(resolve_path(row.in, *machine).error, row.error) << row.in;
  EXPECT_TRUE(resolve_path("C:\\dir\\*.t?t", *machine, LastComponent::Pattern));
  EXPECT_FALSE(resolve_path("C:\\d*r\\x.txt", *machine, LastComponent::Pattern));
}

TEST_F(PathsTest, MapsHostPathsThroughTheLongestDrive) {
  EXPECT_EQ(machine->WindowsPathOf(tmp / "medium/SETUP.EXE"), "D:\\SETUP.EXE");
  EXPECT_EQ(machine->WindowsPathOf(tmp / "host/bin"), "Z:\\bin");
  EXPECT_EQ(machine->WindowsPathOf(prefix / "drive_c/x"), "C:\\x");
  EXPECT_EQ(machine->WindowsPathOf("/nowhere"), std::nullopt);
}

}  // namespace

TEST(Machine, RefusesUnusableDirectories) {
  TempDir tmp;
  EXPECT_THROW(Machine(tmp / "missing"), MachineUnusable);
  testing_support::write_file(tmp / "file", "");
  EXPECT_THROW(Machine(tmp / "file"), MachineUnusable);
  EXPECT_THROW(Machine(tmp.path()), MachineUnusable);  // no dosdevices
  testing_support::make_machine_dir(tmp / "ok");
  EXPECT_NO_THROW(Machine(tmp / "ok"));
}

// A real wineserver holds its lock with a POSIX record lock in a folder named after the
// prefix's device and inode; the machine must see it and refuse the prefix.
TEST(Machine, RefusesAPrefixWithARunningWineserver) {
  if (std::system("command -v wineserver >/dev/null 2>&1") != 0) GTEST_SKIP() << "wineserver is not installed";
  TempDir tmp;
  const fs::path prefix = tmp / "prefix";
  testing_support::make_machine_dir(prefix);
  const std::string env = "WINEPREFIX='" + prefix.string() + "' ";
  ASSERT_EQ(std::system((env + "wineserver -p30").c_str()), 0);
  EXPECT_TRUE(wineserver_running(prefix));
  EXPECT_THROW(Machine{prefix}, MachineUnusable);
  ASSERT_EQ(std::system((env + "wineserver -k; " + env + "wineserver -w").c_str()), 0);
  EXPECT_FALSE(wineserver_running(prefix));
  EXPECT_NO_THROW(Machine{prefix});
}

TEST(Machine, ProgramPathComesFromSetupProgramOrHowItWasStarted) {
  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m", {{'d', tmp / "cd"}});
  setenv("SETUP_MACHINE", (tmp / "m").c_str(), 1);
  struct Row { std::optional<std::string> setup_program; std::string argv0; const char* windows; };
  const Row rows[] = {
      {std::nullopt, (tmp / "cd/SETUP.EXE").string(), "D:\\SETUP.EXE"},
      {std::nullopt, (tmp / "cd/./sub/../SETUP.EXE").string(), "D:\\SETUP.EXE"},
      {"d:\\Setup.exe", "ignored", "D:\\Setup.exe"},
      {(tmp / "cd/x/SETUP.EXE").string(), "ignored", "D:\\x\\SETUP.EXE"},
  };
  for (const Row& row : rows) {
    if (row.setup_program) setenv("SETUP_PROGRAM", row.setup_program->c_str(), 1);
    else unsetenv("SETUP_PROGRAM");
    EXPECT_EQ(open_selected_machine(row.argv0.c_str())->ProgramPath(), row.windows) << row.argv0;
  }
  setenv("SETUP_PROGRAM", "Q:\\SETUP.EXE", 1);
  EXPECT_THROW(open_selected_machine("x"), MachineUnusable);
  setenv("SETUP_PROGRAM", "/elsewhere/SETUP.EXE", 1);
  EXPECT_THROW(open_selected_machine("x"), MachineUnusable);
  unsetenv("SETUP_PROGRAM");
  unsetenv("SETUP_MACHINE");
}
