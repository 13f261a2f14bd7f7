// GetDiskFreeSpaceA over statvfs of the drive's folder; the volume files at a drive's root.
#include "platform/win32/disk.h"

#include <fcntl.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/win32/host.h"
#include "platform/win32/machine.h"

namespace win32 {
namespace {

std::array<std::optional<DiskSpaceOverride>, 26>& overrides() {
  static std::array<std::optional<DiskSpaceOverride>, 26> table = [] {
    std::array<std::optional<DiskSpaceOverride>, 26> parsed;
    const char* text = std::getenv("SETUP_DISK_FREE");
    std::string setting = text ? text : "";
    std::size_t start = 0;
    while (start < setting.size()) {
      std::size_t end = setting.find(',', start);
      if (end == std::string::npos) end = setting.size();
      const std::string item = setting.substr(start, end - start);
      start = end + 1;
      const char letter = item.empty() ? 0 : static_cast<char>(item[0] | 0x20);
      if (item.size() < 3 || item[1] != '=' || letter < 'a' || letter > 'z') continue;
      DiskSpaceOverride value;
      if (item.substr(2) != "fail") {
        char* tail = nullptr;
        value.free_bytes = std::strtoull(item.c_str() + 2, &tail, 10);
        if (*tail != '\0') continue;
        value.total_bytes = *value.free_bytes * 2;
      }
      parsed[letter - 'a'] = value;
    }
    return parsed;
  }();
  return table;
}

struct Space {
  std::uint64_t block_size, free_blocks, total_blocks;
};

// The first line of a small text file; empty when it is absent.
std::string first_line(const std::filesystem::path& file) {
  const detail::HostFd fd(detail::host().open(file.c_str(), O_RDONLY, 0));
  if (!fd) return {};
  char buffer[256];
  const ssize_t got = detail::host().read(fd.get(), buffer, sizeof buffer);
  const std::string text(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

AnsiString detail::volume_label(const std::filesystem::path& root) {
  return rtl::utf8_to_ansi(first_line(root / ".windows-label"));
}

DWORD detail::volume_serial(const std::filesystem::path& root) {
  return static_cast<DWORD>(std::strtoul(first_line(root / ".windows-serial").c_str(), nullptr, 16));
}

void set_disk_space_override(char drive, std::optional<DiskSpaceOverride> value) {
  const char letter = static_cast<char>(drive | 0x20);
  if (letter >= 'a' && letter <= 'z') overrides()[letter - 'a'] = value;
}

BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                       DWORD* free_clusters, DWORD* total_clusters) {
  const Machine& machine = current_machine();
  const AnsiString path = root ? AnsiString(root) : machine.CurrentDirectory();
  const char letter = path.size() >= 2 && path[1] == ':' ? static_cast<char>(path[0] | 0x20) : 0;
  if (letter < 'a' || letter > 'z') {
    SetLastError(root && root[0] == '\\' && root[1] == '\\' ? ERROR_BAD_NETPATH : ERROR_INVALID_NAME);
    return FALSE;
  }

  Space space{};
  if (const auto& fixed = overrides()[letter - 'a']) {
    if (!fixed->free_bytes) {
      SetLastError(ERROR_NOT_READY);
      return FALSE;
    }
    space = {512, *fixed->free_bytes / 512, std::max(fixed->total_bytes, *fixed->free_bytes) / 512};
  } else {
    const auto drive = machine.DriveRoot(letter);
    if (!drive) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
    struct statvfs info {};
    if (detail::host().statvfs(drive->c_str(), &info) != 0) {
      SetLastError(ERROR_NOT_READY);  // the drive's folder or medium is absent
      return FALSE;
    }
    space = {info.f_frsize ? info.f_frsize : info.f_bsize, info.f_bavail, info.f_blocks};
  }

  std::uint64_t sector_bytes = 512;
  std::uint64_t cluster_sectors = std::max<std::uint64_t>(1, space.block_size / sector_bytes);
  std::uint64_t free_count = space.free_blocks * space.block_size / (cluster_sectors * sector_bytes);
  std::uint64_t total_count = space.total_blocks * space.block_size / (cluster_sectors * sector_bytes);
  while (total_count > 0xFFFFFFFFu || free_count > 0xFFFFFFFFu) {
    cluster_sectors *= 2;
    free_count /= 2;
    total_count /= 2;
  }
  if (sectors_per_cluster) *sectors_per_cluster = static_cast<DWORD>(cluster_sectors);
  if (bytes_per_sector) *bytes_per_sector = static_cast<DWORD>(sector_bytes);
  if (free_clusters) *free_clusters = static_cast<DWORD>(free_count);
  if (total_clusters) *total_clusters = static_cast<DWORD>(total_count);
  return TRUE;
}

}  // namespace win32
