// Files and folders on the machine, kept the way Wine keeps them so that Windows programs
// running later see the same attributes, times and names.
#include "platform/win32/files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/win32/host.h"

namespace win32 {
namespace fs = std::filesystem;

namespace detail {

DWORD error_of_lookup(int error, const ResolvedPath& path) {
  if (error == ENOENT && !path.parent_exists) return ERROR_PATH_NOT_FOUND;
  return error_from_errno(error);
}

mode_t process_umask() {
  // umask(2) can only be read by setting it, which would race with other threads.
  HostFd fd(host().open("/proc/self/status", O_RDONLY, 0));
  if (fd) {
    char text[4096];
    const ssize_t n = host().read(fd.get(), text, sizeof text - 1);
    if (n > 0) {
      text[n] = '\0';
      if (const char* line = std::strstr(text, "\nUmask:"))
        return static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8) & 0777);
    }
  }
  return 022;
}

}  // namespace detail

namespace {

using detail::host;
using detail::HostFd;

constexpr char kDosAttrib[] = "user.DOSATTRIB";
constexpr int kStoredBits = faHidden | faSysFile;

bool is_dot_or_dotdot(std::string_view name) { return name == "." || name == ".."; }

// Only "0x<hex>" counts, and of it only hidden and system, as Wine reads it.
int dos_bits_of(char* value, ssize_t n) {
  if (n < 3 || value[0] != '0' || value[1] != 'x') return 0;
  value[n] = '\0';
  return static_cast<int>(std::strtoul(value + 2, nullptr, 16)) & kStoredBits;
}

int stored_dos_bits(const std::string& host_path) {
  char value[32];
  return dos_bits_of(value, host().getxattr(host_path.c_str(), kDosAttrib, value, sizeof value - 1));
}

int stored_dos_bits(int fd) {
  char value[32];
  return dos_bits_of(value, host().fgetxattr(fd, kDosAttrib, value, sizeof value - 1));
}

// The bits of `entry` in the folder open as `folder_fd`, sparing the walk from the root
// where the kernel can; `host_path` names the same entry for kernels that cannot.
int stored_dos_bits(int folder_fd, const std::string& entry, const std::string& host_path) {
  char value[32];
  const ssize_t n = host().getxattr_at(folder_fd, entry.c_str(), kDosAttrib, value, sizeof value - 1);
  if (n >= 0 || errno != ENOSYS) return dos_bits_of(value, n);
  return stored_dos_bits(host_path);
}

// The hidden and system bits as Wine writes them: "0x2", "0x4" or "0x6".
std::string dos_attrib_text(int bits) {
  char value[8];
  std::snprintf(value, sizeof value, "0x%x", static_cast<unsigned>(bits & kStoredBits));
  return value;
}

// Writes the bits, or removes the attribute when there are none, as Wine does.
int store_dos_bits(const std::string& host_path, int bits) {
  if ((bits & kStoredBits) == 0) {
    const int result = host().removexattr(host_path.c_str(), kDosAttrib);
    return result != 0 && errno == ENODATA ? 0 : result;
  }
  const std::string value = dos_attrib_text(bits);
  return host().setxattr(host_path.c_str(), kDosAttrib, value.data(), value.size());
}

// The bits onto a new file, which carries no attribute to remove yet.
int store_dos_bits(int fd, int bits) {
  const std::string value = dos_attrib_text(bits);
  return host().fsetxattr(fd, kDosAttrib, value.data(), value.size());
}

bool no_user_xattrs(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

// The host path without a final '/'.
std::string_view without_trailing_separator(std::string_view text) {
  if (text.size() > 1 && text.back() == '/') text.remove_suffix(1);
  return text;
}

// The name the last component has on disk.
std::string host_name_of(const std::string& path) {
  const std::string_view text = without_trailing_separator(path);
  return std::string(text.substr(text.rfind('/') + 1));
}

// The folder holding the last component.
std::string host_folder_of(const std::string& path) {
  const std::string_view text = without_trailing_separator(path);
  const std::size_t cut = text.rfind('/');
  return std::string(cut == 0 ? text.substr(0, 1) : text.substr(0, cut));
}

bool read_only_mode(mode_t mode) { return (mode & 0222) == 0; }

}  // namespace

namespace detail {

namespace {

int attributes_from(const struct stat& info, int stored_bits, std::string_view name) {
  int attr = S_ISDIR(info.st_mode) ? faDirectory : faArchive;
  if (read_only_mode(info.st_mode)) attr |= faReadOnly;
  attr |= stored_bits;
  if (!name.empty() && name[0] == '.' && !is_dot_or_dotdot(name)) attr |= faHidden;
  return attr;
}

}  // namespace

int attributes_of(const std::string& host_path, const struct stat& info, std::string_view name) {
  return attributes_from(info, stored_dos_bits(host_path), name);
}

}  // namespace detail

// ---------------------------------------------------------------------------------------
// CopyFileA

namespace {

// The copy's file until it is complete: unnamed where the file system allows it, else a
// hidden name beside the destination. Either way it disappears unless it was put in place.
class TempFile {
 public:
  ~TempFile() {
    fd_.reset();
    if (!path_.empty()) host().unlink(path_.c_str());
  }
  // 0 or the errno of the failed creation.
  // `folder_fd`, when given, is `folder` open.
  int create(const std::string& folder, const HostFd* folder_fd, bool unnamed) {
    folder_ = folder;
    // 0666 lets the kernel apply the umask, giving the mode a new Windows file gets.
    if (unnamed) {
      const int fd = folder_fd ? host().open_tmpfile_at(folder_fd->get(), 0666) : host().open_tmpfile(folder.c_str(), 0666);
      if (fd >= 0) {
        fd_ = HostFd(fd);
        return 0;
      }
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
    }
    return with_hidden_name([&](const std::string& candidate) {
      const int fd = host().open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
      if (fd >= 0) fd_ = HostFd(fd);
      return fd >= 0 ? 0 : -1;
    });
  }
  // Gives an unnamed file its hidden name, so that it can replace a file by rename.
  int name_it() {
    return with_hidden_name([&](const std::string& candidate) { return host().link_fd(fd_.get(), candidate.c_str()); });
  }
  bool named() const { return !path_.empty(); }
  int fd() const { return fd_.get(); }
  HostFd& descriptor() { return fd_; }
  const std::string& path() const { return path_; }
  // The file now lives under another name; nothing to remove.
  void release() { path_.clear(); }

