// The small system services: Sleep's clock, COM start-up, ANSI to UTF-16, fonts, the
// runtime's path helpers.
#include <gtest/gtest.h>

#include "platform/win32/clock.h"
#include "platform/win32/com.h"
#include "platform/win32/fonts.h"
#include "platform/win32/machine.h"
#include "platform/win32/sysutils.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

using namespace win32;
using testing_support::TempDir;

namespace {

struct RecordingClock : Clock {
  std::vector<DWORD> pauses;
  void sleep(DWORD ms) override { pauses.push_back(ms); }
};

TEST(Sleep, GoesThroughTheInstalledClock) {
  RecordingClock clock;
  {
    ScopedClock scope(clock);
    Sleep(15000);
    Sleep(0);
  }
  EXPECT_EQ(clock.pauses, (std::vector<DWORD>{15000, 0}));
}

TEST(CoInitialize, AnswersFalseWhenAlreadyInitialised) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
  CoUninitialize();
}

TEST(MultiByteToWideChar, ConvertsWindows1252WithItsTerminator) {
  char16_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "R\xE4tsel\x80", -1, nullptr, 0), 8);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "R\xE4tsel\x80", -1, buffer, 16), 8);
  EXPECT_EQ(std::u16string(buffer, 8), std::u16string(u"R\u00E4tsel\u20AC", 8));
  EXPECT_EQ(buffer[8], u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, buffer, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 4), 0);  // a size without a buffer
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(AddFontResourceA, CountsTheFacesOfRealFontFilesOnly) {
  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m");
  Machine machine(tmp / "m");
  MachineScope scope(machine);
  testing_support::write_file(tmp / "m/drive_c/windows/Fonts/grid.ttf", std::string("\0\1\0\0\0\x0c\0\x80\0\3\0\x40", 12));
  testing_support::write_file(tmp / "m/drive_c/windows/Fonts/pair.ttc", std::string("ttcf\0\1\0\0\0\0\0\2", 12));
  testing_support::write_file(tmp / "m/drive_c/windows/Fonts/text.ttf", "not a font at all");
  const std::size_t before = session_fonts().size();
  EXPECT_EQ(AddFontResourceA("C:\\WINDOWS\\FONTS\\GRID.TTF"), 1);
  EXPECT_EQ(AddFontResourceA("C:\\windows\\Fonts\\pair.ttc"), 2);
  EXPECT_EQ(AddFontResourceA("C:\\windows\\Fonts\\text.ttf"), 0);
  EXPECT_EQ(AddFontResourceA("C:\\windows\\Fonts\\missing.ttf"), 0);
  ASSERT_EQ(session_fonts().size(), before + 2);
  EXPECT_EQ(session_fonts()[before], "C:\\WINDOWS\\FONTS\\GRID.TTF");
}

TEST(SysUtils, DrivesAndExpandedNames) {
  struct Row { const char* path; const char* drive; };
  const Row rows[] = {{"C:\\Programme\\Tyx", "C:"}, {"d:", "d:"}, {"\\\\srv\\share\\dir", "\\\\srv\\share"},
                      {"\\\\srv", "\\\\srv"}, {"relative\\dir", ""}, {"", ""}};
  for (const Row& row : rows) EXPECT_EQ(ExtractFileDrive(row.path), row.drive) << row.path;

  TempDir tmp;
  testing_support::make_machine_dir(tmp / "m");
  Machine machine(tmp / "m");
  MachineScope scope(machine);
  machine.SetCurrentDirectory("C:\\windows");
  machine.SetProgramPath("D:\\SETUP.EXE");
  EXPECT_EQ(ExpandFileName("..\\Programme\\.\\Tyx"), "C:\\Programme\\Tyx");
  EXPECT_EQ(ParamStr(0), "D:\\SETUP.EXE");
  EXPECT_EQ(ParamStr(1), "");
}

}  // namespace
