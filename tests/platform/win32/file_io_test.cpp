// Delphi text files and untyped files on a machine directory.
#include "platform/win32/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>

#include "platform/rtl/exceptions.h"
#include "platform/win32/machine.h"
#include "tests/platform/win32/fault_host.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using namespace rtl::literals;
using testing_support::FaultHost;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
namespace fs = std::filesystem;

namespace {

int io_error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const rtl::EInOutError& e) {
    return e.ErrorCode;
  }
  return 0;
}

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::make_machine_dir(prefix);
    machine = std::make_unique<Machine>(prefix);
    scope = std::make_unique<MachineScope>(*machine);
  }
  void TearDown() override { FileMode = 2; }
  fs::path c(const std::string& rest) const { return prefix / "drive_c" / rest; }

  TempDir tmp;
  fs::path prefix = tmp / "prefix";
  std::unique_ptr<Machine> machine;
  std::unique_ptr<MachineScope> scope;
};

TEST_F(FileIoTest, ListIsAppendedOrCreatedAsTheInstallationDoes) {
  fs::create_directories(c("Tyx"));
  TextFile list;
  AssignFile(list, "C:\\tyx\\UnInst.inf");
  EXPECT_EQ(io_error_of([&] { Append(list); }), 2);  // the first installation has no list
  Rewrite(list);
  Writeln(list, "C:\\Tyx\\UnInst.exe");
  // Each line is on disk at once, even if the program ends without closing.
  EXPECT_EQ(read_file(c("Tyx/UnInst.inf")), "C:\\Tyx\\UnInst.exe\r\n");
  CloseFile(list);

  // A second installation continues the list.
  Append(list);
  Writeln(list, "C:\\Tyx\\Rätsel.dic"_a);
  Write(list, "no end");
  Writeln(list);
  CloseFile(list);
  EXPECT_EQ(read_file(c("Tyx/UnInst.inf")), "C:\\Tyx\\UnInst.exe\r\nC:\\Tyx\\R\xE4tsel.dic\r\nno end\r\n");

  Rewrite(list);
  CloseFile(list);
  EXPECT_EQ(read_file(c("Tyx/UnInst.inf")), "");
}

TEST_F(FileIoTest, TextFileErrorsAreDelphis) {
  write_file(c("ro.ini"), "kept\r\n");
  ::chmod(c("ro.ini").c_str(), 0444);
  fs::create_directories(c("Dir"));
  struct Row { const char* what; std::function<void(TextFile&)> action; int error; };
  const Row rows[] = {
      {"never assigned", [](TextFile& f) { Rewrite(f); }, 102},
      {"close unassigned", [](TextFile& f) { CloseFile(f); }, 102},
      {"append missing", [](TextFile& f) { AssignFile(f, "C:\\none.ini"); Append(f); }, 2},
      {"append, folder missing", [](TextFile& f) { AssignFile(f, "C:\\No\\x.ini"); Append(f); }, 3},
      {"rewrite, folder missing", [](TextFile& f) { AssignFile(f, "C:\\No\\x.ini"); Rewrite(f); }, 3},
      {"append read-only", [](TextFile& f) { AssignFile(f, "C:\\ro.ini"); Append(f); }, 5},
      {"rewrite read-only", [](TextFile& f) { AssignFile(f, "C:\\RO.INI"); Rewrite(f); }, 5},
      {"rewrite a folder", [](TextFile& f) { AssignFile(f, "C:\\Dir"); Rewrite(f); }, 5},
      {"bad name", [](TextFile& f) { AssignFile(f, "C:\\a?b"); Rewrite(f); }, 123},
      {"no drive", [](TextFile& f) { AssignFile(f, "Q:\\x"); Rewrite(f); }, 3},
      {"write closed", [](TextFile& f) { AssignFile(f, "C:\\x.ini"); Writeln(f, "x"); }, 103},
      {"close twice", [](TextFile& f) { AssignFile(f, "C:\\x.ini"); Rewrite(f); CloseFile(f); CloseFile(f); }, 103},
  };
  for (const Row& row : rows) {
    TextFile f;
    EXPECT_EQ(io_error_of([&] { row.action(f); }), row.error) << row.what;
  }
  EXPECT_EQ(read_file(c("ro.ini")), "kept\r\n");
}

