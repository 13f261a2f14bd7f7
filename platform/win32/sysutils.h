// The runtime's path helpers and the program's own path.
#pragma once

#include "platform/rtl/ansi.h"

namespace win32 {

using rtl::AnsiString;

// "C:" of "C:\dir\file", "\\server\share" of a UNC path, else empty.
AnsiString ExtractFileDrive(const AnsiString& path);
// The full Windows path, as GetFullPathName gives it on the current machine.
AnsiString ExpandFileName(const AnsiString& path);
// Index 0: the running program's full Windows path. The system reads no other argument.
AnsiString ParamStr(int index);

}  // namespace win32
