// The string lists behind memo lines and list items.
#include "platform/rtl/strings.h"

#include <gtest/gtest.h>

using rtl::TStringList;

TEST(TStrings, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
  struct Row {
    const char* text;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\ntwo\rthree", {"one", "two", "three"}},
      {"\r\n\r\nlast", {"", "", "last"}},
  };
  for (const Row& row : rows) {
    TStringList list;
    list.SetText(row.text);
    EXPECT_EQ(list.Items(), row.lines) << "text " << row.text;
  }
  TStringList list;
  list.Add("a");
  list.Add("");
  EXPECT_EQ(list.Text(), "a\r\n\r\n");
}

TEST(TStrings, EveryChangeNotifiesAndBadIndexesRaise) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add("a");
  list.Insert(0, "b");
  list.SetString(1, "c");
  list.Delete(0);
  list.Clear();
  list.Clear();
  EXPECT_EQ(changes, 5);
  EXPECT_THROW(list.Strings(0), rtl::EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), rtl::EStringListError);
  list.Add("x");
  EXPECT_EQ(list[0], "x");
  EXPECT_EQ(list.IndexOf("x"), 0);
  EXPECT_EQ(list.IndexOf("X"), -1);
}
