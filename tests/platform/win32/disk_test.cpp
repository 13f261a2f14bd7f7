#include "platform/win32/disk.h"

#include <sys/statvfs.h>

#include <gtest/gtest.h>

#include "platform/win32/machine.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::TempDir;

namespace {

struct Answer {
  BOOL ok;
  DWORD error;
  double free_bytes;
};

Answer ask(const char* root) {
  DWORD spc = 0xDEAD, bps = 0xDEAD, free = 0xDEAD, total = 0xDEAD;
  SetLastError(0);
  const BOOL ok = GetDiskFreeSpaceA(root, &spc, &bps, &free, &total);
  if (ok) {
    EXPECT_GE(total, free) << root;
  }
  return {ok, GetLastError(), double(spc) * bps * free};
}

TEST(GetDiskFreeSpaceA, AnswersFromTheDrivesFolder) {
  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m", {{'d', tmp / "absent"}});
  Machine machine(tmp / "m");
  MachineScope scope(machine);

  struct statvfs info {};
  ASSERT_EQ(statvfs(tmp.path().c_str(), &info), 0);
  const double host_free = double(info.f_bavail) * info.f_frsize;
  const Answer c = ask("C:\\");
  ASSERT_TRUE(c.ok);
  // The host's free space moves while tests run; the factors must multiply back to it.
  EXPECT_NEAR(c.free_bytes, host_free, 64.0 * 1048576);

  machine.SetCurrentDirectory("C:\\windows");
  EXPECT_TRUE(ask(nullptr).ok);

  struct Row { const char* root; DWORD error; };
  const Row failures[] = {{"Q:\\", ERROR_PATH_NOT_FOUND}, {"D:\\", ERROR_NOT_READY}, {"\\\\srv\\share\\", ERROR_BAD_NETPATH}};
  for (const Row& row : failures) {
    const Answer a = ask(row.root);
    EXPECT_FALSE(a.ok) << row.root;
    EXPECT_EQ(a.error, row.error) << row.root;
  }
}

TEST(GetDiskFreeSpaceA, OverridesKeepTheProductExactAndFit32Bits) {
  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m");
  Machine machine(tmp / "m");
  MachineScope scope(machine);
  const double sizes[] = {0, 1048576.0 * 1000, 1048576.0 * 1001, 5e12 /* beyond 2^32 sectors */};
  for (double size : sizes) {
    set_disk_space_override('c', DiskSpaceOverride{static_cast<std::uint64_t>(size), 0});
    const Answer a = ask("c:\\");
    ASSERT_TRUE(a.ok);
    EXPECT_NEAR(a.free_bytes, size, size / 1e6) << size;
  }
  set_disk_space_override('C', DiskSpaceOverride{std::nullopt, 0});
  EXPECT_EQ(ask("C:\\").error, ERROR_NOT_READY);
  set_disk_space_override('c', std::nullopt);
  EXPECT_TRUE(ask("C:\\").ok);
}

TEST(VolumeFiles, LabelAndSerialAsWineReadsThemFromTheDrivesRoot) {
  struct Row {
    const char* what;
    const char* label_file;   // null: no file
    const char* serial_file;
    const char* label;
    DWORD serial;
  };
  const Row rows[] = {
      {"no files", nullptr, nullptr, "", 0},
      {"first lines only", "MYCD\nsecond", "1234abcd\n", "MYCD", 0x1234abcd},
      {"UTF-8 label, CR LF", "R\xC3\xA4tsel\r\n", "DEADBEEF", "R\xE4tsel", 0xDEADBEEF},
  };
  for (const Row& row : rows) {
    TempDir root;
    if (row.label_file) testing_support::write_file(root / ".windows-label", row.label_file);
    if (row.serial_file) testing_support::write_file(root / ".windows-serial", row.serial_file);
    EXPECT_EQ(detail::volume_label(root.path()), row.label) << row.what;
    EXPECT_EQ(detail::volume_serial(root.path()), row.serial) << row.what;
  }
}

}  // namespace
