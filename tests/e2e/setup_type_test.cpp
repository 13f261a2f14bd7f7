// The setup type page in every edition: texts, measured columns, the flags of each type,
// the free-space check and the roads that lead away from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "tests/e2e/choice_pages.h"

using e2e::control;
using e2e::form;
using e2e::json;
using e2e::lines;
using e2e::Session;
using e2e::Lines;

using e2e::expect_flags;
using e2e::Flags;
using e2e::free_on_c;
using e2e::kToSetupType;
using e2e::left;
using e2e::script;
using e2e::shot_path;
using e2e::width;

namespace {

struct EditionTexts {
  const char* program;
  const char* caption;
  const char* next;
  const char* cancel;
  const char* back;
  const char* group;
  Lines items;
  const char* destination;
  const char* browse;
  const char* required;
  const char* available;
  const char* typical;
  const char* custom;
  const char* compact;
  const char* enough;
  const char* back_to;  // the page Back makes visible
};

const EditionTexts kEditions[] = {
    {"setup-da", "Type af installation", "&Fortsæt >", "&Afbryd", "< &Tilbage", "Vælg installation",
     {"Typisk", "Selvvalgt", "Kompakt"}, "Udpeg plads på harddisk", "B&rowse...", "Plads nødvendig:",
     "Plads på harddisk ialt:",
     "Her installerer du programmerne med standard opsætning. Dette anbefales for de fleste.",
     "Her kan du selv vælge hvordan programmerne installeres. Dette anbefales kun for rutinerede brugere.",
     "Her installerer du programmerne så der optages mindst mulig plads på harddisken.", "Rigeligt",
     "frmDestination"},
    {"setup", "SETUP Type", "&Weiter >", "&Abbrechen", "< &Zurück", "Wählen Sie die Installation",
     {"Typisch", "Manuell", "Kompakt"}, "Zielverzeichnis", "&Durchsuchen...", "Benötigter Speicherplatz:",
     "Vorhandener Speicherplatz:",
     "Das Programm wird mit den gängigen Anwendungen installiert. Für die meisten Benutzer empfohlen.",
     "Hier legen Sie die zu installierenden Optionen selbst fest. Für erfahrene Benutzer empfohlen.",
     "Das Programm wird mit den minimal benötigten Optionen installiert.", "Genug", "frmMain"},
    {"setup-es", "Tipo de instalación", "&Próximo >", "&Cancelar", "< &Atrás",
     "Elija el tipo de instalación que Ud. prefiere:", {"Clásico", "Sofisticado", "Compacto"},
     "Directorio de destino", "&Explorar...", "Espacio necesario:", "Espacio disponible:",
     "el programa de Crucigramas será instalado por la vía mas común. Recomendada para los demás usuarios.",
     "Deberá seleccionar la opción para instalar. Recomendada solamente para usuarios avanzados.",
     "el programa de Crucigramas será instalado para usar el mínimo espacio posible en el disco duro.",
     "Suficiente", "frmDestination"},
    {"setup-en", "Setup Type", "&Next >", "&Cancel", "< &Back", "Select the type of Setup you prefer:",
     {"Typical", "Custom", "Compact"}, "Destination directory", "B&rowse...", "Space required:",
     "Space available:",
     "The crossword program will be installed with the most common options. Recomended for most users.",
     "You may choose the options you want to install. Recomended for advanced users only.",
     "The crossword program will be installed with minimum use of harddisk space.", "Enough",
     "frmDestination"},
};

// Texts, places and the two measured columns in each edition; 1000 MB free is a number,
// 1001 MB the edition's "enough" word.
TEST(SetupType, EveryEditionShowsItsTextsInMeasuredColumns) {
  for (const EditionTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run(script({kToSetupType, {"dump", "shot " + shot_path(std::string("setup_type-") + t.program),
                                                           "key Escape", "key Escape"}}),
                                    {free_on_c(1000)});
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const json& d = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(d, "frmSetupType"));
    const json& page = form(d, "frmSetupType");
    EXPECT_EQ(page["caption"], t.caption);
    EXPECT_EQ(page["clientWidth"], 493);
    EXPECT_EQ(page["clientHeight"], 333);
    auto c = [&](const char* name) -> const json& { return control(d, "frmSetupType", name); };
    EXPECT_EQ(c("btnNext")["caption"], t.next);
    EXPECT_EQ(c("btnCancel")["caption"], t.cancel);
    EXPECT_EQ(c("btnBack")["caption"], t.back);
    EXPECT_EQ(c("rgSetupType")["caption"], t.group);
    EXPECT_EQ(c("rgSetupType")["items"], t.items);
    EXPECT_EQ(c("rgSetupType")["itemIndex"], 0);
    EXPECT_EQ(c("gbDestination")["caption"], t.destination);
    EXPECT_EQ(c("btnBrowse")["caption"], t.browse);
    EXPECT_EQ(c("Label7")["caption"], t.required);
    EXPECT_EQ(c("Label8")["caption"], t.available);
    EXPECT_EQ(lines(d, "frmSetupType", "Memo2"), Lines{t.typical});
    EXPECT_EQ(lines(d, "frmSetupType", "Memo4"), Lines{t.custom});
    EXPECT_EQ(lines(d, "frmSetupType", "Memo3"), Lines{t.compact});
    EXPECT_EQ(c("lbSizeAvailable")["caption"], "1000 Mb");
    EXPECT_EQ(c("lbSizeNeeded")["caption"], "271 Mb");
    EXPECT_EQ(c("lbProgramFilesDir")["caption"], control(d, "frmDestination", "lbProgramFilesDir")["caption"]);

    // Where the page places what it inherits and what it adds.
    const std::pair<const char*, std::array<int, 2>> places[] = {
        {"btnNext", {328, 304}}, {"btnCancel", {416, 304}}, {"btnBack", {248, 304}}, {"rgSetupType", {128, 8}},
        {"gbDestination", {128, 240}}, {"Label7", {8, 303}}, {"Label8", {8, 319}}, {"Image1", {8, 14}}};
    for (const auto& [name, place] : places) {
      EXPECT_EQ(left(c(name)), place[0]) << name;
      EXPECT_EQ(c(name)["top"], place[1]) << name;
    }
    EXPECT_EQ(width(c("gbDestination")), 361);
    EXPECT_EQ(c("gbDestination")["height"], 49);
    EXPECT_EQ(left(c("btnBrowse")), 248);
    EXPECT_EQ(width(c("btnBrowse")), 99);
    EXPECT_EQ(c("panHR")["top"], 296);
    EXPECT_EQ(width(c("panHR")), 481);

    // The sizes line up one column right of the wider caption.
    const int caption = std::max(width(c("Label7")), width(c("Label8")));
    EXPECT_EQ(left(c("lbSizeNeeded")), 8 + caption + 5);
    EXPECT_EQ(left(c("lbSizeAvailable")), 8 + caption + 5);
    EXPECT_EQ(c("lbSizeNeeded")["top"], 304);
    EXPECT_EQ(c("lbSizeAvailable")["top"], 320);
    EXPECT_LT(left(c("lbSizeNeeded")) + width(c("lbSizeNeeded")), left(c("btnBack")));

    // The explanations share one column that ends 5 pixels inside the radio group.
    for (const char* memo : {"Memo2", "Memo4", "Memo3"}) {
      EXPECT_EQ(left(c(memo)), left(c("Memo2"))) << memo;
      EXPECT_EQ(width(c(memo)), width(c("Memo2"))) << memo;
      EXPECT_EQ(left(c(memo)) + width(c(memo)), 128 + 361 - 5) << memo;
    }
    EXPECT_GT(left(c("Memo2")), 128 + 40);
    // The radio group covers the template's memo and holds the explanations, and the
    // destination box meets its lower edge, as designed.
    // Everything else stands clear of its neighbours.
    EXPECT_EQ(e2e::layout_faults(d, "frmSetupType"),
              (Lines{"Memo1 overlaps rgSetupType", "Memo1 overlaps Memo2", "Memo1 overlaps Memo4",
                     "gbDestination overlaps rgSetupType", "rgSetupType overlaps Memo2", "rgSetupType overlaps Memo4",
                     "rgSetupType overlaps Memo3"}));
    EXPECT_EQ(c("Memo2")["top"], 46);
    EXPECT_EQ(c("Memo4")["top"], 118);
    EXPECT_EQ(c("Memo3")["top"], 188);

    const auto enough = session.run(script({kToSetupType, {"dump", "key Escape", "key Escape"}}),
                                    {free_on_c(1001)});
    ASSERT_EQ(enough.dumps.size(), 1u) << enough.errors;
    EXPECT_EQ(control(enough.dumps[0], "frmSetupType", "lbSizeAvailable")["caption"], t.enough);
  }
}

