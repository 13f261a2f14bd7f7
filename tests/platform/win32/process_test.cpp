#include "platform/win32/process.h"

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32/machine.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

TEST(WinExec, TriesEachBlankAsCreateProcessDoes) {
  const auto c = detail::command_line_candidates("D:\\ie5\\Setup Dir\\ie5setup.exe /q");
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0].program, "D:\\ie5\\Setup.exe");
  EXPECT_EQ(c[0].arguments, "Dir\\ie5setup.exe /q");
  EXPECT_EQ(c[1].program, "D:\\ie5\\Setup Dir\\ie5setup.exe");
  EXPECT_EQ(c[1].arguments, "/q");
  EXPECT_EQ(c[2].program, "D:\\ie5\\Setup Dir\\ie5setup.exe /q.exe");
  const auto quoted = detail::command_line_candidates("\"C:\\a b\\x\"  -y");
  ASSERT_EQ(quoted.size(), 1u);
  EXPECT_EQ(quoted[0].program, "C:\\a b\\x.exe");
  EXPECT_EQ(quoted[0].arguments, "-y");
  EXPECT_TRUE(detail::command_line_candidates("   ").empty());
}

bool wait_for(const fs::path& file) {
  for (int i = 0; i < 200 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(file);
}

class WinExecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::make_machine_dir(prefix, {{'d', tmp / "cd"}});
    machine = std::make_unique<Machine>(prefix);
    scope = std::make_unique<MachineScope>(*machine);
  }
  // A host stand-in installer that records its arguments.
  void write_script(const fs::path& file, const fs::path& record) {
    testing_support::write_file(file, "#!/bin/sh\necho \"$@\" > '" + record.string() + ".tmp'; mv '" +
                                          record.string() + ".tmp' '" + record.string() + "'\n");
    fs::permissions(file, fs::perms::owner_all);
  }
  TempDir tmp;
  fs::path prefix = tmp / "m";
  std::unique_ptr<Machine> machine;
  std::unique_ptr<MachineScope> scope;
};

TEST_F(WinExecTest, StartsAHostProgramThroughABlankInItsFolder) {
  write_script(tmp / "cd/HHUpd/Deutsch Neu/hhupd.exe", tmp / "started");
  EXPECT_GT(WinExec("D:\\HHUpd\\Deutsch Neu\\hhupd.exe /Q", SW_SHOW), 31u);
  ASSERT_TRUE(wait_for(tmp / "started"));
  EXPECT_EQ(testing_support::read_file(tmp / "started"), "/Q\n");
}

TEST_F(WinExecTest, StartsAWindowsProgramThroughWineInThePrefix) {
  testing_support::write_file(tmp / "cd/ie5/ie5setup.exe", "MZ\x90");
  const fs::path bin = tmp / "bin";
  testing_support::write_file(bin / "wine", "#!/bin/sh\necho \"$WINEPREFIX|$*\" > '" + (tmp / "wine.tmp").string() +
                                                "'; mv '" + (tmp / "wine.tmp").string() + "' '" +
                                                (tmp / "wine.log").string() + "'\n");
  fs::permissions(bin / "wine", fs::perms::owner_all);
  const std::string old_path = std::getenv("PATH");
  setenv("PATH", (bin.string() + ":" + old_path).c_str(), 1);
  const UINT result = WinExec("d:\\IE5\\ie5setup.exe", SW_SHOW);
  setenv("PATH", old_path.c_str(), 1);
  EXPECT_GT(result, 31u);
  ASSERT_TRUE(wait_for(tmp / "wine.log"));
  EXPECT_EQ(testing_support::read_file(tmp / "wine.log"), machine->Prefix().string() + "|D:\\IE5\\ie5setup.exe\n");
}

TEST_F(WinExecTest, ReportsWhatWindowsReports) {
  testing_support::write_file(tmp / "cd/readme.txt", "text");
  struct Row { const char* line; UINT result; };
  const Row rows[] = {
      {"D:\\missing.exe", ERROR_FILE_NOT_FOUND},
      {"D:\\no dir\\x.exe", ERROR_PATH_NOT_FOUND},
      {"D:\\readme.txt", ERROR_BAD_FORMAT},
      {"", ERROR_FILE_NOT_FOUND},
  };
  for (const Row& row : rows) EXPECT_EQ(WinExec(row.line, SW_SHOW), row.result) << row.line;
}

}  // namespace
