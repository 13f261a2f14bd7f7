// What a fresh Windows of each profile holds of everything Setup reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

enum class RegType { Sz, ExpandSz, Dword };

// One registry value at its physical place in the hive (no view redirection applies:
// the profile writes Wow6432Node copies itself). Texts are UTF-8.
struct RegEntry {
  bool machine;  // system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER)
  std::string key;
  std::string name;  // empty for the default value
  RegType type;
  std::string text;
  std::uint32_t number = 0;
};

// A link from a Wow6432Node key to the 64-bit key of the same name (a shared key).
struct RegLink {
  std::string key;     // the link, e.g. Software\Wow6432Node\Microsoft\OLE
  std::string target;  // the 64-bit key, e.g. Software\Microsoft\OLE
};

struct MachineLayout {
  std::vector<std::string> folders;  // Windows paths below C:\, created on disk
  std::vector<RegEntry> registry;
  std::vector<RegLink> links;
  std::vector<std::string> keys;  // machine keys that exist without values
};

// Names accepted by --profile.
const std::vector<std::string>& profile_names();
bool profile_allows_win64(const std::string& profile);

// The layout of `profile` for the user `user`; `win64` adds the 32-bit view's copies.
MachineLayout machine_layout(const std::string& profile, bool win64, const std::string& user);

}  // namespace tools
