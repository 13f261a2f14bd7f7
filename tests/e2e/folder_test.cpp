// The program folder page: its texts in every edition, the Start menu's folders, the name
// it records, and its Back road to the setup type or custom page.
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "tests/e2e/session.h"

using e2e::control;
using e2e::form;
using e2e::lines;
using e2e::Session;
using e2e::Lines;
namespace fs = std::filesystem;

namespace {

Lines to_folder(std::initializer_list<std::string> tail) { return e2e::script({e2e::kToFolder, tail}); }

// The Start menu's Programs folder of the machine, whatever the user is called.
fs::path programs_folder(const Session& session) {
  for (const auto& user : fs::directory_iterator(session.drive_c() / "Documents and Settings")) {
    const fs::path programs = user.path() / "Start Menu" / "Programs";
    if (fs::is_directory(programs)) return programs;
  }
  throw std::runtime_error("no Start menu on the machine");
}

struct FolderTexts {
  const char* program;
  int language;
  const char* proposed;
  const char* next;
  const char* cancel;
  const char* back;
  const char* caption;
  const char* label1;
  const char* label2;
  Lines memo;
};

const FolderTexts kEditions[] = {
    {"setup-da", 6, "Kryds og Tværs", "&Fortsæt >", "&Afbryd", "< &Tilbage", "Vælg Program Mappe", "Program Mappe:",
     "Eksisterende Program Mapper:",
     {"",
      "Installations-programmet vil oprette program ikoner i program mappen angivet nedenfor. Hvis du er tilfreds "
      "hermed så klik med venstre museknap på Fortsæt-knappen.",
      "",
      "Ellers kan du indtaste et nyt navn på program mappen, eller du kan vælge en fra nedenstående liste over "
      "eksisterende program mapper."}},
    {"setup", 7, "Rätsel", "&Weiter >", "&Abbrechen", "< &Zurück", "SETUP Name der Programmgruppe", "Programmgruppe:",
     "Vorhandene Ordner:",
     {"",
      "SETUP fügt in die unten aufgeführte Programmgruppe neue Symbole hinzu. Sie können einen neuen Ordnernamen "
      "eingeben oder einen aus der Liste 'Vorhandene Ordner' auswählen.",
      "", "Wählen Sie 'Weiter', um den Vorgang fortzusetzen."}},
    {"setup-es", 10, "Crucigrama", "&Próximo >", "&Cancelar", "< &Atrás", "Seleccione el nombre del grupo de programas",
     "El nombre del grupo:", "Otros grupos:",
     {"",
      "El programa de instalación añade un icono para los grupos de programas que se encuentran más abajo. Si Ud. "
      "quiere otros nombres, escríbalo en el caja o elíjalo en el grupo de la lista existente."}},
    {"setup-en", 9, "Crossword", "&Next >", "&Cancel", "< &Back", "Select Program Folder", "Program Folder:",
     "Existing Folders:",
     {"", "Setup will add program icons to the Program Folder listed below.", "",
      "You may type a new folder name, or select one from the existing Folders list. Click Next to continue."}},
};

TEST(Folder, EveryEditionShowsItsTextsAndTheStartMenuFolders) {
  for (const FolderTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run(to_folder({"dump", "shot " + (session.machine() / "folder.png").string(),
                                               "key Escape", "key Escape"}));
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(dump, "frmFolder"));
    const auto& page = form(dump, "frmFolder");
    EXPECT_EQ(page["caption"], t.caption);
    EXPECT_EQ(page["clientWidth"], 459);
    EXPECT_EQ(page["clientHeight"], 363);
    EXPECT_EQ(control(dump, "frmFolder", "Memo1")["width"], 297);
    EXPECT_EQ(control(dump, "frmFolder", "Memo1")["height"], 137);
    EXPECT_EQ(control(dump, "frmFolder", "edProgramFolder")["text"], t.proposed);
    EXPECT_EQ(control(dump, "frmFolder", "btnNext")["caption"], t.next);
    EXPECT_EQ(control(dump, "frmFolder", "btnCancel")["caption"], t.cancel);
    EXPECT_EQ(control(dump, "frmFolder", "btnBack")["caption"], t.back);
    EXPECT_EQ(control(dump, "frmFolder", "Label1")["caption"], t.label1);
    EXPECT_EQ(control(dump, "frmFolder", "Label2")["caption"], t.label2);
    EXPECT_EQ(lines(dump, "frmFolder"), t.memo);
    EXPECT_EQ(control(dump, "frmFolder", "lbExcistingProgramFolders")["items"],
              (Lines{"Accessories", "Games", "StartUp"}));
    EXPECT_EQ(e2e::layout_faults(dump, "frmFolder"), Lines{});
    // The destination page's road: the Solver alone, every language the setup's.
    const auto& choices = dump["choices"];
    EXPECT_TRUE(choices["InstallSolver"].get<bool>());
    for (const char* flag : {"CompactSolver", "InstallGenerator", "CompactGenerator", "InstallDrawer", "CompactDrawer"})
      EXPECT_FALSE(choices[flag].get<bool>()) << flag;
    for (const char* language :
         {"SolverMainLanguage", "SolverHelpLanguage", "SolverDictionaryLanguage", "GeneratorLanguage", "DrawerLanguage"})
      EXPECT_EQ(choices[language], t.language) << language;
    const std::string start_menu = choices["StartMenuProgramsDir"];
    EXPECT_EQ(start_menu.substr(0, 26), "C:\\Documents and Settings\\");
    EXPECT_EQ(start_menu.substr(start_menu.size() - 21), "\\Start Menu\\Programs\\");
  }
}

