// Files and folders on the machine: copying, DOS attributes, directory search, folder
// creation and the emulated current directory.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/rtl/ansi.h"
#include "platform/win32/paths.h"
#include "platform/win32/types.h"

namespace win32 {

inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

// Copies a file with its data, read-only/hidden/system attributes and modification time.
// The data is written beside the destination under a hidden temporary name and renamed
// into place, so a failure never leaves a partial destination nor harms the one replaced.
// Returns FALSE with GetLastError set on failure.
BOOL CopyFileA(const AnsiString& existing, const AnsiString& target, BOOL failIfExists);

// The fa* attributes of a file or folder, or -1 when it cannot be read.
int FileGetAttr(const AnsiString& name);
// Sets read-only, hidden and system (other bits are ignored); 0 or the Windows error code.
// Hidden and system need user extended attributes: where the file system has none, asking
// for them fails with ERROR_NOT_SUPPORTED and nothing is changed.
int FileSetAttr(const AnsiString& name, int attr);

namespace detail {
struct SearchState;
}

struct TSearchRec {
  int Time = 0;             // last write, local time as a packed DOS date (high) and time (low)
  std::int64_t Size = 0;
  int Attr = 0;
  AnsiString Name;
  int ExcludeAttr = 0;
  std::shared_ptr<detail::SearchState> FindHandle;  // released by FindClose or with the record
};

// Searches a folder for names matching the last component's wildcards ("*.*", "*.t?t"),
// case-insensitively, in NTFS name order, "." and ".." first (not in a drive's root). An
// entry is returned when it has none of hidden, system, volume and directory that `attr`
// leaves out. 0 on success, else the Windows error: ERROR_FILE_NOT_FOUND when no name
// matches, ERROR_NO_MORE_FILES when the attribute mask excludes every match,
// ERROR_PATH_NOT_FOUND for a missing folder.
int FindFirst(const AnsiString& path, int attr, TSearchRec& f);
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);

// Raise rtl::EInOutError with the Windows error code on failure. ChDir changes the
// machine's emulated current directory only.
void MkDir(const AnsiString& dir);
void ChDir(const AnsiString& dir);

bool FileExists(const AnsiString& name);
bool DirectoryExists(const AnsiString& name);

namespace detail {

// Windows' match of a name against a pattern of '*' and '?': case-insensitive, and a name
// that ends early still matches when only dots and stars are left ("*.*" matches "README").
bool wildcard_match(std::string_view pattern, std::string_view name);

// The fa* attributes Wine shows for a host entry named `name` with status `info`.
int attributes_of(const std::string& host_path, const struct stat& info, std::string_view name);

// The Windows error of a failed open or stat of a resolved path: a missing name is
// ERROR_FILE_NOT_FOUND, a missing folder on the way ERROR_PATH_NOT_FOUND.
DWORD error_of_lookup(int error, const ResolvedPath& path);

// The process's file creation mask, read without changing it.
mode_t process_umask();

}  // namespace detail
}  // namespace win32
