// Starting programs on the machine.
#pragma once

#include <vector>

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

namespace win32 {

using rtl::AnsiString;

inline constexpr UINT SW_HIDE = 0;
inline constexpr UINT SW_SHOWNORMAL = 1;
inline constexpr UINT SW_SHOW = 5;

// Starts the program of `command_line` and returns at once (greater than 31 on success,
// else 0, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND or ERROR_BAD_FORMAT). A Windows
// executable runs through Wine when it is installed; a host executable runs directly.
UINT WinExec(const char* command_line, UINT show);

namespace detail {
// How an unquoted command line splits into program and arguments: every prefix ending
// before a blank is tried in turn, ".exe" added where the name has no extension.
struct CommandLineCandidate {
  AnsiString program;
  AnsiString arguments;
};
std::vector<CommandLineCandidate> command_line_candidates(const AnsiString& command_line);
}  // namespace detail

}  // namespace win32
