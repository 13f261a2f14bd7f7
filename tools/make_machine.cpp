// make-machine DIR --profile P [--arch win32|win64] [--cd DIR]: a minimal Windows machine
// directory, without Wine, holding what a fresh Windows of that profile holds for Setup.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/registry.h"
#include "tools/machine_profiles.h"

namespace fs = std::filesystem;
using namespace win32;

namespace {

int usage(const std::string& problem) {
  std::cerr << "make-machine: " << problem << "\n"
            << "usage: make-machine DIR --profile win95|win98|winme|nt4|win2k|winxp|win7 [--arch win32|win64] [--cd DIR]\n";
  return 2;
}

// Wine names the user's folders after the login name.
std::string login_name() {
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name) return entry->pw_name;
  return "user";
}

std::u16string utf16(const std::string& utf8) { return rtl::ansi_to_utf16(rtl::utf8_to_ansi(utf8)); }

// A REG_SZ or REG_EXPAND_SZ value's data: UTF-16LE with its terminating zero.
std::string string_data(const std::u16string& text) { return detail::utf16le_bytes(text + u'\0'); }

void write_registry(const tools::MachineLayout& layout, const fs::path& dir, bool win64, const std::string& cd) {
  // Wine's header, and on a 64-bit machine Wine's shared Wow6432Node links.
  detail::RegistryHives::create_empty(dir, win64 ? detail::HiveArch::Win64 : detail::HiveArch::Win32);
  detail::RegistryHives hives(dir);
  const std::uint64_t now = detail::filetime_now();
  for (const tools::RegEntry& entry : layout.registry) {
    detail::HiveKey& key = (entry.machine ? hives.machine() : hives.user()).root().add_path(utf16(entry.key), now);
    const DWORD type = entry.type == tools::RegType::ExpandSz ? REG_EXPAND_SZ : REG_SZ;
    key.set_value(utf16(entry.name), type, string_data(utf16(entry.text)), now);
  }
  if (!cd.empty())
    hives.machine().root().add_path(u"Software\\Wine\\Drives", now).set_value(u"d:", REG_SZ, string_data(u"cdrom"), now);
  for (detail::Hive* hive : {&hives.machine(), &hives.user()}) {
    hive->mark_modified();
    hives.save(*hive);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir_arg, profile, arch = "win32", cd;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (arg == "--profile") {
      if (!next(profile)) return usage("--profile needs a name");
    } else if (arg == "--arch") {
      if (!next(arch)) return usage("--arch needs win32 or win64");
    } else if (arg == "--cd") {
      if (!next(cd)) return usage("--cd needs a folder");
    } else if (!arg.empty() && arg[0] != '-' && dir_arg.empty()) {
      dir_arg = arg;
    } else {
      return usage("unexpected argument " + arg);
    }
  }
  if (dir_arg.empty()) return usage("no machine directory given");
  if (arch != "win32" && arch != "win64") return usage("unknown architecture " + arch);
  const auto& names = tools::profile_names();
  if (std::find(names.begin(), names.end(), profile) == names.end())
    return usage(profile.empty() ? "no profile given" : "unknown profile " + profile);
  const bool win64 = arch == "win64";
  if (win64 && !tools::profile_allows_win64(profile)) return usage("profile " + profile + " has no 64-bit edition");

  const fs::path dir = fs::absolute(dir_arg);
  std::error_code ec;
  // Never build over something that exists: a machine directory holds a person's data.
  if (fs::exists(dir, ec) && !fs::is_empty(dir, ec)) {
    std::cerr << "make-machine: " << dir.string() << " exists and is not empty; nothing was changed\n";
    return 2;
  }
  try {
    const tools::MachineLayout layout = tools::machine_layout(profile, win64, login_name());
    fs::create_directories(dir / "drive_c");
    for (const std::string& folder : layout.folders) {
      std::string host = folder;
      std::replace(host.begin(), host.end(), '\\', '/');
      fs::create_directories(dir / "drive_c" / host);
    }
    fs::create_directories(dir / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir / "dosdevices" / "c:");
    fs::create_directory_symlink("/", dir / "dosdevices" / "z:");
    if (!cd.empty()) fs::create_directory_symlink(fs::absolute(cd).lexically_normal(), dir / "dosdevices" / "d:");
    write_registry(layout, dir, win64, cd);
  } catch (const std::exception& error) {
    std::cerr << "make-machine: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
