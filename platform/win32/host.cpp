// The real host: thin forwarding to POSIX and Linux calls.
#include "platform/win32/host.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/win32/folder_cache.h"

namespace win32::detail {

int HostOs::open(const char* path, int flags, mode_t mode) { return ::open(path, flags | O_CLOEXEC, mode); }
int HostOs::close(int fd) { return ::close(fd); }
ssize_t HostOs::read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t HostOs::write(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
off_t HostOs::lseek(int fd, off_t offset, int whence) { return ::lseek(fd, offset, whence); }
ssize_t HostOs::copy_file_range(int in_fd, int out_fd, std::size_t size) {
  return ::copy_file_range(in_fd, nullptr, out_fd, nullptr, size, 0);
}

namespace {

// The pipe a thread's splice copies pass through, made on first use and kept.
class CopyPipe {
 public:
  ~CopyPipe() { reset(); }
  bool ready() {
    if (read_end_ >= 0) return true;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return false;
    read_end_ = ends[0];
    write_end_ = ends[1];
    // 1 MiB is the largest size an unprivileged process may ask for by default; a pipe
    // left at its default size still works, in smaller steps.
    ::fcntl(write_end_, F_SETPIPE_SZ, 1 << 20);
    const int size = ::fcntl(write_end_, F_GETPIPE_SZ);
    capacity_ = size > 0 ? static_cast<std::size_t>(size) : 65536;
    return true;
  }
  // Drops whatever a failed copy left in the pipe along with the pipe.
  void reset() {
    if (read_end_ >= 0) ::close(read_end_);
    if (write_end_ >= 0) ::close(write_end_);
    read_end_ = write_end_ = -1;
  }
  int read_end() const { return read_end_; }
  int write_end() const { return write_end_; }
  std::size_t capacity() const { return capacity_; }

 private:
  int read_end_ = -1;
  int write_end_ = -1;
  std::size_t capacity_ = 0;
};

thread_local CopyPipe copy_pipe;

}  // namespace

ssize_t HostOs::splice_copy(int in_fd, int out_fd, std::size_t size) {
  CopyPipe& pipe = copy_pipe;
  if (!pipe.ready()) return -1;
  // The pipe is empty between calls; were it ever not, filling it must fail, not wait.
  const ssize_t moved =
      ::splice(in_fd, nullptr, pipe.write_end(), nullptr, std::min(size, pipe.capacity()), SPLICE_F_NONBLOCK);
  if (moved < 0 && errno == EAGAIN) {
    pipe.reset();
    errno = EAGAIN;
  }
  if (moved <= 0) return moved;
  for (ssize_t left = moved; left > 0;) {
    const ssize_t n = ::splice(pipe.read_end(), nullptr, out_fd, nullptr, static_cast<std::size_t>(left), 0);
    if (n > 0) {
      left -= n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    const int error = n == 0 ? EIO : errno;
    pipe.reset();  // what it still holds belongs to no file
    errno = error;
    return -1;
  }
  return moved;
}

bool HostOs::offloads_copies(int fd, dev_t device) {
  std::lock_guard lock(offloads_mutex_);
  if (const auto known = offloads_by_device_.find(device); known != offloads_by_device_.end()) return known->second;
  struct statfs info {};
  bool offloads = false;
  if (::fstatfs(fd, &info) == 0) {
    switch (static_cast<std::uint32_t>(info.f_type)) {
      case 0x9123683E:  // btrfs
      case 0x58465342:  // xfs
      case 0xCA451A4E:  // bcachefs
      case 0x2FC12FC1:  // zfs
      case 0x7461636F:  // ocfs2
      case 0x6969:      // nfs
      case 0xFF534D42:  // cifs
      case 0xFE534D42:  // smb2
        offloads = true;
        break;
      default:
        break;
    }
  }
  offloads_by_device_.emplace(device, offloads);
  return offloads;
}
int HostOs::fsync(int fd) { return ::fsync(fd); }
int HostOs::fstat(int fd, struct stat* info) { return ::fstat(fd, info); }
int HostOs::stat(const char* path, struct stat* info) { return ::stat(path, info); }
int HostOs::lstat(const char* path, struct stat* info) { return ::lstat(path, info); }
int HostOs::fstatat(int dir_fd, const char* name, struct stat* info, int flags) {
  return ::fstatat(dir_fd, name, info, flags);
}
int HostOs::futimens(int fd, const struct timespec times[2]) { return ::futimens(fd, times); }
int HostOs::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int HostOs::chmod(const char* path, mode_t mode) { return ::chmod(path, mode); }
int HostOs::rename(const char* from, const char* to) { return ::rename(from, to); }
int HostOs::link(const char* from, const char* to) { return ::link(from, to); }
int HostOs::open_tmpfile(const char* folder, mode_t mode) { return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode); }
namespace {

// Newer kernels let the opener link its own descriptor; older ones only through /proc.
int link_descriptor(int fd, int folder_fd, const char* to) {
  if (::linkat(fd, "", folder_fd, to, AT_EMPTY_PATH) == 0) return 0;
  if (errno != ENOENT && errno != EPERM && errno != EINVAL) return -1;
  char proc_path[40];
  std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd);
  return ::linkat(AT_FDCWD, proc_path, folder_fd, to, AT_SYMLINK_FOLLOW);
}

}  // namespace

int HostOs::link_fd(int fd, const char* to) { return link_descriptor(fd, AT_FDCWD, to); }
int HostOs::open_tmpfile_at(int folder_fd, mode_t mode) {
  return ::openat(folder_fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}
int HostOs::link_fd_at(int fd, int folder_fd, const char* name) { return link_descriptor(fd, folder_fd, name); }
int HostOs::open_folder(const char* path) { return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC); }
int HostOs::unlink(const char* path) { return ::unlink(path); }
int HostOs::mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int HostOs::rmdir(const char* path) { return ::rmdir(path); }
ssize_t HostOs::readlink(const char* path, char* buffer, std::size_t size) { return ::readlink(path, buffer, size); }
int HostOs::access(const char* path, int mode) { return ::access(path, mode); }
ssize_t HostOs::getxattr(const char* path, const char* name, void* value, std::size_t size) {
  return ::getxattr(path, name, value, size);
}
ssize_t HostOs::fgetxattr(int fd, const char* name, void* value, std::size_t size) {
  return ::fgetxattr(fd, name, value, size);
}
ssize_t HostOs::getxattr_at(int dir_fd, const char* entry, const char* name, void* value, std::size_t size) {
  // Linux's number for getxattrat, the same on every architecture; older C libraries
  // do not know it yet.
  constexpr long kGetxattrat = 464;
  struct {
    std::uint64_t value;
    std::uint32_t size;
    std::uint32_t flags;
  } args{reinterpret_cast<std::uintptr_t>(value), static_cast<std::uint32_t>(size), 0};
  if (!no_getxattrat_.load(std::memory_order_relaxed)) {
    const long n = ::syscall(kGetxattrat, dir_fd, entry, 0, name, &args, sizeof args);
    if (n >= 0 || errno != ENOSYS) return n;
    no_getxattrat_.store(true, std::memory_order_relaxed);
  }
  errno = ENOSYS;
  return -1;
}
int HostOs::fsetxattr(int fd, const char* name, const void* value, std::size_t size) {
  return ::fsetxattr(fd, name, value, size, 0);
}
int HostOs::setxattr(const char* path, const char* name, const void* value, std::size_t size) {
  return ::setxattr(path, name, value, size, 0);
}
int HostOs::removexattr(const char* path, const char* name) { return ::removexattr(path, name); }
int HostOs::statvfs(const char* path, struct statvfs* info) { return ::statvfs(path, info); }
int HostOs::statfs(const char* path, struct statfs* info) { return ::statfs(path, info); }
int HostOs::inotify_init() { return ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }
ssize_t HostOs::inotify_read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
int HostOs::inotify_add_watch(int fd, const char* path, std::uint32_t mask) { return ::inotify_add_watch(fd, path, mask); }
int HostOs::inotify_rm_watch(int fd, int wd) { return ::inotify_rm_watch(fd, wd); }

int HostOs::list_directory(const char* path, std::vector<std::string>& names) {
  DIR* dir = ::opendir(path);
  if (!dir) return -1;
  names.clear();
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  const int saved = errno;
  ::closedir(dir);
  errno = saved;
  return saved == 0 ? 0 : -1;
}

namespace {
HostOs real_host;
HostOs* active_host = &real_host;
}  // namespace

int write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = host().write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int HostFd::close() {
  if (fd_ < 0) return 0;
  const int result = host().close(fd_);
  fd_ = -1;
  return result;
}

HostOs& host() { return *active_host; }

ScopedHost::ScopedHost(HostOs& replacement) : previous_(active_host) {
  forget_folder_listings();
  active_host = &replacement;
}
ScopedHost::~ScopedHost() {
  forget_folder_listings();
  active_host = previous_;
}

}  // namespace win32::detail
