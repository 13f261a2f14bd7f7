// The custom setup page in every edition: texts, the measured language and size columns,
// the program boxes, the mirrored language boxes, its two checks and its roads.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "tests/e2e/choice_pages.h"

using e2e::control;
using e2e::expect_flags;
using e2e::form;
using e2e::free_on_c;
using e2e::json;
using e2e::kToCustomSetup;
using e2e::left;
using e2e::Lines;
using e2e::script;
using e2e::Session;
using e2e::width;

namespace {

const Lines kLanguageBoxes = {"cdMainLanguageSolver",    "cbOnlineHelpLanguageSolver",    "cbDictionaryLanguageSolver",
                              "cdMainLanguageGenerator", "cbOnlineHelpLanguageGenerator", "cdMainLanguageDrawer",
                              "cbOnlineHelpLanguageDrawer"};
const Lines kSharedBoxes = {"cdMainLanguageGenerator", "cbOnlineHelpLanguageGenerator", "cdMainLanguageDrawer",
                            "cbOnlineHelpLanguageDrawer"};

struct EditionTexts {
  const char* program;
  int stored;  // the code of the setup's own language
  const char* caption;
  const char* next;
  const char* back;
  const char* prompt;
  const char* solver;
  const char* generator;
  const char* drawer;
  const char* compact;
  const char* main_language;
  const char* help_language;
  const char* dictionary;
  const char* required;
  const char* available;
  Lines languages;
  std::vector<int> codes;
};

const EditionTexts kEditions[] = {
    {"setup-da", 6, "Vælg programmer", "&Fortsæt >", "< &Tilbage", "Vælg de programmer du ønsker at installere:",
     "Løser", "Bygger", "Tegner", "Kompakt installation:", "Programmets hovedsprog:", "Sprog for hjælpefiler:",
     "Primært sprog for ordbog:", "Plads nødvendig:", "Plads på harddisk ialt:",
     {"Dansk", "Engelsk", "Tysk", "Spansk"}, {6, 9, 7, 10}},
    {"setup", 7, "SETUP wählen", "&Weiter >", "< &Zurück", "Wählen Sie die Programme, die Sie installieren möchten:",
     "Löser", "Generator", "Zeichner", "Kompakt:", "Sprache des Programms:", "Sprache der Hilfsdateien:",
     "Sprache der Wörterbücher:", "Benötigter Speicherplatz:", "Vorhandener Speicherplatz:",
     {"Deutsch", "Englisch", "Spanisch", "Dänisch"}, {7, 9, 10, 6}},
    {"setup-es", 10, "Seleccione los programas", "&Próximo >", "< &Atrás", "Elija qué programas desea Ud. instalar:",
     "El Solucionador", "El Constructor", "El Diseñador", "Instalación compacta:", "Lengua del programa:",
     "Lengua de ayuda (on-line):", "Lengua del diccionario:", "Espacio necesario:", "Espacio disponible:",
     {"Castellano", "Inglés", "Alemán", "Danés"}, {10, 9, 7, 6}},
    {"setup-en", 9, "Select programs", "&Next >", "< &Back", "Choose the programs you want to install:",
     "The Quillax", "The Builder", "The Draftsman", "Compact installation:", "Main language:",
     "Language for online help:", "Primary language for dictionary:", "Space required:", "Space available:",
     {"English", "German", "Spanish", "Danish"}, {9, 7, 10, 6}},
};

// Texts, lists and places in each edition; the language boxes keep their right edge and
// start right of the widest caption, the sizes right of the wider size caption. Next with
// a language picked in each box stores the codes that edition's list stands for.
TEST(CustomSetup, EveryEditionShowsItsTextsListsAndColumns) {
  for (const EditionTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run(
        script({kToCustomSetup,
                {"dump", "shot " + e2e::shot_path(std::string("custom_setup-") + t.program),
                 "select cdMainLanguageSolver 1", "select cbOnlineHelpLanguageSolver 3",
                 "select cbDictionaryLanguageSolver 2", "select cdMainLanguageDrawer 3", "click btnNext", "dump",
                 "key Escape", "key Escape"}}),
        {free_on_c(271)});
    ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
    const json& d = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(d, "frmCustomSetup"));
    const json& page = form(d, "frmCustomSetup");
    EXPECT_EQ(page["caption"], t.caption);
    EXPECT_EQ(page["clientWidth"], 542);
    EXPECT_EQ(page["clientHeight"], 401);
    auto c = [&](const std::string& name) -> const json& { return control(d, "frmCustomSetup", name); };
    EXPECT_EQ(c("btnNext")["caption"], t.next);
    EXPECT_EQ(c("btnBack")["caption"], t.back);
    EXPECT_EQ(e2e::lines(d, "frmCustomSetup"), Lines{t.prompt});
    EXPECT_EQ(c("cbQuillax")["caption"], t.solver);
    EXPECT_EQ(c("cbXGenerator")["caption"], t.generator);
    EXPECT_EQ(c("cbXDrawer")["caption"], t.drawer);
    for (const char* box : {"cbCompactSolver", "cbCompactGenerator", "cbCompactDrawer"}) {
      EXPECT_EQ(c(box)["caption"], t.compact) << box;
      EXPECT_EQ(c(box)["checked"], false) << box;
    }
    EXPECT_EQ(c("cbCompactSolver")["visible"], true);
    EXPECT_EQ(c("cbCompactGenerator")["visible"], false);
    EXPECT_EQ(c("cbCompactDrawer")["visible"], false);
    for (const char* label : {"Label0", "Label3", "Label5"}) EXPECT_EQ(c(label)["caption"], t.main_language) << label;
    for (const char* label : {"Label2", "Label4", "Label6"}) EXPECT_EQ(c(label)["caption"], t.help_language) << label;
    EXPECT_EQ(c("Label1")["caption"], t.dictionary);
    EXPECT_EQ(c("Label7")["caption"], t.required);
    EXPECT_EQ(c("Label8")["caption"], t.available);
    EXPECT_EQ(c("lbSizeNeeded")["caption"], "271 Mb");
    EXPECT_EQ(c("lbSizeAvailable")["caption"], "271 Mb");

    int widest = 0;
    for (const char* label : {"Label0", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
      widest = std::max(widest, width(c(label)));
    for (const std::string& box : kLanguageBoxes) {
      EXPECT_EQ(c(box)["items"], t.languages) << box;
      EXPECT_EQ(c(box)["itemIndex"], 0) << box;
      EXPECT_EQ(c(box)["text"], t.languages[0]) << box;
      EXPECT_EQ(left(c(box)), 16 + widest + 5) << box;
      EXPECT_EQ(left(c(box)) + width(c(box)), 281) << box;
    }
    const int caption = std::max(width(c("Label7")), width(c("Label8")));
    EXPECT_EQ(left(c("lbSizeNeeded")), 8 + caption + 5);
    EXPECT_EQ(left(c("lbSizeAvailable")), 8 + caption + 5);
    EXPECT_LT(left(c("lbSizeNeeded")) + width(c("lbSizeNeeded")), left(c("btnBack")));

    const std::pair<const char*, std::array<int, 4>> places[] = {
        {"cbQuillax", {136, 48, 100, 17}},   {"cbXGenerator", {136, 176, 100, 17}}, {"cbXDrawer", {136, 280, 100, 17}},
        {"gbQuilax", {240, 32, 297, 121}},   {"gbGenerator", {240, 160, 297, 89}},  {"gbDrawer", {240, 256, 297, 89}},
        {"cbCompactSolver", {14, 16, 121, 17}}, {"Image1", {8, 8, 113, 337}},       {"Memo1", {152, 8, 265, 17}},
        {"btnBack", {296, 368, 75, 25}},     {"panHR", {8, 360, 529, 3}}};
    for (const auto& [name, place] : places) {
      EXPECT_EQ(left(c(name)), place[0]) << name;
      EXPECT_EQ(c(name)["top"], place[1]) << name;
      // A text wider than its place in this font widens the prompt and the compact box.
      if (name == std::string("Memo1") || name == std::string("cbCompactSolver"))
        EXPECT_GE(width(c(name)), place[2]) << name;
      else
        EXPECT_EQ(width(c(name)), place[2]) << name;
      EXPECT_EQ(c(name)["height"], place[3]) << name;
    }
    EXPECT_LE(left(c("Memo1")) + width(c("Memo1")), 537);
    EXPECT_LT(left(c("cbCompactSolver")) + width(c("cbCompactSolver")), width(c("gbQuilax")));
    EXPECT_EQ(e2e::layout_faults(d, "frmCustomSetup"), Lines{});
    EXPECT_EQ(left(c("btnNext")), 376);
    EXPECT_EQ(left(c("btnCancel")), 464);

    // The Solver's languages are the setup's own from the first activation on.
    for (const char* code : {"SolverMainLanguage", "SolverHelpLanguage", "SolverDictionaryLanguage"})
      EXPECT_EQ(d["choices"][code], t.stored) << code;

    const json& on = result.dumps[1];
    EXPECT_TRUE(e2e::shows_page(on, "frmFolder"));
    EXPECT_EQ(on["choices"]["SolverMainLanguage"], t.codes[1]);
    EXPECT_EQ(on["choices"]["SolverHelpLanguage"], t.codes[3]);
    EXPECT_EQ(on["choices"]["SolverDictionaryLanguage"], t.codes[2]);
    EXPECT_EQ(on["choices"]["GeneratorLanguage"], t.codes[3]);
    EXPECT_EQ(on["choices"]["DrawerLanguage"], t.codes[3]);
  }
}

// A program's box disables its options and drops its flags, and the estimate follows at
// once; its compact box keeps its tick, so checking the program again restores it.
TEST(CustomSetup, ProgramAndCompactBoxesDriveFlagsEstimateAndEnabling) {
  const Lines solver = {"gbQuilax", "cbCompactSolver", "cdMainLanguageSolver", "cbDictionaryLanguageSolver",
                        "cbOnlineHelpLanguageSolver", "Label0", "Label1", "Label2"};
  const Lines generator = {"gbGenerator", "cbCompactGenerator", "cdMainLanguageGenerator",
                           "cbOnlineHelpLanguageGenerator", "Label3", "Label4"};
  const Lines drawer = {"gbDrawer", "cbCompactDrawer", "cdMainLanguageDrawer", "cbOnlineHelpLanguageDrawer", "Label5",
                        "Label6"};
  struct Step {
    const char* click;
    e2e::Flags flags;
    const char* size;
    bool solver_on, generator_on, drawer_on;
  };
  const Step steps[] = {
      {"cbCompactSolver", {true, true, true, false, true, false}, "186 Mb", true, true, true},
      {"cbQuillax", {false, false, true, false, true, false}, "183 Mb", false, true, true},
      {"cbQuillax", {true, true, true, false, true, false}, "186 Mb", true, true, true},
      {"cbXGenerator", {true, true, false, false, true, false}, "166 Mb", true, false, true},
      {"cbXDrawer", {true, true, false, false, false, false}, "6 Mb", true, false, false},
      {"cbCompactSolver", {true, false, false, false, false, false}, "91 Mb", true, false, false},
      {"cbQuillax", {false, false, false, false, false, false}, "0 Kb", false, false, false},
  };
  Lines lines = kToCustomSetup;
  for (const Step& s : steps) lines.insert(lines.end(), {std::string("click ") + s.click, "dump"});
  lines.insert(lines.end(), {"key Escape", "key Escape"});
  Session session;
  const auto result = session.run(lines);
  ASSERT_EQ(result.dumps.size(), std::size(steps)) << result.errors;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(std::to_string(i) + ": click " + steps[i].click);
    const json& d = result.dumps[i];
    expect_flags(d["choices"], steps[i].flags);
    EXPECT_EQ(control(d, "frmCustomSetup", "lbSizeNeeded")["caption"], steps[i].size);
    for (const auto& [names, on] : {std::pair{solver, steps[i].solver_on}, std::pair{generator, steps[i].generator_on},
                                    std::pair{drawer, steps[i].drawer_on}})
      for (const std::string& name : names) EXPECT_EQ(control(d, "frmCustomSetup", name)["enabled"], on) << name;
  }
}

// With nothing chosen Next names the missing program, never the space, even on a full
// disk or a drive without a medium; nothing is written and the page stays.
TEST(CustomSetup, NoProgramChosenGivesTheNoProgramMessage) {
  for (const std::string& disk : {free_on_c(0), std::string("SETUP_DISK_FREE=C=fail")}) {
    SCOPED_TRACE(disk);
    Session session;
    const auto before = e2e::tree_contents(session.machine());
    const auto result = session.run(script({kToCustomSetup,
                                            {"select cdMainLanguageSolver 1", "click cbQuillax", "click cbXGenerator",
                                             "click cbXDrawer", "click btnNext", "dump", "click OK", "dump",
                                             "key Escape", "key Escape"}}),
                                    {disk});
    ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
    const json& box = form(result.dumps[0], "MessageBox");
    EXPECT_EQ(box["text"], "Sie müssen mindestens ein Programm oder mehr auswählen, um die Installation fortzuführen.");
    const json& after = result.dumps[1];
    EXPECT_TRUE(e2e::shows_page(after, "frmCustomSetup"));
    EXPECT_EQ(after["choices"]["SolverMainLanguage"], 7);
    EXPECT_EQ(e2e::tree_contents(session.machine()), before);
  }
}

// Free space equal to the estimate passes, one megabyte less shows the space message and
// writes no language.
TEST(CustomSetup, NextChecksTheSpaceOfTheSelection) {
  struct Case {
    long long free_mb;
    bool passes;
  };
  for (const Case c : {Case{186, true}, Case{185, false}}) {
    SCOPED_TRACE(c.free_mb);
    Session session;
    const auto result = session.run(
        script({kToCustomSetup, {"click cbCompactSolver", "select cdMainLanguageSolver 1", "click btnNext", "dump"},
                c.passes ? Lines{} : Lines{"click OK", "dump"}, {"key Escape", "key Escape"}}),
        {free_on_c(c.free_mb)});
    ASSERT_EQ(result.dumps.size(), c.passes ? 1u : 2u) << result.errors;
    const json& d = result.dumps[0];
    if (c.passes) {
      EXPECT_EQ(d["active"], "frmFolder");
      EXPECT_EQ(d["choices"]["SolverMainLanguage"], 9);
      continue;
    }
    EXPECT_EQ(form(d, "MessageBox")["text"],
              "Es gibt nicht genügend Speicherplatz auf Ihrer Festplatte. Wählen Sie deshalb die kompakte "
              "Installation oder richten Sie auf Ihrer Festplatte mehr Speicherkapazität ein.");
    EXPECT_EQ(result.dumps[1]["active"], "frmCustomSetup");
    EXPECT_EQ(result.dumps[1]["choices"]["SolverMainLanguage"], 7);
  }
}

// The Generator's and the Drawer's four boxes always show one item, whichever is changed;
// the Solver's boxes never move with them. A text typed that names no item is no
// selection: every shared box empties and the code stored is 9.
TEST(CustomSetup, GeneratorAndDrawerBoxesMirrorEachOther) {
  struct Step {
    std::string action;
    int index;
    const char* text;
  };
  const Step steps[] = {
      {"select cbOnlineHelpLanguageDrawer 1", 1, "Englisch"},
      {"select cdMainLanguageGenerator 2", 2, "Spanisch"},
      {"select cbOnlineHelpLanguageGenerator 3", 3, "Dänisch"},
      {"select cdMainLanguageDrawer 0", 0, "Deutsch"},
      {"type cdMainLanguageDrawer x", -1, ""},
  };
  Lines lines = kToCustomSetup;
  for (const Step& s : steps) lines.insert(lines.end(), {s.action, "dump"});
  lines.insert(lines.end(), {"type cdMainLanguageSolver x", "click btnNext", "dump", "key Escape", "key Escape"});
  Session session;
  const auto result = session.run(lines, {free_on_c(271)});
  ASSERT_EQ(result.dumps.size(), std::size(steps) + 1) << result.errors;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(steps[i].action);
    const json& d = result.dumps[i];
    for (const std::string& box : kSharedBoxes) {
      if (steps[i].action.find(box) != std::string::npos) continue;  // the typed box keeps what was typed
      EXPECT_EQ(control(d, "frmCustomSetup", box)["itemIndex"], steps[i].index) << box;
      EXPECT_EQ(control(d, "frmCustomSetup", box)["text"], steps[i].text) << box;
    }
    for (const char* box : {"cdMainLanguageSolver", "cbOnlineHelpLanguageSolver", "cbDictionaryLanguageSolver"})
      EXPECT_EQ(control(d, "frmCustomSetup", box)["itemIndex"], 0) << box;
  }
  EXPECT_EQ(control(result.dumps[4], "frmCustomSetup", "cdMainLanguageDrawer")["text"], "Deutschx");
  const json& on = result.dumps.back();
  EXPECT_EQ(on["active"], "frmFolder");
  EXPECT_EQ(on["choices"]["SolverMainLanguage"], 9);
  EXPECT_EQ(on["choices"]["SolverHelpLanguage"], 7);
  EXPECT_EQ(on["choices"]["SolverDictionaryLanguage"], 7);
  EXPECT_EQ(on["choices"]["GeneratorLanguage"], 9);
  EXPECT_EQ(on["choices"]["DrawerLanguage"], 9);
}