// Each type's flags and estimate, read at once on the item click; Custom before the
// custom page was ever shown reads its boxes as they start: the flags of Typical.
TEST(SetupType, EachTypeSetsItsFlagsAndEstimate) {
  struct Case {
    int item;
    Flags flags;
    const char* size;
  };
  const Case cases[] = {
      {2, {true, true, true, false, true, false}, "186 Mb"},
      {1, {true, false, true, false, true, false}, "271 Mb"},
      {0, {true, false, true, false, true, false}, "271 Mb"},
      {2, {true, true, true, false, true, false}, "186 Mb"},
  };
  Lines steps = kToSetupType;
  steps.push_back("dump");
  for (const Case& c : cases) {
    steps.push_back("select rgSetupType " + std::to_string(c.item));
    steps.push_back("dump");
  }
  steps.insert(steps.end(), {"key Escape", "key Escape"});
  Session session;
  const auto result = session.run(steps);
  ASSERT_EQ(result.dumps.size(), 1 + std::size(cases)) << result.errors;
  // The destination page's Next left Solver alone; the page's activation makes it Typical.
  expect_flags(result.dumps[0]["choices"], {true, false, true, false, true, false});
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const json& d = result.dumps[i + 1];
    EXPECT_EQ(control(d, "frmSetupType", "rgSetupType")["itemIndex"], cases[i].item);
    expect_flags(d["choices"], cases[i].flags);
    EXPECT_EQ(control(d, "frmSetupType", "lbSizeNeeded")["caption"], cases[i].size);
  }
}

