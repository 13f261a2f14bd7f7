// The probes that ask the machine directly, every time.
#include <algorithm>
#include <initializer_list>

#include "platform/win32/disk.h"
#include "platform/win32/registry.h"
#include "platform/win32/sysutils.h"
#include "platform/win32/version.h"
#include "services/CommonUnit.h"
#include "services/RegistryRead.h"

AnsiString GetSourceDir() {
  AnsiString path = win32::ParamStr(0);
  while (!path.empty() && path.back() != '\\') path.pop_back();
  return path;
}

bool IsWindows95() {
  win32::OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
  return win32::GetVersionExA(&info) && info.dwPlatformId == win32::VER_PLATFORM_WIN32_WINDOWS &&
         info.dwMajorVersion == 4 && info.dwMinorVersion == 0;
}

namespace {

// A probe answers false rather than fail: an error reads as an empty text.
AnsiString read_registry_string(win32::HKEY root, std::initializer_list<const char*> keys, const AnsiString& value) {
  return ReadRegistryText(root, keys, value).value_or(AnsiString());
}

bool is_blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool has_open_command(const char* extension) {
  const AnsiString file_class = read_registry_string(win32::HKEY_CLASSES_ROOT, {extension}, "");
  if (file_class.empty()) return false;
  return !read_registry_string(win32::HKEY_CLASSES_ROOT, {file_class.c_str(), "SHELL", "OPEN", "COMMAND"}, "").empty();
}

}  // namespace

bool IsDcomEnabled() {
  AnsiString value = read_registry_string(win32::HKEY_LOCAL_MACHINE, {"SOFTWARE", "MICROSOFT", "OLE"}, "EnableDCOM");
  const auto first = std::find_if_not(value.begin(), value.end(), is_blank);
  return first != value.end() && (*first == 'y' || *first == 'Y');
}

bool HasHtmOpenCommand() { return has_open_command(".htm"); }
bool HasChmOpenCommand() { return has_open_command(".chm"); }

double GetDiskFreeBytes(unsigned char drive) {
  char root[] = "A:\\";
  root[0] = static_cast<char>(drive + 64);
  win32::DWORD sectors = 0, bytes = 0, free = 0, total = 0;
  if (!win32::GetDiskFreeSpaceA(drive == 0 ? nullptr : root, &sectors, &bytes, &free, &total)) return -1;
  return static_cast<double>(sectors) * bytes * free;
}
