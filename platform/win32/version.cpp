// The reported Windows version: Wine's names, its registry rules and GetVersionExA.
#include "platform/win32/version.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "platform/win32/machine.h"
#include "platform/win32/registry.h"

namespace win32::detail {
namespace {

struct NamedVersion {
  const char* name;
  WindowsVersion version;
};

// A program without a manifest never sees more than Windows 8; Wine keeps that rule.
const WindowsVersion kWin8 = {6, 2, 9200, VER_PLATFORM_WIN32_NT, ""};

const NamedVersion kNamedVersions[] = {
    {"win31", {3, 10, 0, VER_PLATFORM_WIN32s, "Win32s 1.3"}},
    {"win95", {4, 0, 0x040003B6, VER_PLATFORM_WIN32_WINDOWS, ""}},
    {"win98", {4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A "}},
    {"winme", {4, 90, 0x045A0BB8, VER_PLATFORM_WIN32_WINDOWS, " "}},
    {"nt351", {3, 51, 1057, VER_PLATFORM_WIN32_NT, "Service Pack 5"}},
    {"nt40", {4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6a"}},
    {"win2k", {5, 0, 2195, VER_PLATFORM_WIN32_NT, "Service Pack 4"}},
    {"winxp", {5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 3"}},
    {"winxp64", {5, 2, 3790, VER_PLATFORM_WIN32_NT, "Service Pack 2"}},
    {"win2003", {5, 2, 3790, VER_PLATFORM_WIN32_NT, "Service Pack 2"}},
    {"vista", {6, 0, 6002, VER_PLATFORM_WIN32_NT, "Service Pack 2"}},
    {"win2008", {6, 0, 6002, VER_PLATFORM_WIN32_NT, "Service Pack 2"}},
    {"win7", {6, 1, 7601, VER_PLATFORM_WIN32_NT, "Service Pack 1"}},
    {"win2008r2", {6, 1, 7601, VER_PLATFORM_WIN32_NT, "Service Pack 1"}},
    {"win8", kWin8},
    {"win81", kWin8},
    {"win10", kWin8},
};

const WindowsVersion kDefault = {6, 1, 7601, VER_PLATFORM_WIN32_NT, "Service Pack 1"};

// Wine compares the names case-sensitively: "Win98" is not a version.
std::optional<WindowsVersion> named(const std::optional<rtl::AnsiString>& name) {
  if (!name) return std::nullopt;
  for (const NamedVersion& entry : kNamedVersions)
    if (*name == entry.name) return entry.version;
  return std::nullopt;
}

WindowsVersion capped(WindowsVersion version) {
  if (version.platform == VER_PLATFORM_WIN32_NT && (version.major > 6 || (version.major == 6 && version.minor > 2)))
    return kWin8;
  return version;
}

}  // namespace

WindowsVersion decide_version(const VersionRegistry& registry, const rtl::AnsiString& exe_name) {
  if (!exe_name.empty())
    if (auto v = named(registry.string(false, "Software\\Wine\\AppDefaults\\" + exe_name, "Version"))) return *v;
  if (auto v = named(registry.string(false, "Software\\Wine", "Version"))) return *v;

  const rtl::AnsiString nt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  const auto nt_version = registry.string(true, nt, "CurrentVersion");
  const auto major = registry.dword(true, nt, "CurrentMajorVersionNumber");
  const auto minor = registry.dword(true, nt, "CurrentMinorVersionNumber");
  unsigned a = 0, b = 0;
  if ((major && minor) || (nt_version && std::sscanf(nt_version->c_str(), "%u.%u", &a, &b) == 2)) {
    WindowsVersion v{major && minor ? *major : a, major && minor ? *minor : b, 0, VER_PLATFORM_WIN32_NT, ""};
    if (auto build = registry.string(true, nt, "CurrentBuildNumber")) v.build = static_cast<DWORD>(std::strtoul(build->c_str(), nullptr, 10));
    if (auto csd = registry.string(true, nt, "CSDVersion")) v.csd = *csd;
    return capped(v);
  }

  const rtl::AnsiString windows = "Software\\Microsoft\\Windows\\CurrentVersion";
  unsigned c = 0;
  if (auto number = registry.string(true, windows, "VersionNumber");
      number && std::sscanf(number->c_str(), "%u.%u.%u", &a, &b, &c) == 3) {
    WindowsVersion v{a, b, c | (a << 24 | b << 16), VER_PLATFORM_WIN32_WINDOWS, ""};
    if (auto csd = registry.string(true, windows, "SubVersionNumber")) v.csd = *csd;
    return v;
  }
  return kDefault;
}

}  // namespace win32::detail

namespace win32 {

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) && info->dwOSVersionInfoSize != 156)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const Machine& machine = current_machine();
  auto value = [&machine](bool hklm, const rtl::AnsiString& key, const rtl::AnsiString& name) {
    return read_value(machine, hklm ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key, name);
  };
  const detail::VersionRegistry registry{
      [&](bool hklm, const rtl::AnsiString& key, const rtl::AnsiString& name) -> std::optional<rtl::AnsiString> {
        const auto v = value(hklm, key, name);
        return v ? v->as_string() : std::nullopt;
      },
      [&](bool hklm, const rtl::AnsiString& key, const rtl::AnsiString& name) -> std::optional<DWORD> {
        const auto v = value(hklm, key, name);
        return v ? v->as_dword() : std::nullopt;
      }};
  const rtl::AnsiString& program = machine.ProgramPath();
  const detail::WindowsVersion version = detail::decide_version(registry, program.substr(program.find_last_of('\\') + 1));
  info->dwMajorVersion = version.major;
  info->dwMinorVersion = version.minor;
  info->dwBuildNumber = version.build;
  info->dwPlatformId = version.platform;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  std::memcpy(info->szCSDVersion, version.csd.data(), std::min(version.csd.size(), sizeof info->szCSDVersion - 1));
  return TRUE;
}

}  // namespace win32
