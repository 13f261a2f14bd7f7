// What a fresh Windows of each profile holds of everything Setup reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

enum class RegType { Sz, ExpandSz };

// One registry value at its physical place in the hive (no view redirection applies:
// the profile writes the Wow6432Node copies itself; the shared keys are Wine's links).
// Texts are UTF-8.
struct RegEntry {
  bool machine;  // system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER)
  std::string key;
  std::string name;  // empty for the default value
  RegType type;
  std::string text;
};

struct MachineLayout {
  std::vector<std::string> folders;  // Windows paths below C:\, created on disk
  std::vector<RegEntry> registry;
};

// Names accepted by --profile.
const std::vector<std::string>& profile_names();
bool profile_allows_win64(const std::string& profile);

// The layout of `profile` for the user `user`; `win64` adds the 32-bit view's copies.
MachineLayout machine_layout(const std::string& profile, bool win64, const std::string& user);

}  // namespace tools
