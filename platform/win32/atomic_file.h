// Writing a whole file so that readers see the old contents or the new, never a part.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/win32/types.h"

namespace win32::detail {

// Writes `bytes` to a temporary file beside `target` and renames it over `target`; with
// `sync` the data reaches the disk before the rename. On failure `target` is untouched,
// no temporary file is left, and the Windows error code is returned.
DWORD replace_file(const std::filesystem::path& target, std::string_view bytes, bool sync);

}  // namespace win32::detail
