// System folders from the registry, the target path, free space and the size estimate.
#include "services/SystemFolders.h"

#include <cmath>
#include <initializer_list>

#include "platform/win32/registry.h"
#include "platform/win32/sysutils.h"
#include "services/CommonUnit.h"
#include "services/RegistryRead.h"
#include "shell/Choices.h"

using namespace rtl::literals;

namespace {

// A missing key or value gives an empty text; a registry error gives `default_value`.
AnsiString read_folder(win32::HKEY root, std::initializer_list<const char*> keys, const char* value,
                       const AnsiString& default_value) {
  return ReadRegistryText(root, keys, value).value_or(default_value);
}

// Windows rounds halves to the even neighbour; so does the default floating-point mode.
double round_half_even(double value) { return std::nearbyint(value); }

AnsiString number_text(double value) { return std::to_string(static_cast<long long>(round_half_even(value))); }

}  // namespace

AnsiString ReadProgramFilesDir() {
  return read_folder(win32::HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion"},
                     "ProgramFilesDir", "C:\\Program Files");
}

AnsiString ReadStartMenuProgramsDir() {
  return read_folder(win32::HKEY_CURRENT_USER,
                     {"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"}, "Programs",
                     "C:\\Windows\\Start Menu\\Programs");
}

AnsiString ReadFontsDir() {
  const AnsiString folder =
      read_folder(win32::HKEY_CURRENT_USER,
                  {"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"}, "Fonts",
                  "C:\\Windows\\Fonts");
  return folder.empty() ? AnsiString("C:\\Windows\\Fonts") : folder;
}

void SetTargetPath(const AnsiString& base_dir, const AnsiString& folder_name) {
  const AnsiString drive = win32::ExtractFileDrive(base_dir);
  Choices.TargetDrive = drive.empty() ? 'c' : drive[0];
  Choices.TargetBaseDir = win32::ExpandFileName(base_dir);
  Choices.TargetSubDir = folder_name;
  if (!Choices.TargetSubDir.empty() && Choices.TargetSubDir.front() == '\\') Choices.TargetSubDir.erase(0, 1);
  if (!Choices.TargetSubDir.empty() && Choices.TargetSubDir.back() == '\\') Choices.TargetSubDir.pop_back();
  if (!Choices.TargetBaseDir.empty() && Choices.TargetBaseDir.back() != '\\') Choices.TargetBaseDir += '\\';
}

AnsiString ShortTargetPath(int max_length) {
  const AnsiString full = Choices.TargetBaseDir + Choices.TargetSubDir;
  if (static_cast<long long>(full.size()) <= max_length) return full;
  AnsiString shown;
  for (std::size_t i = 0; i < Choices.TargetBaseDir.size(); ++i) {
    // Positions count from 1: the first backslash after the drive's root.
    if (i + 1 > 3 && Choices.TargetBaseDir[i] == '\\') return shown + "\\...\\" + Choices.TargetSubDir;
    shown += Choices.TargetBaseDir[i];
  }
  // A base without a folder to fold away (a drive root): nothing can be left out without
  // hiding the folder itself, so the whole path is shown.
  return full;
}

int TargetDriveFreeMB() {
  const int drive = static_cast<unsigned char>(Choices.TargetDrive) - 64;
  if (drive < 0 || drive > 255) return 0;  // no drive letter at all: nothing is known free
  return static_cast<int>(round_half_even(GetDiskFreeBytes(static_cast<unsigned char>(drive)) / 1048576.0));
}

bool BrowserInstallNeeded() {
  return !HasHtmOpenCommand() || (IsWindows95() && (!HasChmOpenCommand() || !IsDcomEnabled()));
}

double EstimatedSizeMB() {
  double total = 0;
  if (Choices.InstallSolver) total += 88;
  if (Choices.InstallSolver && Choices.CompactSolver) total -= 85;
  if (Choices.InstallGenerator) total += 20;
  if (Choices.InstallGenerator && Choices.CompactGenerator) total -= 10.3;
  if (Choices.InstallDrawer) total += 160;
  if (Choices.InstallDrawer && Choices.CompactDrawer) total -= 55;
  if (total <= 0.004) return total;
  total += 3;
  if (BrowserInstallNeeded()) total += 160;
  return total;
}

AnsiString SizeText() {
  const double size = EstimatedSizeMB();
  return size >= 2 ? number_text(size) + " Mb" : number_text(size * 1024) + " Kb";
}

AnsiString FreeSpaceText() {
  const int free = TargetDriveFreeMB();
  return free <= 1000 ? std::to_string(free) + " Mb" : GetEnoughWord();
}
