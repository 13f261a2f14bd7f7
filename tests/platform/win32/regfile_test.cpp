// Wine's hive file format: escaping, value forms, layout, and what survives bad input.
#include <gtest/gtest.h>

#include "platform/win32/regfile.h"

using namespace win32;
using namespace win32::detail;

namespace {

std::string escaped(std::u16string_view text, std::string_view quote = "\"\"") {
  std::string out;
  escape_string(text, quote, out);
  return out;
}

std::u16string unescaped(std::string_view text) {
  std::size_t used = 0;
  return unescape_string(text, '"', used);
}

constexpr std::string_view kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

Hive parse(std::string_view body) { return Hive::parse(std::string(kHeader) + std::string(body), "system.reg"); }

}  // namespace

TEST(RegFileEscaping, WritesAndReadsAsWineDoes) {
  struct Row {
    std::u16string text;
    std::string file;
  };
  const Row rows[] = {
      // plain ASCII, DEL and brackets stay raw in data
      {u"C:\\Dir\\file", "C:\\\\Dir\\\\file"},
      {u"a\"b", "a\\\"b"},
      {u"[x]\x7f", "[x]\x7f"},
      // non-ASCII: shortest hex, padded to four digits before a hex digit
      {u"R\u00e4tsel", "R\\xe4tsel"},
      {u"\u00e4b", "\\x00e4b"},
      {u"Caf\u00e9F", "Caf\\x00e9F"},
      {u"\u20ac5", "\\x20ac5"},
      {u"\u00e4g", "\\xe4g"},
      {u"\u6f22\u5b57", "\\x6f22\\x5b57"},
      {u"\U0001F600", "\\xd83d\\xde00"},
      // control characters: C escapes, octal padded before an octal digit
      {u"\t\n\r\a\b\v\f\x1b", "\\t\\n\\r\\a\\b\\v\\f\\e"},
      {u"\x01" u"1\x01" u"A", "\\0011\\1A"},
      {std::u16string(u"a\0" u"7", 3), "a\\0007"},
      {std::u16string(u"a\0" u"8", 3), "a\\08"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(escaped(row.text), row.file) << "writing row " << row.file;
    EXPECT_EQ(unescaped(row.file), row.text) << "reading row " << row.file;
  }
}

TEST(RegFileEscaping, ReadsWhatOnlyOtherWritersProduce) {
  const std::pair<std::string, std::u16string> rows[] = {
      {"\\xe4b", u"\u0e4b"},             // greedy: four hex digits at most
      {"C:\\Program", u"C:Program"},     // a lone backslash before a letter vanishes
      {"\\q\\[", u"q["},
      {"\\x", u"x"},
      {"R\xc3\xa4tsel", u"R\u00e4tsel"},  // raw UTF-8
      {"R\xe4tsel", u"Rtsel"},            // invalid UTF-8 is dropped
  };
  for (const auto& [file, text] : rows) EXPECT_EQ(unescaped(file), text) << "row " << file;
  EXPECT_EQ(escaped(u"Esc[ape]Key", "[]"), "Esc\\[ape\\]Key");
  EXPECT_EQ(escaped(u"a\"b", "[]"), "a\"b");
}

TEST(RegFileValues, EveryTypeInWinesForm) {
  const std::string body =
      "\n[Software\\\\Test] 1796988673\n#time=1dd8963207a3406\n"
      "@=\"def\"\n"
      "\"bin\"=hex:00,01,02,ff\n"
      "\"dw\"=dword:0000002a\n"
      "\"empty\"=hex:\n"
      "\"exp\"=str(2):\"%ProgramFiles%\\\\x\"\n"
      "\"multi\"=str(7):\"a\\0b1\\0\"\n"
      "\"none\"=hex(0):\n"
      "\"odd\"=hex(1):41,00,42\n"
      "\"q\"=hex(b):01,00,00,00,00,00,00,00\n";
  Hive hive = parse(body);
  const HiveKey* key = hive.root().find_subkey(u"software")->find_subkey(u"TEST");
  ASSERT_NE(key, nullptr);
  struct Expect {
    std::u16string name;
    DWORD type;
    std::string data;
  };
  const Expect rows[] = {
      {u"", REG_SZ, std::string("d\0e\0f\0\0\0", 8)},
      {u"bin", REG_BINARY, std::string("\x00\x01\x02\xff", 4)},
      {u"dw", REG_DWORD, std::string("\x2a\0\0\0", 4)},
      {u"empty", REG_BINARY, ""},
      {u"multi", REG_MULTI_SZ, std::string("a\0\0\0b\0" "1\0\0\0\0\0", 12)},
      {u"none", REG_NONE, ""},
      {u"odd", REG_SZ, std::string("A\0B", 3)},
      {u"q", REG_QWORD, std::string("\x01\0\0\0\0\0\0\0", 8)},
  };
  for (const Expect& row : rows) {
    const HiveValue* value = key->find_value(row.name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, row.type);
    EXPECT_EQ(value->data, row.data);
    EXPECT_TRUE(value->raw.empty()) << "Wine's own form needs no raw copy";
  }
  EXPECT_EQ(key->modified(), 0x1dd8963207a3406u);
  hive.mark_modified();
  EXPECT_EQ(hive.serialize(), std::string(kHeader) + body);
}

TEST(RegFileValues, WritingTheSameDataAgainLeavesTheKeyAlone) {
  Hive hive = parse("\n[K] 5\n#time=1\n\"a\"=dword:2a\n\"b\"=hex:zz\n");
  HiveKey& key = *hive.root().find_subkey(u"K");
  EXPECT_FALSE(key.set_value(u"A", REG_DWORD, dword_bytes(0x2a), 7));
  EXPECT_EQ(key.modified(), 1u);
  EXPECT_TRUE(key.set_value(u"a", REG_DWORD, dword_bytes(0x2b), 7));
  EXPECT_EQ(key.modified(), 7u);
  // A malformed value reads as REG_NONE without data, yet writing that replaces its line.
  EXPECT_TRUE(key.set_value(u"b", REG_NONE, "", 8));
  EXPECT_FALSE(key.find_value(u"b")->malformed);
  EXPECT_EQ(key.modified(), 8u);
}

TEST(RegFileValues, LongHexBreaksWhereWineBreaks) {
  HiveValue value;
  value.name = u"longbin";
  value.type = REG_BINARY;
  value.data = std::string(100, '\x5a');
  const std::string line = format_value(value);
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find('\n', start);
    lines.push_back(line.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(lines[0].starts_with("\"longbin\"=hex:5a,5a,"));
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 21);  // 21 bytes, then 25 per line
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ','), 25);
  EXPECT_TRUE(lines[1].starts_with("  5a,"));
  EXPECT_TRUE(lines[1].ends_with(",\\"));

  Hive hive = parse("\n[K] 1\n#time=1\n" + line + "\n");
  EXPECT_EQ(hive.root().find_subkey(u"K")->find_value(u"longbin")->data, value.data);
}

