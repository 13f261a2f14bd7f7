// The Windows machine Setup works on: a Wine prefix directory, its drives, the emulated
// current directory and the running program's own path.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

namespace win32 {

namespace detail {
class RegistryHives;  // the machine's loaded registry files (registry.cpp)
}

using rtl::AnsiString;

// Why a machine directory cannot be used; Setup exits with status 2 and this message.
class MachineUnusable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Machine {
 public:
  // Reads the drives from `prefix`/dosdevices. Throws MachineUnusable when the directory is
  // missing or unreadable, or a wineserver is running on it (Wine would overwrite our
  // registry changes when it saves).
  explicit Machine(std::filesystem::path prefix);

  const std::filesystem::path& Prefix() const { return prefix_; }

  // The folder a drive letter ('a'..'z', either case) maps to, or nullopt when the machine
  // has no such drive. It is the link's target, absolute and lexically normal, read once:
  // every path through the drive then spares the kernel the walk through the link.
  const std::optional<std::filesystem::path>& DriveRoot(char letter) const;

  // The emulated current directory, a full Windows path such as "C:\" or "D:\setup".
  const AnsiString& CurrentDirectory() const { return current_directory_; }
  void SetCurrentDirectory(AnsiString full_path) { current_directory_ = std::move(full_path); }

  // ParamStr(0): the running program's full Windows path.
  const AnsiString& ProgramPath() const { return program_path_; }
  void SetProgramPath(AnsiString windows_path) { program_path_ = std::move(windows_path); }

  // The Windows path of a host path, through the drive whose target is its longest
  // prefix; nullopt when no drive reaches it. Symlinks are not resolved.
  std::optional<AnsiString> WindowsPathOf(const std::filesystem::path& host_path) const;

  // The machine's registry files, loaded on first use (registry.cpp).
  detail::RegistryHives& Registry() const;

 private:
  std::filesystem::path prefix_;
  std::array<std::optional<std::filesystem::path>, 26> drive_targets_;
  AnsiString current_directory_ = "C:\\";
  AnsiString program_path_;
  mutable std::shared_ptr<detail::RegistryHives> registry_;
};

// The machine chosen by SETUP_MACHINE, else WINEPREFIX, else ~/.wine.
std::filesystem::path selected_machine_directory();

// Opens the selected machine for the running program: its program path comes from
// SETUP_PROGRAM (a host or Windows path), else from `argv0` as the program was started.
// Throws MachineUnusable, also when no drive of the machine reaches the program.
std::unique_ptr<Machine> open_selected_machine(const char* argv0);

// True when a wineserver holds the lock of this prefix (checked in every place Wine may
// keep its server directory).
bool wineserver_running(const std::filesystem::path& prefix);

// The machine the emulated operations act on. Start-up opens it once; a test opens its own
// with MachineScope.
Machine& current_machine();
bool has_current_machine();

class MachineScope {
 public:
  explicit MachineScope(Machine& machine);
  ~MachineScope();
  MachineScope(const MachineScope&) = delete;
  MachineScope& operator=(const MachineScope&) = delete;

 private:
  Machine* previous_;
};

}  // namespace win32
