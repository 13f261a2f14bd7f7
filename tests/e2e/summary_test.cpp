// The summary page: its texts in every edition, the settings of the moment, and the hand
// over to the copying page.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/session.h"

using e2e::control;
using e2e::form;
using e2e::lines;
using e2e::Session;
using e2e::Lines;
namespace fs = std::filesystem;

namespace {

Lines to_summary(std::initializer_list<std::string> tail) {
  return e2e::script({e2e::kToFolder, {"click btnNext"}, tail});
}

struct SummaryTexts {
  const char* program;
  const char* next;
  const char* cancel;
  const char* back;
  const char* caption;
  const char* label1;
  Lines memo;
  const char* type_heading;
  const char* directory_heading;
  const char* folder_heading;
  const char* target;
  const char* folder;
};

const SummaryTexts kEditions[] = {
    {"setup-da", "&Fortsæt >", "&Afbryd", "< &Tilbage", "Færdiggør Installation", "Valgte indstillinger:",
     {"Installations-programmet er nu klar til at færdiggøre installationen. Hvis du ønsker at ændre de valgte "
      "indstillinger, så klik med venstre museknap på Tilbage-knappen. Hvis du tilfreds med de valgte indstillinger, "
      "skal du klikke med musen på Fortsæt-knappen."},
     "Installations type:", "Installeres i biblioteket:", "Programikoner lægges i folderen:",
     "C:\\Program Files\\Kryds Tyx", "Kryds og Tværs"},
    {"setup", "&Weiter >", "&Abbrechen", "< &Zurück", "SETUP fertig zur Installation", "Gewählten Einstellungen:",
     {"SETUP ist jetzt bereit, die Installation auf Ihrem Computer durchzuführen. Klicken Sie auf 'Zurück', wenn Sie "
      "die gewählte Einstellungen nochmals ändern möchten.",
      "", "Mit 'Weiter' starten Sie die Installation mit den gewählten Einstellungen."},
     "Der Typ vom Installieren:", "Zielverzeichnis:", "Zielordner:", "C:\\Program Files\\Rätsel Tyx", "Rätsel"},
    {"setup-es", "&Próximo >", "&Cancelar", "< &Atrás", "Comienza copias de archivos", "Colocación actual:",
     {"El programa de instalación  ha recibido la suficiente información para poder comenzar la copia de archivos en "
      "su ordenador.",
      "Desea Ud. ver o cambiar una colocación, deberá oprimir \"Atrás\".",
      "De quedar Ud. satisfecho con la colocación deberá pulsar \"Próximo\" para empezar la copia de archivos."},
     "Tipo del instalaciòn:", "Destino:", "El nombre del grupo:", "C:\\Program Files\\Crucigrama Tyx", "Crucigrama"},
    {"setup-en", "&Next >", "&Cancel", "< &Back", "Start Copying Files", "Current Settings:",
     {"Setup has enough information to start copying CROSSWORD-files to your computer. If you want to review or "
      "change any settings, click Back. If you are satisfied with the settings, click Next to begin copying files."},
     "Setup Type:", "Target Directory:", "Target Folder:", "C:\\Program Files\\Crossword Tyx", "Crossword"},
};

// The destination road in every edition (the German one is the road of the product): the
// setup type shown is the setup type page's first item, though that page was never open.
TEST(Summary, EveryEditionListsTheSettingsOfTheDestinationRoad) {
  for (const SummaryTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run(to_summary({"dump", "shot " + (session.machine() / "summary.png").string(),
                                                "key Escape", "key Escape"}));
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(dump, "frmStartCopying"));
    const auto& page = form(dump, "frmStartCopying");
    EXPECT_EQ(page["caption"], t.caption);
    EXPECT_EQ(page["clientWidth"], 441);
    EXPECT_EQ(page["clientHeight"], 285);
    EXPECT_EQ(control(dump, "frmStartCopying", "Memo1")["height"], 105);
    EXPECT_EQ(control(dump, "frmStartCopying", "btnNext")["caption"], t.next);
    EXPECT_EQ(control(dump, "frmStartCopying", "btnCancel")["caption"], t.cancel);
    EXPECT_EQ(control(dump, "frmStartCopying", "btnBack")["caption"], t.back);
    EXPECT_EQ(control(dump, "frmStartCopying", "Label1")["caption"], t.label1);
    EXPECT_EQ(control(dump, "frmStartCopying", "Label1")["fontStyle"], Lines{"bold"});
    EXPECT_EQ(lines(dump, "frmStartCopying"), t.memo);
    const std::string typical = control(dump, "frmSetupType", "rgSetupType")["items"][0];
    EXPECT_EQ(lines(dump, "frmStartCopying", "Memo2"),
              (Lines{t.type_heading, "   " + typical, "", t.directory_heading, std::string("   ") + t.target, "",
                     t.folder_heading, std::string("   ") + t.folder}));
    EXPECT_EQ(dump["choices"]["ProgramFolder"], t.folder);
    EXPECT_EQ(e2e::layout_faults(dump, "frmStartCopying"), Lines{});
  }
}