// Free space equal to the estimate lets Next go on; one megabyte less stops on the page
// with the message, after the Solver's languages were set. Custom goes on even then.
TEST(SetupType, NextChecksTheSpaceExceptForCustom) {
  struct Case {
    int item;
    long long free_mb;
    bool passes;
  };
  const Case cases[] = {
      {0, 271, true}, {0, 270, false}, {2, 186, true}, {2, 185, false}, {1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("item " + std::to_string(c.item) + ", " + std::to_string(c.free_mb) + " MB");
    Session session;
    const auto result = session.run(
        script({kToSetupType, {"select rgSetupType " + std::to_string(c.item), "click btnNext", "dump"},
                c.passes ? Lines{} : Lines{"click OK", "dump"}, {"key Escape", "key Escape"}}),
        {free_on_c(c.free_mb)});
    ASSERT_EQ(result.dumps.size(), c.passes ? 1u : 2u) << result.errors;
    const json& d = result.dumps[0];
    EXPECT_EQ(d["choices"]["SolverMainLanguage"], 7);
    EXPECT_EQ(d["choices"]["SolverHelpLanguage"], 7);
    EXPECT_EQ(d["choices"]["SolverDictionaryLanguage"], 7);
    if (c.passes) {
      const std::string next = c.item == 1 ? "frmCustomSetup" : "frmFolder";
      EXPECT_TRUE(e2e::shows_page(d, next));
      continue;
    }
    EXPECT_EQ(d["active"], "MessageBox");
    EXPECT_EQ(form(d, "MessageBox")["text"],
              "Es gibt nicht genügend Speicherplatz auf Ihrer Festplatte. Wählen Sie deshalb die kompakte "
              "Installation oder richten Sie auf Ihrer Festplatte mehr Speicherkapazität ein.");
    const json& after = result.dumps[1];
    EXPECT_TRUE(e2e::shows_page(after, "frmSetupType"));
    EXPECT_EQ(control(after, "frmSetupType", "rgSetupType")["itemIndex"], c.item);
  }
}

// A target drive that cannot tell its free space counts as full: nothing but Custom goes on.
TEST(SetupType, ADriveWithoutMediumShowsNoSpaceAndStops) {
  Session session;
  const auto before = e2e::tree_contents(session.machine());
  const auto result = session.run(script({kToSetupType, {"dump", "click btnNext", "dump", "click OK",
                                                         "select rgSetupType 1", "click btnNext", "dump",
                                                         "key Escape", "key Escape"}}),
                                  {"SETUP_DISK_FREE=C=fail"});
  ASSERT_EQ(result.dumps.size(), 3u) << result.errors;
  EXPECT_EQ(control(result.dumps[0], "frmSetupType", "lbSizeAvailable")["caption"], "0 Mb");
  EXPECT_EQ(result.dumps[1]["active"], "MessageBox");
  EXPECT_EQ(result.dumps[2]["active"], "frmCustomSetup");
  EXPECT_EQ(e2e::tree_contents(session.machine()), before);
}

// Back shows the welcome page in German and the destination page elsewhere; from there
// Next leads on with exactly one page visible, and the chosen type is kept.
TEST(SetupType, BackLeadsToTheEditionsPageAndTheTypeIsKept) {
  for (const EditionTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const Lines onward = std::string(t.back_to) == "frmMain" ? Lines{"click btnNext", "click btnNext", "click btnBack"}
                                                             : Lines{"click btnNext", "click btnBack"};
    const auto result = session.run(
        script({kToSetupType, {"select rgSetupType 2", "click btnBack", "dump"}, onward, {"dump", "key Escape", "key Escape"}}));
    ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
    EXPECT_TRUE(e2e::shows_page(result.dumps[0], t.back_to));
    const json& again = result.dumps[1];
    EXPECT_TRUE(e2e::shows_page(again, "frmSetupType"));
    EXPECT_EQ(control(again, "frmSetupType", "rgSetupType")["itemIndex"], 2);
    expect_flags(again["choices"], {true, true, true, false, true, false});
  }
}

// The setup type page made visible again from the folder page comes back as it was left,
// and its Next leads on through the folder page's Back as often as the user likes.
TEST(SetupType, NextAndBackThroughTheFolderPageKeepOnePageVisible) {
  Session session;
  const auto result = session.run(script({kToSetupType, {"click btnNext", "dump", "click btnBack", "dump",
                                                         "click btnNext", "click btnBack", "dump", "key Escape",
                                                         "key Escape"}}));
  ASSERT_EQ(result.dumps.size(), 3u) << result.errors;
  EXPECT_EQ(e2e::visible_forms(result.dumps[0]), (Lines{"frmBackground", "frmFolder"}));
  for (std::size_t i : {1u, 2u}) {
    EXPECT_TRUE(e2e::shows_page(result.dumps[i], "frmSetupType"));
  }
}

}  // namespace
