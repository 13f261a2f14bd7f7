// Every road of the German edition from the welcome page to the summary page, and the
// road back to the welcome page through the setup type page.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"

using e2e::lines;
using e2e::Session;
using e2e::kToFolder;
using e2e::Lines;
using e2e::script;

namespace {

const Lines kEnoughSpace = {"SETUP_DISK_FREE=C=10737418240"};

struct Road {
  const char* name;
  Lines steps;  // from the folder page back to the folder page, before its Next
  const char* type;
  bool flags[6];  // Install/Compact of Solver, Generator, Drawer
};

TEST(Roads, EveryRoadReachesTheSummaryWithItsSettings) {
  const Road roads[] = {
      {"destination", {}, "Typisch", {true, false, false, false, false, false}},
      {"typical", {"click btnBack", "click btnNext"}, "Typisch", {true, false, true, false, true, false}},
      {"compact", {"click btnBack", "select rgSetupType 2", "click btnNext"}, "Kompakt",
       {true, true, true, false, true, false}},
      {"custom", {"click btnBack", "select rgSetupType 1", "click btnNext", "click cbCompactSolver", "click cbXDrawer",
                  "click btnNext"},
       "Manuell", {true, true, true, false, false, false}},
  };
  for (const Road& r : roads) {
    SCOPED_TRACE(r.name);
    Session session;
    const auto result =
        session.run(script({kToFolder, r.steps, {"click btnNext", "dump", "key Escape", "key Escape"}}), kEnoughSpace);
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(dump, "frmStartCopying"));
    const Lines settings = lines(dump, "frmStartCopying", "Memo2");
    ASSERT_EQ(settings.size(), 8u);
    EXPECT_EQ(settings[1], std::string("   ") + r.type);
    EXPECT_EQ(settings[4], "   C:\\Program Files\\Rätsel Tyx");
    EXPECT_EQ(settings[7], "   Rätsel");
    const auto& c = dump["choices"];
    const bool got[6] = {c["InstallSolver"], c["CompactSolver"], c["InstallGenerator"],
                         c["CompactGenerator"], c["InstallDrawer"], c["CompactDrawer"]};
    EXPECT_TRUE(std::equal(std::begin(got), std::end(got), std::begin(r.flags)));
    EXPECT_EQ(c["SolverMainLanguage"], 7);
    EXPECT_EQ(c["ProgramFolder"], "Rätsel");
  }
}

// Destination, folder, Back to the setup type page, Back to the welcome page: the
// destination page is still open underneath, and the welcome page's Next shows it again.
TEST(Roads, TheGermanBackRoadKeepsExactlyOnePageVisible) {
  Session session;
  const auto result = session.run(script({kToFolder, {"click btnBack", "click btnBack", "dump", "click btnNext", "dump",
                                                    "click btnNext", "dump", "click btnBack", "click btnBack", "dump",
                                                    "key Escape", "key Escape"}}));
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 4u) << result.errors;
  const char* expected[] = {"frmMain", "frmDestination", "frmFolder", "frmMain"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(e2e::shows_page(result.dumps[i], expected[i])) << i;
  }
}

}  // namespace
