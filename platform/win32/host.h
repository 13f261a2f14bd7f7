// The one seam between the emulated machine and the host OS: every POSIX call of the
// Windows layer goes through it, so tests can inject a full disk or a failed rename.
#pragma once

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win32::detail {

// Each call returns what its POSIX namesake returns and sets errno the same way.
class HostOs {
 public:
  virtual ~HostOs() = default;
  virtual int open(const char* path, int flags, mode_t mode);
  virtual int close(int fd);
  virtual ssize_t read(int fd, void* buffer, std::size_t size);
  virtual ssize_t write(int fd, const void* buffer, std::size_t size);
  virtual off_t lseek(int fd, off_t offset, int whence);
  virtual ssize_t copy_file_range(int in_fd, int out_fd, std::size_t size);
  // Moves up to `size` bytes from `in_fd`'s position to `out_fd`'s through a pipe of the
  // calling thread (two splices), so they never pass through user memory. Returns what
  // copy_file_range would: the count moved, 0 at the input's end, or -1 and errno.
  virtual ssize_t splice_copy(int in_fd, int out_fd, std::size_t size);
  // Whether copy_file_range may share extents or copy on a server for files of the file
  // system of `fd`, whose device is `device` (btrfs, XFS, bcachefs, ZFS, NFS, SMB).
  virtual bool offloads_copies(int fd, dev_t device);
  virtual int fsync(int fd);
  virtual int fstat(int fd, struct stat* info);
  virtual int stat(const char* path, struct stat* info);
  virtual int lstat(const char* path, struct stat* info);
  virtual int fstatat(int dir_fd, const char* name, struct stat* info, int flags);
  virtual int futimens(int fd, const struct timespec times[2]);
  virtual int fchmod(int fd, mode_t mode);
  virtual int chmod(const char* path, mode_t mode);
  virtual int rename(const char* from, const char* to);
  virtual int link(const char* from, const char* to);
  // An unnamed regular file in `folder` that vanishes when closed unless link_fd gives it
  // a name (O_TMPFILE); fails with EOPNOTSUPP or EISDIR where unsupported.
  virtual int open_tmpfile(const char* folder, mode_t mode);
  // Links the file open as `fd` at `to`, failing with EEXIST when that name exists.
  virtual int link_fd(int fd, const char* to);
  // The same two inside the folder open as `folder_fd`, which spares the walk to it.
  virtual int open_tmpfile_at(int folder_fd, mode_t mode);
  virtual int link_fd_at(int fd, int folder_fd, const char* name);
  // A descriptor that only names a folder (O_PATH), for the calls above.
  virtual int open_folder(const char* path);
  virtual int unlink(const char* path);
  virtual int mkdir(const char* path, mode_t mode);
  virtual int rmdir(const char* path);
  virtual ssize_t readlink(const char* path, char* buffer, std::size_t size);
  virtual int access(const char* path, int mode);
  virtual ssize_t getxattr(const char* path, const char* name, void* value, std::size_t size);
  virtual ssize_t fgetxattr(int fd, const char* name, void* value, std::size_t size);
  // getxattr of `entry` inside the folder open as `dir_fd`; ENOSYS on kernels before 6.13.
  virtual ssize_t getxattr_at(int dir_fd, const char* entry, const char* name, void* value, std::size_t size);
  virtual int fsetxattr(int fd, const char* name, const void* value, std::size_t size);
  virtual int setxattr(const char* path, const char* name, const void* value, std::size_t size);
  virtual int removexattr(const char* path, const char* name);
  virtual int statvfs(const char* path, struct statvfs* info);
  virtual int statfs(const char* path, struct statfs* info);
  // A non-blocking, close-on-exec inotify descriptor and its events.
  virtual int inotify_init();
  virtual ssize_t inotify_read(int fd, void* buffer, std::size_t size);
  virtual int inotify_add_watch(int fd, const char* path, std::uint32_t mask);
  virtual int inotify_rm_watch(int fd, int wd);
  // The entry names of a folder without "." and "..", in the host's order.
  virtual int list_directory(const char* path, std::vector<std::string>& names);

 private:
  std::atomic<bool> no_getxattrat_{false};  // the kernel said so once; not asked again
  std::mutex offloads_mutex_;
  std::unordered_map<dev_t, bool> offloads_by_device_;
};

HostOs& host();

// A descriptor of the host that is closed when it goes out of scope.
class HostFd {
 public:
  HostFd() = default;
  explicit HostFd(int fd) : fd_(fd) {}
  ~HostFd() { reset(); }
  HostFd(HostFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  HostFd& operator=(HostFd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now and returns close()'s result, so a late write error is not lost.
  int close();
  void reset() { close(); }

 private:
  int fd_ = -1;
};

// Writes all of `bytes` to `fd`, however many writes it takes: 0, or the errno of the
// write that failed (ENOSPC for one that wrote nothing).
int write_all(int fd, std::string_view bytes);

// Replaces the host for the lifetime of the scope (tests only). State kept from one host's
// answers (folder listings) is dropped at both ends.
class ScopedHost {
 public:
  explicit ScopedHost(HostOs& replacement);
  ~ScopedHost();
  ScopedHost(const ScopedHost&) = delete;
  ScopedHost& operator=(const ScopedHost&) = delete;

 private:
  HostOs* previous_;
};

}  // namespace win32::detail
