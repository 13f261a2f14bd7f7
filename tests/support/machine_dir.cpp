// Minimal machine directories for tests.
#include "tests/support/machine_dir.h"

namespace testing_support {
namespace fs = std::filesystem;

void make_machine_dir(const fs::path& prefix, std::initializer_list<std::pair<char, fs::path>> extra_drives) {
  fs::create_directories(prefix / "drive_c");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
  for (const auto& [letter, target] : extra_drives)
    fs::create_directory_symlink(target, prefix / "dosdevices" / std::string{letter, ':'});
}

}  // namespace testing_support
