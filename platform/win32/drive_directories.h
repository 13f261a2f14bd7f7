// The machine's drives and folders as the drive and directory controls ask for them.
#pragma once

#include "platform/rtl/drive_directory.h"
#include "platform/win32/machine.h"

namespace win32 {

class MachineDriveDirectories : public rtl::DriveDirectoryProvider {
 public:
  explicit MachineDriveDirectories(Machine& machine) : machine_(machine) {}

  std::vector<rtl::DriveInfo> Drives() const override;
  bool DriveReady(char letter) const override;
  std::vector<AnsiString> SubDirectories(const AnsiString& folder) const override;
  bool DirectoryExists(const AnsiString& folder) const override;

 private:
  Machine& machine_;
};

}  // namespace win32
