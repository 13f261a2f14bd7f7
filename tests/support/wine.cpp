// Wine prefixes and commands for the interoperability tests.
#include "tests/support/wine.h"

#include <cstdio>
#include <cstdlib>

namespace testing_support {
namespace fs = std::filesystem;

bool wine_installed() { return std::system("command -v wine >/dev/null 2>&1") == 0; }

std::string wine64_command() {
  // Debian keeps the 64-bit loader out of PATH.
  if (fs::exists("/usr/lib/wine/wine64")) return "/usr/lib/wine/wine64";
  return "wine64";
}

void copy_prefix(const fs::path& from, const fs::path& to) {
  fs::create_directories(to);
  for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
    const fs::path relative = it->path().lexically_relative(from);  // symlinks are not followed
    const fs::path target = to / relative;
    const std::string rel = relative.string();
    if (it->is_symlink()) {
      fs::copy_symlink(it->path(), target);
      if (fs::is_directory(it->symlink_status())) it.disable_recursion_pending();
    } else if (it->is_directory()) {
      fs::create_directories(target);
    } else if (rel.starts_with("drive_c/windows/system32/") || rel.starts_with("drive_c/windows/syswow64/")) {
      std::error_code error;
      fs::create_hard_link(it->path(), target, error);
      if (error) fs::copy_file(it->path(), target);  // another file system
    } else {
      fs::copy_file(it->path(), target);
    }
  }
}

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  std::string clean;
  for (char c : out)
    if (c != '\r') clean += c;
  return clean;
}

std::string wine_env(const fs::path& prefix) {
  return "env -u DISPLAY LANG=C.UTF-8 WINEPREFIX='" + prefix.string() +
         "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
}

}  // namespace testing_support
