// ExtractFileDrive, ExpandFileName and ParamStr on the current machine.
#include "platform/win32/sysutils.h"

#include "platform/win32/machine.h"
#include "platform/win32/paths.h"

namespace win32 {

AnsiString ExtractFileDrive(const AnsiString& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // Up to the end of the share name: the second backslash after the server.
    std::size_t slashes = 0;
    for (std::size_t i = 2; i < path.size(); ++i)
      if (path[i] == '\\' && ++slashes == 2) return path.substr(0, i);
    return path;
  }
  return {};
}

AnsiString ExpandFileName(const AnsiString& path) { return full_windows_path(path, current_machine()); }

AnsiString ParamStr(int index) { return index == 0 ? current_machine().ProgramPath() : AnsiString(); }

}  // namespace win32