TEST(RegFileLayout, SortedPreOrderAndOnlyTheKeysWineWrites) {
  Hive hive(R"(REGISTRY\Machine)", HiveArch::Win32);
  const std::uint64_t t = 0x1dd8963207a3406;
  HiveKey& foo = hive.root().add_subkey(u"Foo", t);
  foo.add_subkey(u"Bar", t).set_value(u"v", REG_DWORD, std::string(4, '\0'), t);
  hive.root().add_subkey(u"Foo Bar", t);
  hive.root().add_subkey(u"a_b", t);
  hive.root().add_subkey(u"AB", t);
  hive.root().add_subkey(u"\u00c4rger", t);
  EXPECT_EQ(hive.root().find_subkey(u"\u00e4RGER"), hive.root().find_subkey(u"\u00c4rger"));
  const std::string key = "] 1796988673\n#time=1dd8963207a3406\n";
  EXPECT_EQ(hive.serialize(),
            "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n"
            "\n[a_b" + key + "\n[AB" + key +
                "\n[Foo\\\\Bar" + key + "\"v\"=dword:00000000\n"  // Foo itself has only a subkey
                "\n[Foo Bar" + key + "\n[\\xc4rger" + key);
}

TEST(RegFileLoad, DuplicatesMergeKeepingTheFirstSpellingAndTheLastValue) {
  Hive hive = parse("\n[Software\\\\A] 1\n\"v\"=\"one\"\n\n[software\\\\a\\\\B] 2\n\n[SOFTWARE\\\\a] 3\n\"V\"=\"two\"\n");
  const HiveKey* a = hive.root().find_subkey(u"Software")->find_subkey(u"a");
  EXPECT_EQ(a->name(), u"A");
  EXPECT_EQ(hive.root().find_subkey(u"Software")->name(), u"Software");
  ASSERT_EQ(a->values().size(), 1u);
  EXPECT_EQ(a->values()[0].data, utf16le_bytes(std::u16string(u"two") + u'\0'));
  ASSERT_NE(a->find_subkey(u"b"), nullptr);
}

