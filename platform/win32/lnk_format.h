// The bytes of a .lnk file: header, LinkInfo with the local path, Unicode strings.
#pragma once

#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

namespace win32::detail {

struct LinkData {
  rtl::AnsiString target;  // full Windows path
  rtl::AnsiString description;
  rtl::AnsiString working_directory;
  rtl::AnsiString arguments;
};

struct LinkVolume {
  DWORD drive_type = 3;  // DRIVE_FIXED
  DWORD serial = 0;
  rtl::AnsiString label;
};

// Appends the link's bytes to `out`; false when a string is too long for its 16-bit count.
// Empty strings are left out, as the shell leaves out what was never set.
bool build_link(const LinkData& link, const LinkVolume& volume, std::string& out);

}  // namespace win32::detail
