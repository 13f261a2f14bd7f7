// Windows paths on the machine: full-path expansion, drive mapping and the host path
// behind a Windows path.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/host.h"
#include "platform/win32/machine.h"
#include "platform/win32/types.h"

namespace win32 {

// A Windows path resolved to the host.
struct ResolvedPath {
  DWORD error = ERROR_SUCCESS;   // why it cannot be used; the rest is then empty
  AnsiString full;               // "C:\Dir\file": drive upper case, separators '\'
  // Existing components in their on-disk case. A plain string: every file operation
  // resolves paths, and filesystem::path would split each one into parts it never uses.
  std::string host;
  // The folder holding the last component, open, when a kept listing answered for it.
  std::shared_ptr<const detail::HostFd> folder;
  bool parent_exists = false;    // every folder before the last component exists
  bool found = false;            // the last component was found (a drive's root is not)
  explicit operator bool() const { return error == ERROR_SUCCESS; }
};

// What the last component may hold besides an ordinary name. A pattern ("*.txt") is not
// looked up: `host` ends in it as written, so its parent_path() is the folder to list.
enum class LastComponent { Name, Pattern };

// The full Windows path of `path`, as GetFullPathName gives it: relative to the emulated
// current directory, "." and ".." taken lexically and never above the drive's root,
// trailing dots and spaces of the last component dropped. Empty for an empty path, a UNC
// path or one without a drive letter A to Z.
AnsiString full_windows_path(const AnsiString& path, const Machine& machine);

// Resolves a Windows path on the machine. Each component is matched case-insensitively
// when its exact name is absent; names that do not exist yet keep the case given.
ResolvedPath resolve_path(const AnsiString& path, const Machine& machine,
                          LastComponent last = LastComponent::Name);
ResolvedPath resolve_path(const AnsiString& path, LastComponent last = LastComponent::Name);

// The path as it would resolve if every component existed in exactly the case given,
// worked out without touching the disk, for a caller that opens it at once and falls
// back to resolve_path when that fails. `found` and `parent_exists` are assumed.
ResolvedPath assume_exact_path(const AnsiString& path);

// True when `name` is a valid file name component on Windows (no < > : " / \ | ? *,
// no control characters).
bool valid_file_name(std::string_view name);

// The ANSI name a host directory entry shows to a Windows program.
AnsiString windows_name_of(const std::string& host_name);

}  // namespace win32
