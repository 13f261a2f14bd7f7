// What the drive and directory controls may ask of the machine, without knowing it.
#pragma once

#include <vector>

#include "platform/rtl/ansi.h"

namespace rtl {

enum class DriveKind { Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveInfo {
  char Letter;        // lower case, as the drive list shows it
  DriveKind Kind;
  AnsiString VolumeName;  // empty when the drive has none or cannot be read
};

// Implemented by the machine layer; the GUI layer is handed one at start-up.
class DriveDirectoryProvider {
 public:
  virtual ~DriveDirectoryProvider() = default;
  // Every drive of the machine, in letter order.
  virtual std::vector<DriveInfo> Drives() const = 0;
  // False for a drive without a medium, a dangling or unreadable drive.
  virtual bool DriveReady(char letter) const = 0;
  // Names of the visible subfolders of a full Windows folder path ("c:\Program Files"),
  // in the order the file system lists them; raises EInOutError when it cannot be read.
  virtual std::vector<AnsiString> SubDirectories(const AnsiString& folder) const = 0;
  virtual bool DirectoryExists(const AnsiString& folder) const = 0;
};

}  // namespace rtl
