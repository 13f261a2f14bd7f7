// The directory browser of the destination page: its texts in every edition, the target
// following every change, Cancel, and drives that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/session.h"

using e2e::control;
using e2e::form;
using e2e::lines;
using e2e::Session;
using e2e::Lines;

namespace {

const std::string kOpen[] = {"click btnNext", "click btnBrowse"};

Lines script(std::initializer_list<std::string> tail) {
  Lines out(std::begin(kOpen), std::end(kOpen));
  out.insert(out.end(), tail);
  return out;
}

struct BrowserTexts {
  const char* program;
  const char* cancel;
  const char* caption;
  const char* memo;
  const char* path;
  const char* folder;
  const char* directory;
  const char* drive;
  const char* space;
  const char* enough;
  const char* sub_dir;
  const char* full_path;  // shortened beyond 30 characters
};

const BrowserTexts kEditions[] = {
    {"setup-da", "&Annuller", "Vælg bibliotek",
     "Du skal nu angive hvor på din harddisk, du ønsker at Kryds og Tværs programmerne skal installeres.", "Sti:",
     "Kryds og Tværs mappe:", "Bibliotek:", "Drev:", "Plads til rådighed:", "Rigeligt", "Kryds Tyx",
     "C:\\Program Files\\Kryds Tyx"},
    {"setup", "&Abbrechen", "Bibliothek wählen",
     "Geben Sie an, wo auf der Festplatte KREUZWORTRÄTSEL installiert werden soll.", "Pfad:", "Rätsel ordner:",
     "Bibliothek:", "Laufwerk:", "Vorhandener Speicherplatz:", "Genug", "Rätsel Tyx",
     "C:\\Program Files\\Rätsel Tyx"},
    {"setup-es", "&Cancelar", "Elija un directorio",
     "Por favor elija Ud. el directorio a donde los programas de Crucigramas deberán ser instalados.", "Destino:",
     "El nombre del Grupo:", "Directorio:", "Disc drive:", "Espacio disponible:", "Suficiente", "Crucigrama Tyx",
     "C:\\Program Files\\...\\Crucigrama Tyx"},
    {"setup-en", "&Cancel", "Choose directory",
     "Please choose the directory where you want the crossword programs to be installed.", "Path:",
     "Crossword folder:", "Directory:", "Drive:", "Space available:", "Enough", "Crossword Tyx",
     "C:\\Program Files\\Crossword Tyx"},
};

TEST(Browser, EveryEditionShowsItsTextsAndTheCurrentTarget) {
  for (const BrowserTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run(script({"dump", "shot " + (session.machine() / "browser.png").string(),
                                            "key Escape", "click btnBack", "key Escape", "key Escape"}),
                                    {"SETUP_DISK_FREE=C=5368709120"});
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_EQ(dump["active"], "frmChooseDir");
    EXPECT_EQ(e2e::visible_forms(dump), (Lines{"frmBackground", "frmDestination", "frmChooseDir"}));
    const auto& browser = form(dump, "frmChooseDir");
    EXPECT_EQ(browser["caption"], t.caption);
    EXPECT_EQ(browser["clientWidth"], 438);
    EXPECT_EQ(browser["clientHeight"], 309);
    EXPECT_TRUE(browser["modal"].get<bool>());
    for (const char* hidden : {"btnNext", "btnCancel", "panHR"})
      EXPECT_FALSE(control(dump, "frmChooseDir", hidden)["visible"].get<bool>()) << hidden;
    EXPECT_EQ(control(dump, "frmChooseDir", "btnOK")["caption"], "&OK");
    EXPECT_EQ(control(dump, "frmChooseDir", "btnCancelx")["caption"], t.cancel);
    EXPECT_EQ(lines(dump, "frmChooseDir"), Lines{t.memo});
    EXPECT_EQ(control(dump, "frmChooseDir", "Label5")["caption"], t.path);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label6")["caption"], t.folder);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label2")["caption"], t.directory);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label1")["caption"], t.drive);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label3")["caption"], t.space);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label4")["caption"], t.enough);
    EXPECT_EQ(control(dump, "frmChooseDir", "edXWordFolder")["text"], t.sub_dir);
    EXPECT_EQ(control(dump, "frmChooseDir", "DirectoryListBox1")["directory"], "C:\\Program Files");
    EXPECT_EQ(control(dump, "frmChooseDir", "DriveComboBox1")["drive"], "c");
    EXPECT_EQ(control(dump, "frmChooseDir", "lbFullPath")["caption"], t.full_path);
    EXPECT_EQ(control(dump, "frmChooseDir", "lbFullPath")["fontStyle"], Lines{"bold"});

    // The path follows its caption, whatever the caption's width in this language.
    const auto& label5 = control(dump, "frmChooseDir", "Label5");
    EXPECT_EQ(control(dump, "frmChooseDir", "lbFullPath")["left"],
              label5["left"].get<int>() + label5["width"].get<int>() + 4);
    EXPECT_EQ(e2e::layout_faults(dump, "frmChooseDir"), Lines{});
    EXPECT_TRUE(std::filesystem::exists(session.machine() / "browser.png"));
  }
}