// Next hides the page and shows the copying page without a modal loop; the summary stays
// in its own loop underneath.
TEST(Summary, NextShowsTheCopyingPageWithoutAModalLoop) {
  Session session;
  // The copying page then waits for input (or runs), so the exit status is not this test's.
  const auto result = session.run(to_summary({"click btnNext", "dump"}));
  ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
  const auto& dump = result.dumps[0];
  EXPECT_EQ(e2e::visible_forms(dump), (Lines{"frmBackground", "frmCopyingFiles"}));
  EXPECT_FALSE(form(dump, "frmCopyingFiles")["modal"].get<bool>());
  EXPECT_TRUE(form(dump, "frmStartCopying")["modal"].get<bool>());
}

// The settings are rebuilt on every activation: a name changed after Back is shown, and
// the cancel dialog closing above the page leaves the settings as they are.
TEST(Summary, TheSettingsAreThoseOfTheMoment) {
  Session session;
  const auto result = session.run(to_summary({"click btnBack", "dump", "clear edProgramFolder",
                                              "type edProgramFolder Spiele", "click btnNext", "key Escape",
                                              "click btnResume", "dump", "key Escape", "key Escape"}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
  const auto& back = result.dumps[0];
  EXPECT_TRUE(e2e::shows_page(back, "frmFolder"));
  EXPECT_FALSE(form(back, "frmStartCopying")["modal"].get<bool>());
  const auto memo = lines(result.dumps[1], "frmStartCopying", "Memo2");
  ASSERT_EQ(memo.size(), 8u);
  EXPECT_EQ(memo[7], "   Spiele");
  EXPECT_EQ(memo[4], "   C:\\Program Files\\Rätsel Tyx");
}

// Without a program files folder the directory line holds the folder name alone; a long
// target is shown whole.
TEST(Summary, TheDirectoryLineIsNeverShortened) {
  struct Row {
    const char* name;
    bool without_program_files;
    Lines browse;
    const char* line;
  };
  const std::string deep = "Ein sehr langer Ordnername\\Noch eine Ebene\\Und noch eine";
  const Row rows[] = {
      {"no program files folder", true, {}, "   Rätsel Tyx"},
      {"deep folder",
       false,
       {"click btnBrowse", "dir DirectoryListBox1 C:\\" + deep, "clear edXWordFolder",
        "type edXWordFolder Rätsel mit einem langen Namen", "click btnOK"},
       "   C:\\Ein sehr langer Ordnername\\Noch eine Ebene\\Und noch eine\\Rätsel mit einem langen Namen"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Session session;
    fs::create_directories(session.drive_c() / "Ein sehr langer Ordnername" / "Noch eine Ebene" / "Und noch eine");
    if (row.without_program_files) e2e::remove_registry_value(session.machine() / "system.reg", "ProgramFilesDir");
    Lines script = {"click btnNext"};
    script.insert(script.end(), row.browse.begin(), row.browse.end());
    script.insert(script.end(), {"click btnNext", "click btnNext", "dump", "key Escape", "key Escape"});
    const auto result = session.run(script);
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    EXPECT_EQ(lines(result.dumps[0], "frmStartCopying", "Memo2").at(4), row.line);
  }
}

}  // namespace
