// Running the real peer: private copies of the fixture's Wine prefixes and Wine commands.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace testing_support {

// The fixture's two prefixes, and the program files folder a 32-bit program sees in each.
struct WinePrefix {
  const char* arch;
  const char* program_files;
  friend void PrintTo(const WinePrefix& prefix, std::ostream* out) { *out << prefix.arch; }
};
inline constexpr WinePrefix kWinePrefixes[] = {{"win64", "C:\\Program Files (x86)"}, {"win32", "C:\\Program Files"}};

bool wine_installed();
// The 64-bit loader, for programs a 64-bit prefix has only in its 64-bit form.
std::string wine64_command();

// A private copy of a fixture prefix. Wine's DLLs are hard links to save a gigabyte per
// test; everything Wine may rewrite is a real copy (it writes multiply-linked files in
// place, which would change the fixture).
void copy_prefix(const std::filesystem::path& from, const std::filesystem::path& to);

// Runs a shell command and returns its standard output without carriage returns.
std::string run(const std::string& command);

// The environment for a Wine command on `prefix`: no display, no debug output, no Gecko or
// Mono installers.
std::string wine_env(const std::filesystem::path& prefix);

}  // namespace testing_support