// Each keystroke in the folder name, each folder and each drive picked set the target, the
// path label and the free space at once.
TEST(Browser, TheTargetFollowsEveryChange) {
  Session session;
  std::filesystem::create_directories(session.drive_c() / "Spiele" / "Neu");
  const auto result =
      session.run(script({"clear edXWordFolder", "dump", "type edXWordFolder X", "dump", "type edXWordFolder Y", "dump",
                          "type edXWordFolder \\", "dump", "clear edXWordFolder", "type edXWordFolder \\Mein\\",
                          "dump", "dblclick DirectoryListBox1 0", "dir DirectoryListBox1 Spiele\\Neu", "dump",
                          "drive DriveComboBox1 d", "dump", "click btnOK", "dump", "key Escape", "key Escape"}),
                  {"SETUP_DISK_FREE=C=524288000,D=104857600"});
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 8u) << result.errors;
  struct Row {
    const char* base;
    const char* sub;
    const char* drive;
    const char* path_label;
    const char* free;
  };
  const Row rows[] = {
      {"C:\\Program Files\\", "", "C", "C:\\Program Files\\", "500 Mb"},
      {"C:\\Program Files\\", "X", "C", "C:\\Program Files\\X", "500 Mb"},
      {"C:\\Program Files\\", "XY", "C", "C:\\Program Files\\XY", "500 Mb"},
      // A trailing backslash is typed but not stored.
      {"C:\\Program Files\\", "XY", "C", "C:\\Program Files\\XY", "500 Mb"},
      {"C:\\Program Files\\", "Mein", "C", "C:\\Program Files\\Mein", "500 Mb"},
      {"C:\\Spiele\\Neu\\", "Mein", "C", "C:\\Spiele\\Neu\\Mein", "500 Mb"},
      {"D:\\", "Mein", "D", "D:\\Mein", "100 Mb"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE("dump " + std::to_string(i));
    const auto& dump = result.dumps[i];
    EXPECT_EQ(dump["choices"]["TargetBaseDir"], rows[i].base);
    EXPECT_EQ(dump["choices"]["TargetSubDir"], rows[i].sub);
    EXPECT_EQ(dump["choices"]["TargetDrive"], rows[i].drive);
    EXPECT_EQ(control(dump, "frmChooseDir", "lbFullPath")["caption"], rows[i].path_label);
    EXPECT_EQ(control(dump, "frmChooseDir", "Label4")["caption"], rows[i].free);
  }
  EXPECT_EQ(control(result.dumps[3], "frmChooseDir", "edXWordFolder")["text"], "XY\\");
  // OK keeps the last change, and the destination page shows it when uncovered.
  const auto& back = result.dumps[7];
  EXPECT_EQ(back["active"], "frmDestination");
  EXPECT_EQ(back["choices"], result.dumps[6]["choices"]);
  EXPECT_EQ(control(back, "frmDestination", "lbProgramFilesDir")["caption"], "D:\\Mein");
}

