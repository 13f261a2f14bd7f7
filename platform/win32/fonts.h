// Fonts added to the running session.
#pragma once

#include <vector>

#include "platform/rtl/ansi.h"

namespace win32 {

// Adds the font file to the session's font table and returns how many fonts it holds;
// 0 when the file is missing or is not a TrueType or OpenType font. The table lives as
// long as the process, as a session's added fonts do until logoff.
int AddFontResourceA(const char* file_name);

// The full Windows paths added so far, in order (what the session's font table holds).
const std::vector<rtl::AnsiString>& session_fonts();

}  // namespace win32
