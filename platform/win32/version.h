// GetVersionExA, answered from the machine's registry the way Wine decides the version.
#pragma once

#include <functional>
#include <optional>

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

namespace win32 {

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

// Fails with ERROR_INSUFFICIENT_BUFFER unless the size field is 148 (or 156, the size of
// the extended record, whose first 148 bytes are filled).
BOOL GetVersionExA(OSVERSIONINFOA* info);

namespace detail {

struct WindowsVersion {
  DWORD major, minor, build, platform;
  rtl::AnsiString csd;
  bool operator==(const WindowsVersion&) const = default;
};

// The registry as the version rules read it, in the 32-bit program's view: a string or a
// DWORD of HKEY_CURRENT_USER (`machine` false) or HKEY_LOCAL_MACHINE.
struct VersionRegistry {
  std::function<std::optional<rtl::AnsiString>(bool machine, const rtl::AnsiString& key, const rtl::AnsiString& name)> string;
  std::function<std::optional<DWORD>(bool machine, const rtl::AnsiString& key, const rtl::AnsiString& name)> dword;
};

// Wine's rules, first match wins: the program's AppDefaults "Version", the global Wine
// "Version", the NT version keys, the 9x VersionNumber, Windows 7.
WindowsVersion decide_version(const VersionRegistry& registry, const rtl::AnsiString& exe_name);

}  // namespace detail
}  // namespace win32
