// The language codes the setup type and custom pages store, for every setup language an
// edition can be built with.
#include <gtest/gtest.h>

#include "pages/CustomSetupUnit.h"
#include "pages/SetupTypeUnit.h"

namespace {

// 29 (Swedish) exists only as a dictionary language; 8 and 0 stand for any other value.
TEST(SetupTypeLanguages, SolverCodesFollowTheSetupLanguage) {
  struct Row {
    int setup, program_and_help, dictionary;
  };
  const Row rows[] = {{6, 6, 6}, {7, 7, 7}, {9, 9, 9}, {10, 10, 10}, {29, 9, 29}, {8, 9, 9}, {0, 9, 9}, {-1, 9, 9}};
  for (const Row& r : rows) {
    EXPECT_EQ(SolverLanguageFor(r.setup), r.program_and_help) << "setup language " << r.setup;
    EXPECT_EQ(SolverDictionaryLanguageFor(r.setup), r.dictionary) << "setup language " << r.setup;
  }
}

// Each list starts with the setup's own language; no selection stands for English.
TEST(CustomSetupLanguages, ItemsStandForTheirCodes) {
  struct Row {
    int setup;
    int codes[4];
  };
  const Row rows[] = {{6, {6, 9, 7, 10}}, {7, {7, 9, 10, 6}}, {10, {10, 9, 7, 6}}, {9, {9, 7, 10, 6}},
                      {8, {9, 7, 10, 6}}, {29, {9, 7, 10, 6}}};
  for (const Row& r : rows) {
    const auto items = LanguageListOrder(r.setup);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(items[static_cast<std::size_t>(i)].code, r.codes[i]) << "setup " << r.setup << ", item " << i;
      EXPECT_EQ(LanguageCodeOf(r.setup, i), r.codes[i]) << "setup " << r.setup << ", item " << i;
    }
    EXPECT_EQ(LanguageCodeOf(r.setup, -1), 9) << "setup " << r.setup;
  }
  EXPECT_EQ(LanguageListOrder(8)[0].name, "English");
}

}  // namespace
