// Session scripts end to end: the test application runs as its own process, as Setup does.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;

struct Outcome {
  int status;
  std::string errors;
};

// Runs the test application with `script`; SETUP_RECORD when `record` is given.
Outcome run_app(const TempDir& dir, const std::string& script, const std::string& record = "") {
  const auto script_path = dir / "session.txt";
  const auto errors_path = dir / "stderr.txt";
  write_file(script_path, script);
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("SETUP_SCRIPT", script_path.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!record.empty()) setenv("SETUP_RECORD", record.c_str(), 1);
    else unsetenv("SETUP_RECORD");
    if (!freopen(errors_path.c_str(), "w", stderr)) _exit(99);
    execl(VCL_TEST_APP, VCL_TEST_APP, static_cast<char*>(nullptr));
    _exit(98);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(errors_path)};
}

TEST(SessionScript, WalksTheTestWizardAndDumpsIt) {
  TempDir dir;
  const std::string dump = (dir / "end.json").string();
  const Outcome run = run_app(dir,
                          "# comments and blank lines are skipped\n\n"
                          "type edName Hans \xCE\xA9\n"
                          "click cbOption\n"
                          "select rgKind 1\n"
                          "click btnNext\n"
                          "dir DirectoryListBox1 Program Files\n"
                          "click btnNext\n"
                          "dump " + dump + "\n"
                          "click Yes\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string json = read_file(dump);
  for (const char* expected : {
           R"({"screen":{"width":1024,"height":768,"cursor":0},"application":{"title":"Test"},"active":"MessageBox","forms":[)",
           R"({"name":"frmPage","class":"TfrmPage","caption":"Welcome","visible":false,"enabled":true,"modal":true,"left":288,"top":225,"clientWidth":441,"clientHeight":294,"controls":[)",
           R"({"name":"edName","class":"TEdit","parent":"frmPage","left":128,"top":132,"width":185,"height":21,"visible":true,"enabled":true,"text":"Hans ","fontSize":8,"fontStyle":[]})",
           R"("name":"cbOption","class":"TCheckBox",)",
           R"("caption":"&Option","checked":true,)",
           R"("items":["&Typical","C&ustom"],"itemIndex":1,)",
           R"("directory":"C:\\Program Files","drive":"c","items":["c:\\","Program Files","Common Files","Rätsel Tyx"],"itemIndex":1,)",
           R"("name":"frmBack","class":"TfrmBack","caption":"","visible":true,"enabled":false,"modal":false,"left":0,"top":0,"clientWidth":1024,"clientHeight":768,)",
           R"("caption":"KREUZWORTRÄTSEL","fontSize":28,"fontStyle":["bold"]})",
           R"({"name":"MessageBox","class":"TMessageForm","caption":"Test","visible":true,"enabled":true,"modal":true,)",
           R"("text":"Finish the test?","buttons":["Yes","No"],)",
           R"("choices":{"Name":"Hans ","Option":true,"Language":7,"TargetDrive":"C"}})",
       })
    EXPECT_NE(json.find(expected), std::string::npos) << "missing " << expected << "\nin " << json;
}

TEST(SessionScript, BadLinesExitWithStatusThreeNamingLineAndForm) {
  struct Row {
    std::string script;
    std::string message;
  };
  const Row rows[] = {
      {"click btnNext\nfrobnicate btnNext\n", "session.txt:2 \"frobnicate btnNext\": unknown action \"frobnicate\" (active form: frmSecond)"},
      {"click btnResume\n", ":1 \"click btnResume\": no control btnResume on the active form (active form: frmPage)"},
      {"click btnHelp\n", ":1 \"click btnHelp\": btnHelp is disabled (active form: frmPage)"},
      {"select rgKind one\n", ":1 \"select rgKind one\": malformed index (active form: frmPage)"},
      {"select rgKind 7\n", "no item 7 in rgKind (active form: frmPage)"},
      {"dump /nonexistent-folder/x.json\n", ":1 \"dump /nonexistent-folder/x.json\": cannot write /nonexistent-folder/x.json (active form: frmPage)"},
      {"shot /nonexistent-folder/x.png\n", "cannot write /nonexistent-folder/x.png (active form: frmPage)"},
      {"click btnCancel\n", "the script ended while frmExit waits for input"},
      {"", "the script ended while frmPage waits for input"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.script);
    TempDir dir;
    const Outcome run = run_app(dir, row.script);
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.errors.find(row.message), std::string::npos) << run.errors;
  }
}

TEST(SessionScript, UnwritableRecordFileExitsWithStatusThree) {
  TempDir dir;
  const Outcome run = run_app(dir, "click btnNext\n", "/nonexistent-folder/record.txt");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.errors.find("/nonexistent-folder/record.txt"), std::string::npos) << run.errors;
}

TEST(SessionScript, RecordedSessionReplaysToTheSameEndState) {
  TempDir dir;
  const std::string record = (dir / "record.txt").string();
  const std::string first = (dir / "first.json").string();
  const std::string second = (dir / "second.json").string();
  const std::string actions =
      "type edName Ann\n# a comment\nkey Alt+O\nselect cbCombo 1\ndblclick lbList 1\nclick btnCancel\n";
  const Outcome recording = run_app(dir, actions + "click btnResume\nclick btnNext\nclick btnBack\ndump " + first + "\n", record);
  EXPECT_EQ(recording.status, 3) << recording.errors;
  const std::string recorded = read_file(record);
  EXPECT_EQ(recorded.find("dump"), std::string::npos);
  EXPECT_EQ(recorded.find("a comment"), std::string::npos);
  const Outcome replay = run_app(dir, recorded + "dump " + second + "\n");
  EXPECT_EQ(replay.status, 3) << replay.errors;
  EXPECT_FALSE(read_file(first).empty());
  EXPECT_EQ(read_file(first), read_file(second));
  EXPECT_NE(read_file(first).find(R"("text":"Games")"), std::string::npos);
}

TEST(SessionScript, ShotSavesAPictureOfTheVirtualScreen) {
  TempDir dir;
  const std::string shot = (dir / "screen.png").string();
  const Outcome run = run_app(dir, "shot " + shot + "\nclick btnNext\nclick btnNext\nclick Yes\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string png = read_file(shot);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // Width and height from the IHDR chunk.
  auto be32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 1024u);
  EXPECT_EQ(be32(20), 768u);
}

}  // namespace
