// Free space of the machine's drives, and the volume label and serial Wine gives them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

namespace win32 {

// `root` is "X:\" (any path on the drive is accepted) or null for the current drive.
// The counts are 32-bit as on Windows; a volume with more than 2^32 clusters reports
// larger clusters, so the product stays the free byte count.
BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                       DWORD* free_clusters, DWORD* total_clusters);

// What a drive reports instead of its real space; nullopt free bytes makes it fail as a
// drive without a medium does. Tests set it directly, or a whole run through the
// environment: SETUP_DISK_FREE="C=1048576000,D=fail".
struct DiskSpaceOverride {
  std::optional<std::uint64_t> free_bytes;
  std::uint64_t total_bytes = 0;
};
void set_disk_space_override(char drive, std::optional<DiskSpaceOverride> value);

namespace detail {
// Wine reads a folder-backed drive's label from ".windows-label" (UTF-8) and its serial
// from ".windows-serial" (hex) at the drive's root: empty and 0 when absent.
rtl::AnsiString volume_label(const std::filesystem::path& root);
DWORD volume_serial(const std::filesystem::path& root);
}  // namespace detail

}  // namespace win32