TEST(RegFileLoad, TimesFollowWinesPrecedence) {
  Hive hive = parse("\n[A\\\\B] 1500000000\n#time=1d0b2b6e1a0a000\n\n[C] 1500000000\n");
  EXPECT_EQ(hive.root().find_subkey(u"A")->find_subkey(u"B")->modified(), 0x1d0b2b6e1a0a000u);
  EXPECT_EQ(hive.root().find_subkey(u"C")->modified(), 1500000000ull * 10000000 + 116444736000000000ull);
  // A parent the file never lists takes its first listed descendant's time.
  EXPECT_EQ(hive.root().find_subkey(u"A")->modified(), 1500000000ull * 10000000 + 116444736000000000ull);
}

TEST(RegFileLoad, UnchangedHiveSavesByteForByteWhateverItsForm) {
  const std::string text = std::string(kHeader) +
                           "#future=1\n\n[K] 5\r\n#time=1\r\n#foo=bar\n; comment\n"
                           "\"a\" = dword:2a\n\"b\"=str(1):\"x\"\n\"c\"=hex:zz\ngarbage line\n\"d\"=\"open\n";
  Hive hive = Hive::parse(text, "system.reg");
  EXPECT_EQ(hive.serialize(), text);
}

TEST(RegFileLoad, ChangedHiveKeepsMalformedAndUnknownLinesAsFound) {
  const std::string text = std::string(kHeader) +
                           "\n[K] 5\n#time=1\n#foo=bar\n"
                           "\"a\"=dword:2a\n\"b\"=str(1):\"x\"\n\"c\"=hex:zz\n\"d\"=\"open\n\"e\"=hex:01,\\\n";
  Hive hive = Hive::parse(text, "system.reg");
  HiveKey& key = *hive.root().find_subkey(u"K");
  // Wine's view of the malformed values: REG_NONE without data.
  for (const char16_t* name : {u"b", u"c", u"d", u"e"}) {
    ASSERT_NE(key.find_value(name), nullptr) << "value " << char(name[0]);
    EXPECT_EQ(key.find_value(name)->type, REG_NONE);
    EXPECT_TRUE(key.find_value(name)->malformed);
  }
  EXPECT_EQ(key.find_value(u"a")->data, std::string("\x2a\0\0\0", 4));
  key.set_value(u"new", REG_SZ, utf16le_bytes(std::u16string(u"x") + u'\0'), 0x1dd8963207a3406);
  hive.mark_modified();
  const std::string saved = hive.serialize();
  for (const char* line : {"#foo=bar\n", "\"a\"=dword:2a\n", "\"b\"=str(1):\"x\"\n", "\"c\"=hex:zz\n",
                           "\"d\"=\"open\n", "\"e\"=hex:01,\\\n", "\"new\"=\"x\"\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << "lost: " << line;
  EXPECT_NE(saved.find("[K] 1796988673\n#time=1dd8963207a3406\n"), std::string::npos);
}

TEST(RegFileLoad, RefusesWhatWineCannotLoad) {
  const std::pair<std::string, std::string> rows[] = {
      {"", "is not a valid registry file"},
      {"WINE REGISTRY Version 1\n", "is not a valid registry file"},
      {"REGEDIT4\n\n[K]\n", "is not a valid registry file"},
      {"WINE REGISTRY Version 2\n#arch=arm\n", "system.reg:2: unknown architecture 'arm'"},
      {"WINE REGISTRY Version 2\n\n[Software\\\\Trunc", "system.reg:3: unterminated key name"},
  };
  for (const auto& [text, message] : rows) {
    try {
      Hive::parse(text, "system.reg");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const HiveFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
  EXPECT_NO_THROW(Hive::parse("WINE REGISTRY Version 2\r\n", "system.reg"));
}

TEST(RegFileLoad, HugeValueLoadsAndSavesIntact) {
  HiveValue big;
  big.name = u"big";
  big.type = REG_BINARY;
  for (int i = 0; i < 1 << 20; ++i) big.data.push_back(static_cast<char>(i * 7));
  Hive hive = parse("\n[K] 1\n#time=1\n" + format_value(big) + "\n");
  EXPECT_EQ(hive.root().find_subkey(u"K")->find_value(u"big")->data, big.data);
}