// Only visible folders are offered: files, hidden and system folders and "." and ".." are
// left out; the order is the file system's.
TEST(Folder, TheListHoldsOnlyTheVisibleFolders) {
  Session session;
  const fs::path programs = programs_folder(session);
  for (const char* name : {"zubehör", "apps", "Hidden", "System", "Both", ".config"})
    fs::create_directory(programs / fs::u8path(name));
  testing_support::write_file(programs / "Readme.txt", "x");
  testing_support::write_file(programs / "Internet.lnk", "x");
  const std::pair<const char*, const char*> marks[] = {{"Hidden", "0x2"}, {"System", "0x4"}, {"Both", "0x6"}};
  for (const auto& [name, value] : marks)
    if (setxattr((programs / name).c_str(), "user.DOSATTRIB", value, std::strlen(value), 0) != 0)
      GTEST_SKIP() << "the file system keeps no user extended attributes";
  const auto result = session.run(to_folder({"dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
  EXPECT_EQ(control(result.dumps[0], "frmFolder", "lbExcistingProgramFolders")["items"],
            (Lines{"Accessories", "apps", "Games", "StartUp", "zubehör"}));
}

// A double click copies the item into the name; the name typed last survives Back and Next,
// and the list is not searched again (its selection stays).
TEST(Folder, TheNameIsKeptBetweenVisitsAndTheListIsSearchedOnce) {
  Session session;
  const auto result =
      session.run(to_folder({"dblclick lbExcistingProgramFolders 1", "dump", "type edProgramFolder  Neu", "click btnNext",
                             "dump", "click btnBack", "dump", "clear edProgramFolder", "type edProgramFolder Eigene",
                             "click btnNext", "dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 4u) << result.errors;
  EXPECT_EQ(control(result.dumps[0], "frmFolder", "edProgramFolder")["text"], "Games");
  EXPECT_EQ(result.dumps[1]["choices"]["ProgramFolder"], "Games Neu");
  EXPECT_EQ(result.dumps[1]["active"], "frmStartCopying");
  const auto& back = result.dumps[2];
  EXPECT_TRUE(e2e::shows_page(back, "frmFolder"));
  EXPECT_EQ(control(back, "frmFolder", "edProgramFolder")["text"], "Games Neu");
  EXPECT_EQ(control(back, "frmFolder", "lbExcistingProgramFolders")["itemIndex"], 1);
  EXPECT_EQ(control(back, "frmFolder", "lbExcistingProgramFolders")["items"],
            control(result.dumps[0], "frmFolder", "lbExcistingProgramFolders")["items"]);
  EXPECT_EQ(result.dumps[3]["choices"]["ProgramFolder"], "Eigene");
  EXPECT_EQ(lines(result.dumps[3], "frmStartCopying", "Memo2").back(), "   Eigene");
}

// Back from a folder page reached from the destination page shows the setup type page,
// which was never open, as an ordinary window; the name typed is kept.
TEST(Folder, BackShowsTheSetupTypePageAndKeepsTheName) {
  Session session;
  const auto result = session.run(to_folder({"clear edProgramFolder", "type edProgramFolder Meine Rätsel",
                                             "click btnBack", "dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
  const auto& dump = result.dumps[0];
  EXPECT_TRUE(e2e::shows_page(dump, "frmSetupType"));
  EXPECT_FALSE(form(dump, "frmSetupType")["modal"].get<bool>());
  EXPECT_FALSE(form(dump, "frmFolder")["modal"].get<bool>());
  EXPECT_TRUE(form(dump, "frmDestination")["modal"].get<bool>());
  EXPECT_EQ(dump["choices"]["ProgramFolder"], "Meine Rätsel");
}

// With Custom chosen on the setup type page, Back leads to the custom page instead.
TEST(Folder, BackWithCustomChosenShowsTheCustomPage) {
  Session session;
  const auto result = session.run(to_folder({"click btnBack", "select rgSetupType 1", "click btnNext", "dump",
                                             "click btnNext", "type edProgramFolder 2", "click btnBack", "dump",
                                             "key Escape", "key Escape"}),
                                  {"SETUP_DISK_FREE=C=5368709120"});
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
  // Custom passes through the custom page on its way to the folder page.
  EXPECT_EQ(result.dumps[0]["active"], "frmCustomSetup");
  const auto& dump = result.dumps[1];
  EXPECT_TRUE(e2e::shows_page(dump, "frmCustomSetup"));
  EXPECT_EQ(dump["choices"]["ProgramFolder"], "Rätsel2");
}

// Names Windows would refuse are recorded as typed; nothing is written on the machine.
TEST(Folder, AnyNameIsRecordedAsTypedAndNothingIsWritten) {
  Session session;
  const std::string long_name(300, 'n');
  const Lines names = {"a<b>c:d|e?f*g\"h/i", long_name, "\\\\\\", "  .."};
  const auto before = e2e::tree_contents(session.machine());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const auto result = session.run(to_folder({"clear edProgramFolder", "type edProgramFolder " + name,
                                               "click btnNext", "dump", "click btnBack", "key Escape",
                                               "key Escape"}));
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    EXPECT_EQ(result.dumps[0]["choices"]["ProgramFolder"], name);
    EXPECT_EQ(lines(result.dumps[0], "frmStartCopying", "Memo2").back(), "   " + name);
  }
  EXPECT_EQ(e2e::tree_contents(session.machine()), before);
}

// A Start menu folder that does not exist leaves the list empty; the page works on.
TEST(Folder, AMissingStartMenuFolderLeavesTheListEmpty) {
  Session session;
  fs::remove_all(programs_folder(session));
  const auto result = session.run(to_folder({"dump", "click btnNext", "dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
  EXPECT_EQ(control(result.dumps[0], "frmFolder", "lbExcistingProgramFolders")["items"], Lines{});
  const std::string start_menu = result.dumps[0]["choices"]["StartMenuProgramsDir"];
  EXPECT_EQ(start_menu.back(), '\\');
  EXPECT_EQ(result.dumps[1]["active"], "frmStartCopying");
  EXPECT_EQ(result.dumps[1]["choices"]["ProgramFolder"], "Rätsel");
}

// Without a Programs value the folder stays empty (no lone backslash is added).
TEST(Folder, NoStartMenuValueLeavesTheFolderEmpty) {
  Session session;
  e2e::remove_registry_value(session.machine() / "user.reg", "Programs");
  const auto result = session.run(to_folder({"dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
  EXPECT_EQ(result.dumps[0]["choices"]["StartMenuProgramsDir"], "");
  EXPECT_EQ(result.dumps[0]["active"], "frmFolder");
}

}  // namespace

namespace {

// The Start menu is found wherever the profile keeps it, also for a 32-bit program on a
// 64-bit machine.
TEST(Folder, EveryProfileFindsItsStartMenu) {
  struct Row {
    const char* profile;
    const char* arch;
    const char* start;
    const char* end;
  };
  const Row rows[] = {
      {"win95", "win32", "C:\\WINDOWS\\Start Menu\\Programs\\", ""},
      {"nt4", "win32", "C:\\WINNT\\Profiles\\", "\\Start Menu\\Programs\\"},
      {"win7", "win64", "C:\\users\\", "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.profile);
    Session session("setup", row.profile, row.arch);
    const auto result = session.run(to_folder({"dump", "key Escape", "key Escape"}));
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const std::string dir = result.dumps[0]["choices"]["StartMenuProgramsDir"];
    EXPECT_EQ(dir.substr(0, std::strlen(row.start)), row.start);
    EXPECT_EQ(dir.substr(dir.size() - std::strlen(row.end)), row.end);
    EXPECT_EQ(control(result.dumps[0], "frmFolder", "lbExcistingProgramFolders")["items"],
              (Lines{"Accessories", "Games", "StartUp"}));
  }
}

}  // namespace
