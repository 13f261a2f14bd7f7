// CopyFileA, DOS attributes, directory search and folders on a machine directory.
#include "platform/win32/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <csignal>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "tests/platform/win32/fault_host.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::FaultHost;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

mode_t mode_of(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return 0;
  return info.st_mode & 07777;
}

std::string dos_attrib(const fs::path& path) {
  char value[64];
  const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
  return n < 0 ? "(none)" : std::string(value, static_cast<std::size_t>(n));
}

void set_dos_attrib(const fs::path& path, const std::string& value) {
  ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0) << path;
}

std::time_t mtime_of(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mtim.tv_sec;
}

void set_mtime(const fs::path& path, std::time_t when) {
  const struct timespec times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Names of leftover temporary copies in a folder.
std::vector<std::string> temp_files_in(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".setup-copy-")) found.push_back(entry.path().filename());
  return found;
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::make_machine_dir(prefix, {{'d', tmp / "medium"}});
    fs::create_directories(tmp / "medium");
    machine = std::make_unique<Machine>(prefix);
    scope = std::make_unique<MachineScope>(*machine);
  }
  fs::path c(const std::string& rest) const { return prefix / "drive_c" / rest; }
  fs::path d(const std::string& rest) const { return tmp / "medium" / rest; }

  TempDir tmp;
  fs::path prefix = tmp / "prefix";
  std::unique_ptr<Machine> machine;
  std::unique_ptr<MachineScope> scope;
};

// ---------------------------------------------------------------------------------------
// CopyFileA