TEST_F(FileIoTest, FullDiskKeepsTheLinesWrittenBefore) {
  TextFile f;
  AssignFile(f, "C:\\list.txt");
  Rewrite(f);
  Writeln(f, "first");
  FaultHost fault;
  fault.write_budget = 3;
  {
    detail::ScopedHost use(fault);
    EXPECT_EQ(io_error_of([&] { Writeln(f, "second"); }), 101);
  }
  EXPECT_EQ(read_file(c("list.txt")), "first\r\nsec");
  Writeln(f, "third");  // the file stays open and usable, as in Delphi
  CloseFile(f);
  EXPECT_EQ(read_file(c("list.txt")), "first\r\nsecthird\r\n");
}

TEST_F(FileIoTest, FileVariablesCloseTheirHandles) {
  write_file(c("a.dat"), "x");
  FaultHost counting;
  detail::ScopedHost use(counting);
  {
    TextFile t;
    AssignFile(t, "C:\\a.txt");
    Rewrite(t);
    Rewrite(t);            // reopening closes the first handle
    AssignFile(t, "C:\\b.txt");  // so does assigning another name
    Rewrite(t);
    File u;
    AssignFile(u, "C:\\a.dat");
    Reset(u);
    Reset(u);
  }
  EXPECT_EQ(counting.opens, 5);
  EXPECT_EQ(counting.closes, counting.opens);
}

TEST_F(FileIoTest, FileSizeCountsWholeRecords) {
  struct Row { std::size_t bytes; int record; std::int64_t records; };
  const Row rows[] = {
      {0, 128, 0}, {127, 128, 0}, {128, 128, 1}, {1000, 128, 7}, {1020, 128, 7}, {1030, 128, 8}, {1030, 1, 1030},
  };
  for (const Row& row : rows) {
    write_file(c("f.dat"), std::string(row.bytes, 'x'));
    File f;
    AssignFile(f, "c:\\F.DAT");
    Reset(f, row.record);
    EXPECT_EQ(FileSize(f), row.records) << row.bytes << " bytes in records of " << row.record;
    CloseFile(f);
  }
}

TEST_F(FileIoTest, ResetHonoursFileMode) {
  write_file(c("cd.dat"), std::string(300, 'x'));
  ::chmod(c("cd.dat").c_str(), 0444);  // every file on a CD
  fs::create_directories(c("Dir"));
  File f;
  AssignFile(f, "C:\\cd.dat");
  EXPECT_EQ(FileMode, 2);
  EXPECT_EQ(io_error_of([&] { Reset(f, 128); }), 5);
  FileMode = 0;
  Reset(f, 128);
  EXPECT_EQ(FileSize(f), 2);
  CloseFile(f);

  struct Row { const char* what; std::function<void(File&)> action; int error; };
  const Row rows[] = {
      {"missing", [](File& g) { AssignFile(g, "C:\\none.dat"); Reset(g, 128); }, 2},
      {"folder missing", [](File& g) { AssignFile(g, "C:\\No\\none.dat"); Reset(g, 128); }, 3},
      {"a folder", [](File& g) { AssignFile(g, "C:\\Dir"); Reset(g, 128); }, 5},
      {"record size 0", [](File& g) { AssignFile(g, "C:\\cd.dat"); Reset(g, 0); }, 87},
      {"size when closed", [](File& g) { AssignFile(g, "C:\\cd.dat"); FileSize(g); }, 103},
      {"never assigned", [](File& g) { FileSize(g); }, 102},
      {"close when closed", [](File& g) { AssignFile(g, "C:\\cd.dat"); CloseFile(g); }, 103},
  };
  for (const Row& row : rows) {
    File g;
    EXPECT_EQ(io_error_of([&] { row.action(g); }), row.error) << row.what;
  }
}

}  // namespace