// Cancel puts back the target the dialog had when it was activated this time, not the one
// it had at the start of the program.
TEST(Browser, CancelRestoresTheTargetOfItsActivation) {
  Session session;
  std::filesystem::create_directories(session.drive_c() / "Spiele");
  const auto result = session.run(script({"dump", "clear edXWordFolder", "type edXWordFolder Erst",
                                          "dblclick DirectoryListBox1 0", "click btnOK", "dump", "click btnBrowse",
                                          "clear edXWordFolder", "type edXWordFolder Dann", "dir DirectoryListBox1 Spiele",
                                          "drive DriveComboBox1 d", "dump", "click btnCancelx", "dump",
                                          "click btnBrowse", "dump", "key Escape", "dump", "key Escape",
                                          "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 6u) << result.errors;
  const auto& accepted = result.dumps[1]["choices"];
  EXPECT_EQ(accepted["TargetBaseDir"], "C:\\");
  EXPECT_EQ(accepted["TargetSubDir"], "Erst");
  EXPECT_EQ(result.dumps[2]["choices"]["TargetBaseDir"], "D:\\");

  const auto& cancelled = result.dumps[3];
  EXPECT_EQ(cancelled["active"], "frmDestination");
  EXPECT_EQ(cancelled["choices"], result.dumps[1]["choices"]);
  EXPECT_EQ(control(cancelled, "frmDestination", "lbProgramFilesDir")["caption"], "C:\\Erst");
  // The dialog itself shows the restored target when it opens again.
  const auto& reopened = result.dumps[4];
  EXPECT_EQ(control(reopened, "frmChooseDir", "edXWordFolder")["text"], "Erst");
  EXPECT_EQ(control(reopened, "frmChooseDir", "DirectoryListBox1")["directory"], "C:\\");
  EXPECT_EQ(control(reopened, "frmChooseDir", "DriveComboBox1")["drive"], "c");
  // Escape is the dialog's Cancel; without a change nothing moves.
  EXPECT_EQ(result.dumps[5]["active"], "frmDestination");
  EXPECT_EQ(result.dumps[5]["choices"], result.dumps[1]["choices"]);
}

// A drive whose folder is gone, or whose root is not a folder, returns the list to C
// without a message; the target, the path and the free space are then C's.
TEST(Browser, AnUnreadableDriveReturnsToCWithoutAMessage) {
  Session session;
  const auto devices = session.machine() / "dosdevices";
  std::filesystem::create_directory_symlink(session.machine() / "no-such-folder", devices / "e:");
  testing_support::write_file(session.machine() / "plain-file", "x");
  std::filesystem::create_symlink(session.machine() / "plain-file", devices / "f:");
  for (const char* drive : {"e", "f"}) {
    SCOPED_TRACE(drive);
    const auto result = session.run({"click btnNext", "click btnBrowse", "dblclick DirectoryListBox1 0",
                                     "drive DriveComboBox1 " + std::string(drive), "dump", "click btnOK", "dump",
                                     "key Escape", "key Escape"},
                                    {"SETUP_DISK_FREE=C=314572800"});
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_EQ(dump["active"], "frmChooseDir");
    EXPECT_EQ(e2e::visible_forms(dump), (Lines{"frmBackground", "frmDestination", "frmChooseDir"}));
    EXPECT_EQ(control(dump, "frmChooseDir", "DriveComboBox1")["drive"], "c");
    EXPECT_EQ(control(dump, "frmChooseDir", "DirectoryListBox1")["directory"], "C:\\");
    EXPECT_EQ(control(dump, "frmChooseDir", "Label4")["caption"], "300 Mb");
    EXPECT_EQ(control(dump, "frmChooseDir", "lbFullPath")["caption"], "C:\\Rätsel Tyx");
    EXPECT_EQ(dump["choices"]["TargetDrive"], "C");
    EXPECT_EQ(dump["choices"]["TargetBaseDir"], "C:\\");
    EXPECT_TRUE(e2e::shows_page(result.dumps[1], "frmDestination"));
  }
}

// Folder names Windows would refuse are taken as typed (only one backslash at each end
// goes); nothing is created on the machine while choosing.
TEST(Browser, FolderNamesAreTakenAsTypedAndNothingIsWritten) {
  Session session;
  const std::string long_name(300, 'x');
  struct Row {
    std::string typed;
    std::string stored;
  };
  const Row rows[] = {
      {"a<b>c:d|e?f*g\"h", "a<b>c:d|e?f*g\"h"},
      {long_name, long_name},
      {"\\\\\\\\", "\\\\"},
      {"\\", ""},
  };
  const auto before = e2e::tree_contents(session.machine());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    const auto result = session.run(script({"clear edXWordFolder", "type edXWordFolder " + row.typed, "click btnOK",
                                            "dump", "key Escape", "key Escape"}));
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    EXPECT_EQ(result.dumps[0]["active"], "frmDestination");
    EXPECT_EQ(result.dumps[0]["choices"]["TargetSubDir"], row.stored);
    EXPECT_EQ(result.dumps[0]["choices"]["TargetBaseDir"], "C:\\Program Files\\");
  }
  EXPECT_EQ(e2e::tree_contents(session.machine()), before);
}

}  // namespace