TEST_F(FilesTest, CopyCarriesDataTimeAndAttributesOnEveryDataPath) {
  struct Row { std::size_t size; int attr; };
  const Row rows[] = {
      {0, 0}, {3, faReadOnly}, {4096, faHidden}, {5000, faSysFile}, {(3u << 20) + 7, faHidden | faSysFile | faReadOnly},
  };
  // Every way of moving the data (splice, copy_file_range, reads and writes) and of naming
  // the result; a folder whose listing is kept is written through its descriptor, one on a
  // network file system by path.
  for (int way = 0; way < 12; ++way) {
    const int data = way % 3;
    const bool kernel = data < 2, unnamed = (way / 3) % 2, kept = way / 6;
    SCOPED_TRACE("data " + std::to_string(data) + " unnamed " + std::to_string(unnamed) + " kept " + std::to_string(kept));
    {
      FaultHost fault;
      fault.kernel_copy = kernel;
      fault.splice = data == 0;
      fault.unnamed_files = unnamed;
      if (!kept) fault.fs_type = 0x6969;  // NFS
      detail::ScopedHost use(fault);
      int n = 0;
      for (const Row& row : rows) {
        const std::string name = "f" + std::to_string(n++) + ".dat";
        std::string bytes(row.size, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        write_file(d(name), bytes);
        set_mtime(d(name), 1000000000 + n);
        ASSERT_EQ(FileSetAttr("D:\\" + name, row.attr), 0);

        ASSERT_TRUE(CopyFileA("D:\\" + name, "C:\\" + name, FALSE)) << name << " error " << GetLastError();
        EXPECT_TRUE(read_file(c(name)) == bytes) << name;
        EXPECT_EQ(mtime_of(c(name)), 1000000000 + n) << name;
        EXPECT_EQ(FileGetAttr("C:\\" + name), row.attr | faArchive) << name;
      }
      EXPECT_TRUE(temp_files_in(c("")).empty());
      fs::remove_all(c(""));
      fs::create_directory(c(""));
    }
  }
}

// A write that fails halfway leaves bytes in the pipe a splice copy moves data through;
// none of them may reach the next copy.
TEST_F(FilesTest, AFailedSpliceLeavesNothingForTheNextCopy) {
  write_file(d("big.dat"), std::string(3 << 20, 'b'));
  write_file(d("small.dat"), "small");
  FaultHost fault;  // the splice copy, on whatever file system the test runs
  detail::ScopedHost use(fault);
  rlimit unlimited {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
  rlimit limited = unlimited;
  limited.rlim_cur = 1 << 20;  // the second megabyte cannot be written
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const BOOL copied = CopyFileA("D:\\big.dat", "C:\\big.dat", FALSE);
  setrlimit(RLIMIT_FSIZE, &unlimited);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(copied);
  EXPECT_FALSE(fs::exists(c("big.dat")));
  ASSERT_TRUE(CopyFileA("D:\\small.dat", "C:\\small.dat", FALSE));
  EXPECT_EQ(read_file(c("small.dat")), "small");
}

TEST_F(FilesTest, CopyOverwritesUnlessToldNotTo) {
  write_file(d("new.txt"), "new");
  write_file(c("Old.txt"), "old");
  ASSERT_EQ(FileSetAttr("C:\\Old.txt", faHidden), 0);

  EXPECT_FALSE(CopyFileA("D:\\new.txt", "C:\\old.txt", TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_EQ(read_file(c("Old.txt")), "old");
  EXPECT_EQ(FileGetAttr("C:\\Old.txt"), faHidden | faArchive);

  // The existing name is found case-insensitively and replaced, not joined by a twin.
  EXPECT_TRUE(CopyFileA("D:\\NEW.TXT", "C:\\old.txt", FALSE));
  EXPECT_EQ(read_file(c("Old.txt")), "new");
  EXPECT_EQ(FileGetAttr("C:\\Old.txt"), faArchive);
  EXPECT_FALSE(fs::exists(c("old.txt")));

  EXPECT_TRUE(CopyFileA("D:\\new.txt", "C:\\fresh.txt", TRUE));
  EXPECT_EQ(read_file(c("fresh.txt")), "new");
  EXPECT_TRUE(temp_files_in(c("")).empty());
}

TEST_F(FilesTest, CopyRefusesWhatWindowsRefusesAndKeepsTheTarget) {
  write_file(d("src.txt"), "new");
  fs::create_directories(d("folder"));
  write_file(c("ro.txt"), "kept");
  ::chmod(c("ro.txt").c_str(), 0444);
  write_file(c("same.txt"), "same");
  fs::create_directories(c("dir"));
  struct Row { const char* from; const char* to; DWORD error; };
  const Row rows[] = {
      // the source
      {"D:\\missing.txt", "C:\\x.txt", ERROR_FILE_NOT_FOUND},
      {"D:\\nofolder\\src.txt", "C:\\x.txt", ERROR_PATH_NOT_FOUND},
      {"D:\\folder", "C:\\x.txt", ERROR_ACCESS_DENIED},
      {"Q:\\src.txt", "C:\\x.txt", ERROR_PATH_NOT_FOUND},
      {"D:\\s<rc.txt", "C:\\x.txt", ERROR_INVALID_NAME},
      // the target
      {"D:\\src.txt", "C:\\ro.txt", ERROR_ACCESS_DENIED},
      {"D:\\src.txt", "C:\\dir", ERROR_ACCESS_DENIED},
      {"D:\\src.txt", "C:\\nofolder\\x.txt", ERROR_PATH_NOT_FOUND},
      {"D:\\src.txt", "C:\\x|y.txt", ERROR_INVALID_NAME},
      {"D:\\src.txt", "", ERROR_PATH_NOT_FOUND},
      {"C:\\same.txt", "c:\\SAME.TXT", ERROR_SHARING_VIOLATION},
  };
  for (const Row& row : rows) {
    SetLastError(0);
    EXPECT_FALSE(CopyFileA(row.from, row.to, FALSE)) << row.from << " -> " << row.to;
    EXPECT_EQ(GetLastError(), row.error) << row.from << " -> " << row.to;
  }
  EXPECT_EQ(read_file(c("ro.txt")), "kept");
  EXPECT_EQ(mode_of(c("ro.txt")), 0444u);
  EXPECT_EQ(read_file(c("same.txt")), "same");
  EXPECT_FALSE(fs::exists(c("x.txt")));
  EXPECT_TRUE(temp_files_in(c("")).empty());
}

TEST_F(FilesTest, CopyStaysOnItsDrive) {
  write_file(d("src.txt"), "data");
  ASSERT_TRUE(CopyFileA("D:\\..\\..\\src.txt", "C:\\..\\..\\..\\escaped.txt", FALSE));
  EXPECT_EQ(read_file(c("escaped.txt")), "data");
  EXPECT_FALSE(fs::exists(tmp / "escaped.txt"));
  EXPECT_FALSE(fs::exists(prefix / "escaped.txt"));
}

// Whatever fails during a copy, the file it would replace keeps its data and no temporary
// file is left beside it.
TEST_F(FilesTest, FailedCopyLeavesTheTargetUntouched) {
  const std::string data(3u << 20, 'n');
  write_file(d("big.dat"), data);
  struct Row { const char* what; std::function<void(FaultHost&)> arrange; DWORD error; };
  const Row rows[] = {
      {"disk full in the kernel copy",
       [](FaultHost& f) { f.copy_chunk = 4096; f.copy_calls_before_error = 2; }, ERROR_DISK_FULL},
      {"short write, then disk full",
       [](FaultHost& f) { f.kernel_copy = false; f.write_budget = 1000; }, ERROR_DISK_FULL},
      {"medium gone while reading",
       [](FaultHost& f) { f.kernel_copy = false; f.reads_before_error = 1; }, ERROR_READ_FAULT},
      {"source truncated while copied",
       [this](FaultHost& f) {
         f.copy_chunk = 4096;
         f.after_first_copy_chunk = [this] { fs::resize_file(d("big.dat"), 100); };
       },
       ERROR_HANDLE_EOF},
      {"temporary file refused", [](FaultHost& f) { f.create_errno = EACCES; }, ERROR_ACCESS_DENIED},
      {"rename fails", [](FaultHost& f) { f.rename_errno = EIO; }, ERROR_WRITE_FAULT},
      {"xattr store fails", [](FaultHost& f) { f.setxattr_errno = ENOSPC; }, ERROR_DISK_FULL},
  };
  for (const Row& row : rows) {
    write_file(d("big.dat"), data);
    ::setxattr(d("big.dat").c_str(), "user.DOSATTRIB", "0x2", 3, 0);
    write_file(c("target.dat"), "old");
    FaultHost fault;
    row.arrange(fault);
    {
      detail::ScopedHost use(fault);
      SetLastError(0);
      EXPECT_FALSE(CopyFileA("D:\\big.dat", "C:\\target.dat", FALSE)) << row.what;
    }
    EXPECT_EQ(GetLastError(), row.error) << row.what;
    EXPECT_EQ(read_file(c("target.dat")), "old") << row.what;
    EXPECT_EQ(temp_files_in(c("")), std::vector<std::string>{}) << row.what;
  }
}

TEST_F(FilesTest, FailIfExistsHoldsAgainstAFileThatAppearsDuringTheCopy) {
  write_file(d("src.txt"), "new");
  FaultHost fault;
  fault.before_link = [](const char* to) { write_file(to, "raced"); };
  {
    detail::ScopedHost use(fault);
    EXPECT_FALSE(CopyFileA("D:\\src.txt", "C:\\late.txt", TRUE));
  }
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_EQ(read_file(c("late.txt")), "raced");
  EXPECT_TRUE(temp_files_in(c("")).empty());

  // Without fail-if-exists the file that appeared is replaced, as an older one would be.
  fault.before_link = [](const char* to) {
    if (!fs::path(to).filename().string().starts_with(".setup-copy-")) write_file(to, "raced");
  };
  {
    detail::ScopedHost use(fault);
    EXPECT_TRUE(CopyFileA("D:\\src.txt", "C:\\later.txt", FALSE)) << GetLastError();
  }
  EXPECT_EQ(read_file(c("later.txt")), "new");
  EXPECT_TRUE(temp_files_in(c("")).empty());
  // ... unless it is one Windows would refuse to replace.
  fault.before_link = [](const char* to) {
    write_file(to, "raced");
    ::chmod(to, 0444);
  };
  {
    detail::ScopedHost use(fault);
    EXPECT_FALSE(CopyFileA("D:\\src.txt", "C:\\locked.txt", FALSE));
  }
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(read_file(c("locked.txt")), "raced");
  EXPECT_TRUE(temp_files_in(c("")).empty());

  // Without hard links the copy still lands.
  fault.before_link = nullptr;
  fault.link_errno = EPERM;
  detail::ScopedHost use(fault);
  EXPECT_TRUE(CopyFileA("D:\\src.txt", "C:\\nolink.txt", TRUE));
  EXPECT_EQ(read_file(c("nolink.txt")), "new");
  EXPECT_FALSE(CopyFileA("D:\\src.txt", "C:\\nolink.txt", TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_TRUE(temp_files_in(c("")).empty());
}

// ---------------------------------------------------------------------------------------
// Attributes

TEST_F(FilesTest, AttributesAreStoredAsWineStoresThem) {
  write_file(c("file.txt"), "x");
  ::chmod(c("file.txt").c_str(), 0644);
  fs::create_directories(c("folder"));
  ::chmod(c("folder").c_str(), 0755);
  struct Row { const char* name; fs::path host; int set; int got; mode_t mode; const char* xattr; };
  const Row rows[] = {
      {"C:\\file.txt", c("file.txt"), faReadOnly, faReadOnly | faArchive, 0444, "(none)"},
      {"C:\\file.txt", c("file.txt"), faReadOnly | faHidden, faReadOnly | faHidden | faArchive, 0444, "0x2"},
      {"C:\\FILE.TXT", c("file.txt"), faSysFile, faSysFile | faArchive, 0644, "0x4"},
      {"C:\\file.txt", c("file.txt"), faHidden | faSysFile | faArchive, faHidden | faSysFile | faArchive, 0644, "0x6"},
      {"C:\\file.txt", c("file.txt"), 0, faArchive, 0644, "(none)"},
      // archive cannot be cleared, the directory bit is not settable
      {"C:\\file.txt", c("file.txt"), faDirectory, faArchive, 0644, "(none)"},
      // Wine ignores read-only on folders
      {"C:\\folder", c("folder"), faReadOnly | faHidden, faDirectory | faHidden, 0755, "0x2"},
      {"C:\\folder\\", c("folder"), faDirectory, faDirectory, 0755, "(none)"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FileSetAttr(row.name, row.set), 0) << row.name << " set " << row.set;
    EXPECT_EQ(FileGetAttr(row.name), row.got) << row.name << " set " << row.set;
    EXPECT_EQ(mode_of(row.host), row.mode) << row.name << " set " << row.set;
    EXPECT_EQ(dos_attrib(row.host), row.xattr) << row.name << " set " << row.set;
  }
}

TEST_F(FilesTest, AttributesAreReadAsWineReadsThem) {
  struct Row { const char* name; mode_t mode; const char* xattr; int attr; };
  const Row rows[] = {
      // read-only is the absence of every write bit
      {"a", 0444, nullptr, faReadOnly | faArchive},
      {"b", 0400, nullptr, faReadOnly | faArchive},
      {"c", 0464, nullptr, faArchive},
      {"d", 0200, nullptr, faArchive},
      // only "0x<hex>" and only its hidden and system bits count
      {"e", 0644, "0x6", faHidden | faSysFile | faArchive},
      {"f", 0644, "0x21", faArchive},
      {"g", 0644, "0x27", faHidden | faSysFile | faArchive},
      {"h", 0644, "6", faArchive},
      {"i", 0644, "junk", faArchive},
      {"j", 0644, "0x", faArchive},
      // a leading dot hides a file
      {".profile", 0644, nullptr, faHidden | faArchive},
  };
  for (const Row& row : rows) {
    write_file(c(row.name), "x");
    ::chmod(c(row.name).c_str(), row.mode);
    if (row.xattr) set_dos_attrib(c(row.name), row.xattr);
    EXPECT_EQ(FileGetAttr(std::string("C:\\") + row.name), row.attr) << row.name;
  }
  // A listing reads the same: through the folder where the kernel can, by path where not.
  struct KernelWithoutGetxattrat : detail::HostOs {
    ssize_t getxattr_at(int, const char*, const char*, void*, std::size_t) override {
      errno = ENOSYS;
      return -1;
    }
  };
  for (const bool relative : {true, false}) {
    KernelWithoutGetxattrat old_kernel;
    std::optional<detail::ScopedHost> use;
    if (!relative) use.emplace(old_kernel);
    for (const Row& row : rows) {
      TSearchRec f;
      ASSERT_EQ(FindFirst(std::string("C:\\") + row.name, faAnyFile, f), 0) << row.name;
      EXPECT_EQ(f.Attr, row.attr) << row.name << (relative ? "" : " without getxattrat");
      FindClose(f);
    }
  }
  SetLastError(0);
  EXPECT_EQ(FileGetAttr("C:\\missing"), -1);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FileGetAttr("C:\\missing\\x"), -1);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(FileSetAttr("C:\\missing", 0), static_cast<int>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FileSetAttr("C:\\missing\\x", 0), static_cast<int>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FileSetAttr("C:\\bad>name", 0), static_cast<int>(ERROR_INVALID_NAME));
}

TEST_F(FilesTest, ClearingReadOnlyGrantsWriteWhereReadIsGranted) {
  const mode_t umask = detail::process_umask();
  struct Row { mode_t before; mode_t after; };
  const Row rows[] = {{0444, (0666 & ~umask)}, {0440, (0660 & ~umask)}, {0400, 0600}, {0640, 0640}};
  for (const Row& row : rows) {
    write_file(c("f"), "x");
    ::chmod(c("f").c_str(), row.before);
    EXPECT_EQ(FileSetAttr("C:\\f", 0), 0);
    EXPECT_EQ(mode_of(c("f")), row.after) << std::oct << row.before;
  }
}

// A kernel that lets only writers set user xattrs (every user but root).
TEST_F(FilesTest, HiddenAndSystemReachReadOnlyFiles) {
  FaultHost fault;
  fault.xattr_needs_write = true;
  detail::ScopedHost use(fault);
  write_file(c("ro.txt"), "x");
  ::chmod(c("ro.txt").c_str(), 0444);
  EXPECT_EQ(FileSetAttr("C:\\ro.txt", faReadOnly | faHidden), 0);
  EXPECT_EQ(FileGetAttr("C:\\ro.txt"), faReadOnly | faHidden | faArchive);
  EXPECT_EQ(mode_of(c("ro.txt")), 0444u);

  ASSERT_TRUE(CopyFileA("C:\\ro.txt", "C:\\copy.txt", FALSE));
  EXPECT_EQ(FileGetAttr("C:\\copy.txt"), faReadOnly | faHidden | faArchive);
  EXPECT_EQ(FileSetAttr("C:\\copy.txt", faSysFile), 0);
  EXPECT_EQ(FileGetAttr("C:\\copy.txt"), faSysFile | faArchive);
}

TEST_F(FilesTest, WithoutUserXattrsHiddenIsRefusedNotFaked) {
  write_file(c("plain.txt"), "x");
  write_file(c(".dot"), "x");
  write_file(d("src.txt"), "x");
  set_dos_attrib(d("src.txt"), "0x2");
  FaultHost fault;
  fault.xattr_errno = ENOTSUP;
  detail::ScopedHost use(fault);
  EXPECT_EQ(FileSetAttr("C:\\plain.txt", faHidden | faReadOnly), static_cast<int>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(mode_of(c("plain.txt")), 0644u);  // nothing half done
  EXPECT_EQ(FileSetAttr("C:\\plain.txt", faReadOnly), 0);
  EXPECT_EQ(FileGetAttr("C:\\plain.txt"), faReadOnly | faArchive);
  EXPECT_EQ(FileSetAttr("C:\\.dot", faHidden), 0);  // the name already hides it
  // A copy does not fail for an attribute the target cannot hold.
  EXPECT_TRUE(CopyFileA("D:\\src.txt", "C:\\copy.txt", FALSE));
  EXPECT_EQ(read_file(c("copy.txt")), "x");
}

// ---------------------------------------------------------------------------------------
// Directory search

std::vector<std::string> search(const AnsiString& path, int mask, int* error = nullptr) {
  std::vector<std::string> names;
  TSearchRec f;
  int result = FindFirst(path, mask, f);
  if (error) *error = result;
  while (result == 0) {
    names.push_back(f.Name);
    result = FindNext(f);
  }
  FindClose(f);
  return names;
}

class SearchTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    for (const char* file : {"b.txt", "A.txt", "README", "Hid.txt", "\xC3\xA4rger.txt"}) write_file(c("Menu") / file, "x");
    for (const char* dir : {"Zeta", "alpha", ".hidden", "Sys"}) fs::create_directories(c("Menu") / dir);
    set_dos_attrib(c("Menu/Hid.txt"), "0x2");
    set_dos_attrib(c("Menu/Sys"), "0x4");
  }
};

TEST_F(SearchTest, ReturnsMatchesInNameOrderFilteredByTheMask) {
  using Names = std::vector<std::string>;
  struct Row { const char* path; int mask; Names names; };
  const Row rows[] = {
      {"C:\\Menu\\*.*", faDirectory, {".", "..", "A.txt", "alpha", "b.txt", "README", "Zeta", "\xE4rger.txt"}},
      {"C:\\Menu\\*.*", faAnyFile,
       {".", "..", ".hidden", "A.txt", "alpha", "b.txt", "Hid.txt", "README", "Sys", "Zeta", "\xE4rger.txt"}},
      {"C:\\Menu\\*", 0, {"A.txt", "b.txt", "README", "\xE4rger.txt"}},
      {"C:\\Menu\\*.*", faHidden, {"A.txt", "b.txt", "Hid.txt", "README", "\xE4rger.txt"}},
      {"c:\\menu\\*.TXT", faAnyFile, {"A.txt", "b.txt", "Hid.txt", "\xE4rger.txt"}},
      {"C:\\MENU\\?.txt", faReadOnly, {"A.txt", "b.txt"}},
      {"C:\\Menu\\readme", 0, {"README"}},
      {"C:\\Menu\\\xC4*", 0, {"\xE4rger.txt"}},
      {"C:\\*.*", faDirectory, {"Menu"}},  // a drive's root has no "." and ".."
  };
  for (const Row& row : rows) EXPECT_EQ(search(row.path, row.mask), row.names) << row.path << " mask " << row.mask;

  // Relative to the emulated current directory.
  machine->SetCurrentDirectory("C:\\Menu");
  EXPECT_EQ(search("*.txt", 0), (Names{"A.txt", "b.txt", "\xE4rger.txt"}));
}

TEST_F(SearchTest, ReportsWindowsErrors) {
  write_file(c("Menu/Hid.txt"), "x");
  struct Row { const char* path; int mask; DWORD error; };
  const Row rows[] = {
      {"C:\\Menu\\*.xyz", faAnyFile, ERROR_FILE_NOT_FOUND},
      {"C:\\Menu\\Hid.txt", 0, ERROR_NO_MORE_FILES},  // matched, then refused by the mask
      {"C:\\Menu\\Sys", faDirectory, ERROR_NO_MORE_FILES},
      {"C:\\Menu\\", faAnyFile, ERROR_FILE_NOT_FOUND},
      {"C:\\Missing\\*.*", faAnyFile, ERROR_PATH_NOT_FOUND},
      {"C:\\Menu\\A.txt\\*", faAnyFile, ERROR_DIRECTORY},
      {"Q:\\*.*", faAnyFile, ERROR_PATH_NOT_FOUND},
      {"C:\\Me|nu\\*.*", faAnyFile, ERROR_INVALID_NAME},
  };
  for (const Row& row : rows) {
    int error = -1;
    EXPECT_EQ(search(row.path, row.mask, &error), std::vector<std::string>{}) << row.path;
    EXPECT_EQ(error, static_cast<int>(row.error)) << row.path;
    EXPECT_EQ(GetLastError(), row.error) << row.path;
  }
  TSearchRec f;
  ASSERT_EQ(FindFirst("C:\\Menu\\A.txt", 0, f), 0);
  EXPECT_EQ(FindNext(f), static_cast<int>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(FindNext(f), static_cast<int>(ERROR_NO_MORE_FILES));
  FindClose(f);
  EXPECT_EQ(FindNext(f), static_cast<int>(ERROR_INVALID_HANDLE));
}

TEST_F(SearchTest, FillsSizeTimeAndAttributes) {
  write_file(c("Menu/A.txt"), std::string(1234, 'a'));
  ::chmod(c("Menu/A.txt").c_str(), 0444);
  std::tm local{};
  local.tm_year = 2001 - 1900;
  local.tm_mon = 1;
  local.tm_mday = 3;
  local.tm_hour = 4;
  local.tm_min = 5;
  local.tm_sec = 7;
  local.tm_isdst = -1;
  set_mtime(c("Menu/A.txt"), std::mktime(&local));
  set_mtime(c("Menu/Zeta"), 0);  // before DOS time began

  TSearchRec f;
  ASSERT_EQ(FindFirst("C:\\Menu\\a.TXT", 0, f), 0);
  EXPECT_EQ(f.Name, "A.txt");
  EXPECT_EQ(f.Size, 1234);
  EXPECT_EQ(f.Attr, faReadOnly | faArchive);
  EXPECT_EQ(f.Time, (((21 << 9) | (2 << 5) | 3) << 16) | ((4 << 11) | (5 << 5) | 3));
  ASSERT_EQ(FindFirst("C:\\Menu\\zeta", faDirectory, f), 0);
  EXPECT_EQ(f.Attr, faDirectory);
  EXPECT_EQ(f.Size, 0);
  EXPECT_EQ(f.Time, ((1 << 5) | 1) << 16);
}

TEST(Wildcards, MatchAsWindowsMatches) {
  struct Row { const char* pattern; const char* name; bool match; };
  const Row rows[] = {
      {"*.*", "README", true}, {"*.*", "a.b.c", true}, {"*", ".profile", true},
      {"*.txt", "A.TXT", true}, {"*.txt", "a.txt.bak", false}, {"*.txt", "txt", false},
      {"a?c", "abc", true}, {"a?c", "ac", false}, {"a?c", "abbc", false},
      {"*a*b", "xxaxxb", true}, {"*a*b", "xxaxxbc", false}, {"**b", "ab", true},
      {"foo.*", "foo", true}, {"foo.*", "foobar", false}, {"\xE4*", "\xC4rger", true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(detail::wildcard_match(row.pattern, row.name), row.match) << row.pattern << " ~ " << row.name;
}

// ---------------------------------------------------------------------------------------
// Folders

int io_error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const rtl::EInOutError& e) {
    return e.ErrorCode;
  }
  return 0;
}

TEST_F(FilesTest, MkDirAndChDirRaiseTheWindowsError) {
  write_file(c("file.txt"), "x");
  fs::create_directories(c("Dir"));
  struct Row { const char* what; std::function<void()> action; int error; };
  const Row rows[] = {
      {"new folder", [] { MkDir("C:\\New"); }, 0},
      {"existing folder", [] { MkDir("C:\\dir"); }, static_cast<int>(ERROR_ALREADY_EXISTS)},
      {"existing file", [] { MkDir("C:\\FILE.TXT"); }, static_cast<int>(ERROR_ALREADY_EXISTS)},
      {"missing parent", [] { MkDir("C:\\No\\Sub"); }, static_cast<int>(ERROR_PATH_NOT_FOUND)},
      {"drive root", [] { MkDir("C:\\"); }, static_cast<int>(ERROR_ACCESS_DENIED)},
      {"bad name", [] { MkDir("C:\\a|b"); }, static_cast<int>(ERROR_INVALID_NAME)},
      {"no drive", [] { MkDir("Q:\\x"); }, static_cast<int>(ERROR_PATH_NOT_FOUND)},
      {"chdir missing", [] { ChDir("C:\\Missing"); }, static_cast<int>(ERROR_FILE_NOT_FOUND)},
      {"chdir missing parent", [] { ChDir("C:\\Missing\\Sub"); }, static_cast<int>(ERROR_PATH_NOT_FOUND)},
      {"chdir to a file", [] { ChDir("C:\\file.txt"); }, static_cast<int>(ERROR_DIRECTORY)},
  };
  for (const Row& row : rows) EXPECT_EQ(io_error_of(row.action), row.error) << row.what;
  EXPECT_TRUE(fs::is_directory(c("New")));
  EXPECT_FALSE(fs::exists(c("No")));
  EXPECT_EQ(machine->CurrentDirectory(), "C:\\");
}

// The installation builds its folders by entering each one, creating it when missing.
TEST_F(FilesTest, ChDirMovesTheEmulatedCurrentDirectoryOnly) {
  const fs::path host_cwd = fs::current_path();
  ChDir("C:\\");
  for (const char* part : {"Program Files", "R\xE4tsel Tyx"}) {
    if (io_error_of([&] { ChDir(part); }) != 0) {
      MkDir(part);
      ChDir(part);
    }
  }
  EXPECT_EQ(machine->CurrentDirectory(), "C:\\Program Files\\R\xE4tsel Tyx");
  EXPECT_TRUE(fs::is_directory(c("Program Files/R\xC3\xA4tsel Tyx")));
  EXPECT_EQ(fs::current_path(), host_cwd);

  ChDir("d:\\");
  EXPECT_EQ(machine->CurrentDirectory(), "D:\\");
  ChDir("C:\\program files\\..\\PROGRAM FILES\\");
  EXPECT_EQ(machine->CurrentDirectory(), "C:\\PROGRAM FILES");
}

TEST_F(FilesTest, ExistenceTellsFilesFromFolders) {
  write_file(c("Dir/File.txt"), "x");
  struct Row { const char* name; bool file; bool folder; };
  const Row rows[] = {
      {"C:\\dir\\file.TXT", true, false}, {"C:\\DIR", false, true}, {"C:\\", false, true},
      {"C:\\dir\\none", false, false},    {"Q:\\x", false, false},  {"C:\\d<r", false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FileExists(row.name), row.file) << row.name;
    EXPECT_EQ(DirectoryExists(row.name), row.folder) << row.name;
  }
}

}  // namespace