 private:
  template <typename Make>
  int with_hidden_name(Make make) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = ".setup-copy-";
      for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
      std::string candidate = folder_ + '/' + name;
      if (make(candidate) == 0) {
        path_ = std::move(candidate);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  HostFd fd_;
  std::string folder_;
  std::string path_;
};

// Some kernels and file systems cannot copy between these two files in the kernel.
bool kernel_copy_unsupported(int error) {
  return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP || error == EINVAL ||
         error == EBADF;
}

DWORD write_error(int error) { return error == EIO ? ERROR_WRITE_FAULT : error_from_errno(error); }
DWORD read_error(int error) { return error == EIO ? ERROR_READ_FAULT : error_from_errno(error); }

enum class KernelCopy { Offload, Splice };

// Copies the first `expected` bytes of `in` (on `device`) to `out` without the data passing
// through this process where the kernel can: copy_file_range where the file system may
// share extents or copy on its server, else a splice through a large pipe, which writes
// in fewer, larger steps than copy_file_range's own small pipe; plain reads and writes
// where neither works. A source that ends before (truncated or vanished while copied) is
// a failure, never a short copy.
DWORD copy_data(int in, dev_t device, int out, off_t expected) {
  const bool offloads = host().offloads_copies(in, device);
  const KernelCopy kernel_copies[] = {offloads ? KernelCopy::Offload : KernelCopy::Splice,
                                      offloads ? KernelCopy::Splice : KernelCopy::Offload};
  std::size_t next_kernel_copy = 0;
  off_t done = 0;
  std::vector<char> buffer;
  // Like CopyFile, the length found at the start is what is copied.
  while (done < expected) {
    const auto wanted = static_cast<std::size_t>(std::min<off_t>(expected - done, off_t{1} << 30));
    if (next_kernel_copy < std::size(kernel_copies)) {
      const ssize_t n = kernel_copies[next_kernel_copy] == KernelCopy::Offload ? host().copy_file_range(in, out, wanted)
                                                                                : host().splice_copy(in, out, wanted);
      if (n > 0) {
        done += n;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && !kernel_copy_unsupported(errno)) return errno == EIO ? ERROR_READ_FAULT : error_from_errno(errno);
      // An early 0 may be a file system that gives the kernel's copy no data; the other
      // way, then reads, tell whether the source really ended.
      ++next_kernel_copy;
      continue;
    }
    if (buffer.empty()) buffer.resize(std::size_t{1} << 20);
    const ssize_t n = host().read(in, buffer.data(), std::min(buffer.size(), wanted));
    if (n < 0) {
      if (errno == EINTR) continue;
      return read_error(errno);
    }
    if (n == 0) break;
    if (const int error = detail::write_all(out, {buffer.data(), static_cast<std::size_t>(n)})) return write_error(error);
    done += n;
  }
  return done < expected ? ERROR_HANDLE_EOF : ERROR_SUCCESS;
}

bool no_hard_links(int error) { return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS; }

// Data, hidden/system bits, times and read-only onto the temporary file.
DWORD fill(TempFile& temp, int in, const struct stat& source, int source_attr) {
  if (const DWORD error = copy_data(in, source.st_dev, temp.fd(), source.st_size)) return error;
  // User xattrs need write access, so the hidden/system bits go on before read-only.
  if (source_attr & kStoredBits) {
    if (store_dos_bits(temp.fd(), source_attr) != 0 && !no_user_xattrs(errno)) return write_error(errno);
  }
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  if (host().futimens(temp.fd(), times) != 0) return write_error(errno);
  if (source_attr & faReadOnly) {
    struct stat created {};
    if (host().fstat(temp.fd(), &created) != 0 || host().fchmod(temp.fd(), created.st_mode & 07555) != 0)
      return write_error(errno);
  }
  return ERROR_SUCCESS;
}

// Why an existing destination cannot be replaced, or ERROR_SUCCESS.
DWORD refusal_to_replace(const struct stat& current, const struct stat& source) {
  if (S_ISDIR(current.st_mode) || read_only_mode(current.st_mode)) return ERROR_ACCESS_DENIED;
  // Windows holds the source open without write sharing, so copying a file onto itself
  // is a sharing violation rather than a truncation.
  if (current.st_dev == source.st_dev && current.st_ino == source.st_ino) return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

enum class Placed { Done, Retry };

// Puts the complete temporary file in the destination's place. An unnamed file that
// cannot be linked at all (no hard links) asks for a retry with a named one.
DWORD place(TempFile& temp, const std::string& destination, const HostFd* folder_fd, bool fail_if_exists,
            const struct stat& source, Placed& outcome) {
  outcome = Placed::Done;
  if (!temp.named()) {
    // Linking an absent name is atomic, so nobody ever sees the file incomplete, and a
    // file that appeared since the check is never replaced when it must not be.
    const int linked = folder_fd ? host().link_fd_at(temp.fd(), folder_fd->get(), host_name_of(destination).c_str())
                                 : host().link_fd(temp.fd(), destination.c_str());
    if (linked == 0) {
      // close() is where some file systems report a delayed write error.
      if (temp.descriptor().close() != 0) {
        const int error = errno;
        host().unlink(destination.c_str());
        return write_error(error);
      }
      return ERROR_SUCCESS;
    }
    const bool taken = errno == EEXIST;
    if (taken) {
      if (fail_if_exists) return ERROR_FILE_EXISTS;
      struct stat current {};
      if (host().stat(destination.c_str(), &current) == 0)
        if (const DWORD error = refusal_to_replace(current, source)) return error;
    }
    if (!taken || temp.name_it() != 0) {
      outcome = Placed::Retry;
      return ERROR_SUCCESS;
    }
  }
  if (temp.descriptor().close() != 0) return write_error(errno);

  if (fail_if_exists) {
    // link() refuses an existing name atomically, so a file that appeared meanwhile stays.
    if (host().link(temp.path().c_str(), destination.c_str()) == 0) {
      host().unlink(temp.path().c_str());
      temp.release();
      return ERROR_SUCCESS;
    }
    if (errno == EEXIST) return ERROR_FILE_EXISTS;
    if (!no_hard_links(errno)) return write_error(errno);
    // A file system without hard links: the check before the copy has to do.
    struct stat again {};
    if (host().lstat(destination.c_str(), &again) == 0) return ERROR_FILE_EXISTS;
  }
  if (host().rename(temp.path().c_str(), destination.c_str()) != 0) return write_error(errno);
  temp.release();
  return ERROR_SUCCESS;
}

DWORD copy_file(const AnsiString& existing, const AnsiString& target, bool fail_if_exists) {
  // A source named in its exact case opens at once; only a miss pays for the lookup.
  ResolvedPath from = assume_exact_path(existing);
  if (!from) return from.error;
  HostFd in(host().open(from.host.c_str(), O_RDONLY, 0));
  if (!in && (errno == ENOENT || errno == ENOTDIR)) {
    from = resolve_path(existing);
    if (!from) return from.error;
    in = HostFd(host().open(from.host.c_str(), O_RDONLY, 0));
  }
  if (!in) return detail::error_of_lookup(errno, from);
  const ResolvedPath to = resolve_path(target);
  if (!to) return to.error;
  struct stat source {};
  if (host().fstat(in.get(), &source) != 0) return read_error(errno);
  if (!S_ISREG(source.st_mode)) return ERROR_ACCESS_DENIED;
  const int source_attr = detail::attributes_from(source, stored_dos_bits(in.get()), host_name_of(from.host));

  if (!to.parent_exists) return ERROR_PATH_NOT_FOUND;
  // A symlink in the destination's place is replaced, not written through: its target may
  // lie outside the machine's drives.
  const std::string& destination = to.host;
  struct stat current {};
  bool exists = false;
  // A name the lookup did not find needs no second look: a file that appears meanwhile
  // makes the link below fail and is then checked like any existing one.
  if (to.found && host().stat(destination.c_str(), &current) == 0) {
    if (fail_if_exists) return ERROR_FILE_EXISTS;
    if (const DWORD error = refusal_to_replace(current, source)) return error;
    exists = true;
  } else if (to.found && errno != ENOENT) {
    return detail::error_of_lookup(errno, to);
  }

  const std::string folder = host_folder_of(destination);
  // An unnamed file saves creating and renaming a name when nothing is replaced.
  for (const bool unnamed : {!exists, false}) {
    TempFile temp;
    if (const int error = temp.create(folder, to.folder.get(), unnamed))
      return error == ENOENT ? ERROR_PATH_NOT_FOUND : error_from_errno(error);
    if (const DWORD error = fill(temp, in.get(), source, source_attr)) return error;
    Placed outcome;
    const DWORD error = place(temp, destination, to.folder.get(), fail_if_exists, source, outcome);
    if (outcome == Placed::Done) return error;
    if (host().lseek(in.get(), 0, SEEK_SET) != 0) return read_error(errno);
  }
  return ERROR_WRITE_FAULT;
}

}  // namespace

BOOL CopyFileA(const AnsiString& existing, const AnsiString& target, BOOL failIfExists) {
  const DWORD error = copy_file(existing, target, failIfExists != FALSE);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------
// Attributes

int FileGetAttr(const AnsiString& name) {
  const ResolvedPath path = resolve_path(name);
  if (!path) {
    SetLastError(path.error);
    return -1;
  }
  struct stat info {};
  if (host().stat(path.host.c_str(), &info) != 0) {
    SetLastError(detail::error_of_lookup(errno, path));
    return -1;
  }
  return detail::attributes_of(path.host, info, host_name_of(path.host));
}

namespace {

DWORD set_attributes(const AnsiString& name, int attr) {
  const ResolvedPath path = resolve_path(name);
  if (!path) return path.error;
  const char* file = path.host.c_str();
  struct stat info {};
  if (host().stat(file, &info) != 0) return detail::error_of_lookup(errno, path);

  // Wine ignores read-only on folders and, when clearing it, grants write only where read
  // is granted, within the umask.
  mode_t mode = info.st_mode & 07777;
  if (attr & faReadOnly) {
    if (!S_ISDIR(info.st_mode)) mode &= ~mode_t{0222};
  } else if (read_only_mode(mode)) {
    mode |= (0600 | ((mode & 044) >> 1)) & ~detail::process_umask();
  }

  const mode_t original = info.st_mode & 07777;
  mode_t current = original;
  const int wanted = attr & kStoredBits;
  if (wanted != stored_dos_bits(path.host)) {
    // Setting a user xattr needs write permission, which a read-only file lacks: lend it.
    if (read_only_mode(current)) {
      const mode_t writable = read_only_mode(mode) ? (current | S_IWUSR) : mode;
      if (host().chmod(file, writable) != 0) return error_from_errno(errno);
      current = writable;
    }
    if (store_dos_bits(path.host, wanted) != 0) {
      const int error = errno;
      if (current != original) host().chmod(file, original);
      if (!no_user_xattrs(error)) return error_from_errno(error);
      // Nothing can be stored here; only a request the name already satisfies succeeds.
      if (wanted != (detail::attributes_of(path.host, info, host_name_of(path.host)) & kStoredBits))
        return ERROR_NOT_SUPPORTED;
      current = original;
    }
  }
  if (mode != current && host().chmod(file, mode) != 0) return error_from_errno(errno);
  return ERROR_SUCCESS;
}

}  // namespace

int FileSetAttr(const AnsiString& name, int attr) {
  const DWORD error = set_attributes(name, attr);
  if (error != ERROR_SUCCESS) SetLastError(error);
  return static_cast<int>(error);
}

// ---------------------------------------------------------------------------------------
// Directory search

namespace detail {

bool wildcard_match(std::string_view pattern_text, std::string_view name_text) {
  const AnsiString pattern = rtl::AnsiUpperCase(pattern_text);
  const AnsiString name = rtl::AnsiUpperCase(name_text);
  std::size_t p = 0, n = 0;
  std::size_t star = AnsiString::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = ++p;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != AnsiString::npos) {
      p = star;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '.')) ++p;
  return p == pattern.size();
}

struct SearchEntry {
  AnsiString name;
  int attr;
  std::int64_t size;
  int time;
};

struct SearchState {
  std::vector<SearchEntry> entries;
  std::size_t next = 0;
};

}  // namespace detail

namespace {

// Delphi's packed DOS date and time of a host time, in local time; DOS counts 1980 to 2107.
int dos_date_time(std::time_t when) {
  std::tm local {};
  if (!localtime_r(&when, &local)) return 0;
  const int year = local.tm_year + 1900;
  if (year < 1980) return (1 << 21) | (1 << 16);  // 1 January 1980
  if (year > 2107) return static_cast<int>((127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u);
  const unsigned date = (static_cast<unsigned>(year - 1980) << 9) | (static_cast<unsigned>(local.tm_mon + 1) << 5) |
                        static_cast<unsigned>(local.tm_mday);
  const unsigned time = (static_cast<unsigned>(local.tm_hour) << 11) | (static_cast<unsigned>(local.tm_min) << 5) |
                        static_cast<unsigned>(local.tm_sec / 2);
  return static_cast<int>((date << 16) | time);
}

constexpr int kSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

// Moves to the next entry the record's mask admits, as Delphi skips unwanted ones.
int find_matching(TSearchRec& f) {
  detail::SearchState& state = *f.FindHandle;
  while (state.next < state.entries.size()) {
    const detail::SearchEntry& entry = state.entries[state.next++];
    if (entry.attr & f.ExcludeAttr) continue;
    f.Name = entry.name;
    f.Attr = entry.attr;
    f.Size = entry.size;
    f.Time = entry.time;
    return 0;
  }
  SetLastError(ERROR_NO_MORE_FILES);
  return static_cast<int>(ERROR_NO_MORE_FILES);
}

DWORD open_search(const AnsiString& path, detail::SearchState& state) {
  const ResolvedPath resolved = resolve_path(path, LastComponent::Pattern);
  if (!resolved) return resolved.error;
  const std::size_t cut = resolved.full.rfind('\\');
  const AnsiString pattern = resolved.full.substr(cut + 1);
  if (pattern.empty()) return ERROR_FILE_NOT_FOUND;
  if (!resolved.parent_exists) return ERROR_PATH_NOT_FOUND;

  const std::string folder = host_folder_of(resolved.host);
  struct stat folder_info {};
  if (host().stat(folder.c_str(), &folder_info) != 0)
    return errno == ENOENT ? ERROR_PATH_NOT_FOUND : error_from_errno(errno);
  if (!S_ISDIR(folder_info.st_mode)) return ERROR_DIRECTORY;
  std::vector<std::string> names;
  if (host().list_directory(folder.c_str(), names) != 0) return error_from_errno(errno);

  // Entries are looked at through the folder's descriptor: walking the full path again
  // for each one costs more than the look itself.
  const HostFd folder_fd(host().open(folder.c_str(), O_RDONLY | O_DIRECTORY, 0));
  auto add = [&](const std::string& host_name, const std::string& host_path, AnsiString name) {
    struct stat info {};
    const auto look = [&](int flags) {
      // ".." stays lexical, as the path names it, even where the folder is a symlink.
      return folder_fd && host_name != ".." ? host().fstatat(folder_fd.get(), host_name.c_str(), &info, flags)
                       : (flags ? host().lstat(host_path.c_str(), &info) : host().stat(host_path.c_str(), &info));
    };
    if (look(0) != 0 && look(AT_SYMLINK_NOFOLLOW) != 0) return;
    const int bits = folder_fd && host_name != ".." ? stored_dos_bits(folder_fd.get(), host_name, host_path)
                                                     : stored_dos_bits(host_path);
    const int attr = detail::attributes_from(info, bits, name);
    const std::int64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
    state.entries.push_back({std::move(name), attr, size, dos_date_time(info.st_mtim.tv_sec)});
  };

  // A drive's root has no "." and "..", as on Windows.
  const bool in_root = cut == 2;
  if (!in_root) {
    if (detail::wildcard_match(pattern, ".")) add(".", folder, ".");
    if (detail::wildcard_match(pattern, "..")) add("..", host_folder_of(folder), "..");
  }
  const std::size_t dots = state.entries.size();
  const bool everything = pattern == "*" || pattern == "*.*";
  for (const std::string& host_name : names) {
    AnsiString name = windows_name_of(host_name);
    if (everything || detail::wildcard_match(pattern, name))
      add(host_name, folder + '/' + host_name, std::move(name));
  }
  std::sort(state.entries.begin() + static_cast<std::ptrdiff_t>(dots), state.entries.end(),
            [](const detail::SearchEntry& a, const detail::SearchEntry& b) {
              const int order = rtl::AnsiCompareText(a.name, b.name);
              return order != 0 ? order < 0 : a.name < b.name;
            });
  return state.entries.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace

int FindFirst(const AnsiString& path, int attr, TSearchRec& f) {
  f.ExcludeAttr = ~attr & kSpecial;
  auto state = std::make_shared<detail::SearchState>();
  if (const DWORD error = open_search(path, *state)) {
    f.FindHandle.reset();
    SetLastError(error);
    return static_cast<int>(error);
  }
  f.FindHandle = std::move(state);
  const int result = find_matching(f);
  if (result != 0) FindClose(f);
  return result;
}

int FindNext(TSearchRec& f) {
  if (!f.FindHandle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<int>(ERROR_INVALID_HANDLE);
  }
  return find_matching(f);
}

void FindClose(TSearchRec& f) { f.FindHandle.reset(); }

// ---------------------------------------------------------------------------------------
// Folders

namespace {

bool is_drive_root(const AnsiString& full) { return full.size() == 3; }

DWORD make_directory(const AnsiString& dir) {
  const ResolvedPath path = resolve_path(dir);
  if (!path) return path.error;
  if (is_drive_root(path.full)) return ERROR_ACCESS_DENIED;
  if (!path.parent_exists) return ERROR_PATH_NOT_FOUND;
  if (host().mkdir(path.host.c_str(), 0777) != 0) return errno == EEXIST ? ERROR_ALREADY_EXISTS : error_from_errno(errno);
  return ERROR_SUCCESS;
}

DWORD change_directory(const AnsiString& dir) {
  const ResolvedPath path = resolve_path(dir);
  if (!path) return path.error;
  struct stat info {};
  if (host().stat(path.host.c_str(), &info) != 0) return detail::error_of_lookup(errno, path);
  if (!S_ISDIR(info.st_mode)) return ERROR_DIRECTORY;
  AnsiString full = path.full;
  if (!is_drive_root(full) && full.back() == '\\') full.pop_back();
  current_machine().SetCurrentDirectory(std::move(full));
  return ERROR_SUCCESS;
}

// Status of an existing name, following links as Windows programs see them.
bool stat_of(const AnsiString& name, struct stat& info) {
  const ResolvedPath path = resolve_path(name);
  return path && host().stat(path.host.c_str(), &info) == 0;
}

}  // namespace

void MkDir(const AnsiString& dir) {
  if (const DWORD error = make_directory(dir)) {
    SetLastError(error);
    throw rtl::EInOutError(static_cast<int>(error));
  }
}

void ChDir(const AnsiString& dir) {
  if (const DWORD error = change_directory(dir)) {
    SetLastError(error);
    throw rtl::EInOutError(static_cast<int>(error));
  }
}

bool FileExists(const AnsiString& name) {
  struct stat info {};
  return stat_of(name, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const AnsiString& name) {
  struct stat info {};
  return stat_of(name, info) && S_ISDIR(info.st_mode);
}

}  // namespace win32
