// Drives from dosdevices with the kinds Wine gives them, folders through FindFirst.
#include "platform/win32/drive_directories.h"

#include <sys/stat.h>

#include "platform/rtl/exceptions.h"
#include "platform/win32/disk.h"
#include "platform/win32/files.h"
#include "platform/win32/host.h"
#include "platform/win32/registry.h"

namespace win32 {
namespace {

// Wine reports a folder-backed drive as fixed unless its Drives key names another type.
rtl::DriveKind kind_of(const Machine& machine, char letter) {
  const auto type = read_value(machine, HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", AnsiString{letter, ':'});
  const AnsiString text = type ? type->as_string().value_or("") : "";
  if (rtl::AnsiSameText(text, "cdrom")) return rtl::DriveKind::CdRom;
  if (rtl::AnsiSameText(text, "floppy")) return rtl::DriveKind::Removable;
  if (rtl::AnsiSameText(text, "network")) return rtl::DriveKind::Remote;
  if (rtl::AnsiSameText(text, "ramdisk")) return rtl::DriveKind::RamDisk;
  return rtl::DriveKind::Fixed;
}

}  // namespace

std::vector<rtl::DriveInfo> MachineDriveDirectories::Drives() const {
  std::vector<rtl::DriveInfo> drives;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const auto root = machine_.DriveRoot(letter);
    if (!root) continue;
    drives.push_back({letter, kind_of(machine_, letter), detail::volume_label(*root)});
  }
  return drives;
}

bool MachineDriveDirectories::DriveReady(char letter) const {
  const auto root = machine_.DriveRoot(letter);
  struct stat info {};
  return root && detail::host().stat(root->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<AnsiString> MachineDriveDirectories::SubDirectories(const AnsiString& folder) const {
  MachineScope scope(machine_);
  AnsiString pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  std::vector<AnsiString> names;
  TSearchRec found;
  int result = FindFirst(pattern, faDirectory, found);
  if (result != 0 && result != static_cast<int>(ERROR_FILE_NOT_FOUND) && result != static_cast<int>(ERROR_NO_MORE_FILES))
    throw rtl::EInOutError(result);
  for (; result == 0; result = FindNext(found))
    if ((found.Attr & faDirectory) && found.Name != "." && found.Name != "..") names.push_back(found.Name);
  FindClose(found);
  return names;
}

bool MachineDriveDirectories::DirectoryExists(const AnsiString& folder) const {
  MachineScope scope(machine_);
  return win32::DirectoryExists(folder);
}

}  // namespace win32