// Back shows the setup type page, whose Custom now reads the boxes as the user left them;
// coming again keeps the lists and the picks. Leaving by Back before any Next leaves the
// Solver's codes at the setup language and the Generator's and Drawer's as they were.
TEST(CustomSetup, BackAndAgainKeepSelectionsAndTheSetupTypeReadsTheBoxes) {
  Session session;
  const auto result = session.run(script({kToCustomSetup,
                                          {"select cdMainLanguageGenerator 2", "select cbDictionaryLanguageSolver 1",
                                           "click cbXDrawer", "click cbCompactSolver", "click btnBack", "dump",
                                           "click btnNext", "dump", "key Escape", "key Escape"}}));
  ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
  const json& type = result.dumps[0];
  EXPECT_TRUE(e2e::shows_page(type, "frmSetupType"));
  expect_flags(type["choices"], {true, true, true, false, false, false});
  EXPECT_EQ(control(type, "frmSetupType", "lbSizeNeeded")["caption"], "26 Mb");
  EXPECT_EQ(type["choices"]["SolverMainLanguage"], 7);
  EXPECT_EQ(type["choices"]["SolverDictionaryLanguage"], 7);
  // The destination page's Next set them; no Next of this page has replaced them.
  EXPECT_EQ(type["choices"]["GeneratorLanguage"], 7);
  EXPECT_EQ(type["choices"]["DrawerLanguage"], 7);

  const json& again = result.dumps[1];
  EXPECT_EQ(again["active"], "frmCustomSetup");
  auto c = [&](const char* name) -> const json& { return control(again, "frmCustomSetup", name); };
  EXPECT_EQ(c("cdMainLanguageGenerator")["itemIndex"], 2);
  EXPECT_EQ(c("cdMainLanguageDrawer")["itemIndex"], 2);
  EXPECT_EQ(c("cbDictionaryLanguageSolver")["itemIndex"], 1);
  EXPECT_EQ(c("cbXDrawer")["checked"], false);
  EXPECT_EQ(c("gbDrawer")["enabled"], false);
  EXPECT_EQ(c("cbCompactSolver")["checked"], true);
  EXPECT_EQ(c("lbSizeNeeded")["caption"], "26 Mb");
}

// The folder page's Back returns to the custom page while Custom is chosen, with exactly
// one page visible, and Next goes on again from there.
TEST(CustomSetup, TheFolderPagesBackReturnsHere) {
  Session session;
  const auto result = session.run(script({kToCustomSetup, {"click btnNext", "click btnBack", "dump", "click btnNext",
                                                           "dump", "key Escape", "key Escape"}}),
                                  {free_on_c(271)});
  ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
  EXPECT_TRUE(e2e::shows_page(result.dumps[0], "frmCustomSetup"));
  EXPECT_TRUE(e2e::shows_page(result.dumps[1], "frmFolder"));
}

}  // namespace
