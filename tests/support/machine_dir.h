// A minimal machine directory for tests: dosdevices links and an empty drive C.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <utility>

namespace testing_support {

// Creates `prefix`/drive_c and `prefix`/dosdevices/c: -> ../drive_c, plus one link per
// extra drive (letter, absolute target folder; the folder is not created).
void make_machine_dir(const std::filesystem::path& prefix,
                      std::initializer_list<std::pair<char, std::filesystem::path>> extra_drives = {});

}  // namespace testing_support
