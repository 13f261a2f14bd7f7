// A host that fails chosen calls, so tests can see what a full disk, a vanished medium or
// a failed rename leaves behind.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "platform/win32/host.h"

namespace testing_support {

class FaultHost : public win32::detail::HostOs {
 public:
  static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

  // The kernel copy taken does not depend on the file system the test runs on.
  bool kernel_copy = true;               // false: neither kernel copy, only reads and writes
  bool splice = true;                    // false: no splice copy; copy_file_range instead
  std::size_t copy_chunk = kUnlimited;   // most bytes one kernel copy call moves
  int copy_calls_before_error = -1;      // kernel copy calls that succeed before copy_errno
  int copy_errno = ENOSPC;
  std::function<void()> after_first_copy_chunk;
  std::size_t write_budget = kUnlimited; // bytes write() accepts; the write crossing it is short
  int reads_before_error = -1;           // read calls that succeed before read_errno
  int read_errno = EIO;
  int create_errno = 0;                  // open() with O_CREAT, and open_tmpfile()
  bool unnamed_files = true;             // false: open_tmpfile() is unsupported
  int rename_errno = 0;
  int link_errno = 0;
  std::function<void(const char* to)> before_link;
  int xattr_errno = 0;                   // getxattr, setxattr and removexattr
  int setxattr_errno = 0;                // setxattr alone
  bool xattr_needs_write = false;        // setxattr refuses files without a write bit, as for non-root
  std::uint32_t fs_type = 0;             // non-zero: the file system type statfs reports
  int opens = 0;
  int closes = 0;

  int open(const char* path, int flags, mode_t mode) override {
    if ((flags & O_CREAT) && create_errno) return fail(create_errno);
    const int fd = HostOs::open(path, flags, mode);
    if (fd >= 0) ++opens;
    return fd;
  }
  int open_tmpfile(const char* folder, mode_t mode) override {
    if (create_errno) return fail(create_errno);
    if (!unnamed_files) return fail(EOPNOTSUPP);
    const int fd = HostOs::open_tmpfile(folder, mode);
    if (fd >= 0) ++opens;
    return fd;
  }
  int open_tmpfile_at(int folder_fd, mode_t mode) override {
    if (create_errno) return fail(create_errno);
    if (!unnamed_files) return fail(EOPNOTSUPP);
    const int fd = HostOs::open_tmpfile_at(folder_fd, mode);
    if (fd >= 0) ++opens;
    return fd;
  }
  int close(int fd) override {
    ++closes;
    return HostOs::close(fd);
  }
  ssize_t copy_file_range(int in_fd, int out_fd, std::size_t size) override {
    if (!kernel_copy) return fail(EXDEV);
    return kernel_copy_step(size, [&](std::size_t n) { return HostOs::copy_file_range(in_fd, out_fd, n); });
  }
  bool offloads_copies(int, dev_t) override { return !splice; }
  ssize_t splice_copy(int in_fd, int out_fd, std::size_t size) override {
    if (!kernel_copy || !splice) return fail(EINVAL);
    return kernel_copy_step(size, [&](std::size_t n) { return HostOs::splice_copy(in_fd, out_fd, n); });
  }
  ssize_t read(int fd, void* buffer, std::size_t size) override {
    if (reads_before_error == 0) return fail(read_errno);
    if (reads_before_error > 0) --reads_before_error;
    return HostOs::read(fd, buffer, size);
  }
  ssize_t write(int fd, const void* buffer, std::size_t size) override {
    if (write_budget == 0) return fail(ENOSPC);
    if (size > write_budget) size = write_budget;
    const ssize_t n = HostOs::write(fd, buffer, size);
    if (n > 0 && write_budget != kUnlimited) write_budget -= static_cast<std::size_t>(n);
    return n;
  }
  int rename(const char* from, const char* to) override {
    return rename_errno ? fail(rename_errno) : HostOs::rename(from, to);
  }
  int link(const char* from, const char* to) override {
    if (before_link) before_link(to);
    return link_errno ? fail(link_errno) : HostOs::link(from, to);
  }
  int link_fd(int fd, const char* to) override {
    if (before_link) before_link(to);
    return link_errno ? fail(link_errno) : HostOs::link_fd(fd, to);
  }
  int link_fd_at(int fd, int folder_fd, const char* name) override {
    if (before_link) before_link(path_in(folder_fd, name).c_str());
    return link_errno ? fail(link_errno) : HostOs::link_fd_at(fd, folder_fd, name);
  }
  int statfs(const char* path, struct statfs* info) override {
    const int result = HostOs::statfs(path, info);
    if (result == 0 && fs_type) info->f_type = fs_type;
    return result;
  }
  ssize_t getxattr(const char* path, const char* name, void* value, std::size_t size) override {
    return xattr_errno ? fail(xattr_errno) : HostOs::getxattr(path, name, value, size);
  }
  int setxattr(const char* path, const char* name, const void* value, std::size_t size) override {
    if (xattr_errno || setxattr_errno) return fail(xattr_errno ? xattr_errno : setxattr_errno);
    struct stat info {};
    if (xattr_needs_write && HostOs::stat(path, &info) == 0 && (info.st_mode & 0222) == 0) return fail(EACCES);
    return HostOs::setxattr(path, name, value, size);
  }
  ssize_t getxattr_at(int dir_fd, const char* entry, const char* name, void* value, std::size_t size) override {
    return xattr_errno ? fail(xattr_errno) : HostOs::getxattr_at(dir_fd, entry, name, value, size);
  }
  ssize_t fgetxattr(int fd, const char* name, void* value, std::size_t size) override {
    return xattr_errno ? fail(xattr_errno) : HostOs::fgetxattr(fd, name, value, size);
  }
  int fsetxattr(int fd, const char* name, const void* value, std::size_t size) override {
    if (xattr_errno || setxattr_errno) return fail(xattr_errno ? xattr_errno : setxattr_errno);
    struct stat info {};
    if (xattr_needs_write && HostOs::fstat(fd, &info) == 0 && (info.st_mode & 0222) == 0) return fail(EACCES);
    return HostOs::fsetxattr(fd, name, value, size);
  }
  int removexattr(const char* path, const char* name) override {
    return xattr_errno ? fail(xattr_errno) : HostOs::removexattr(path, name);
  }

 private:
  // One step of either kernel copy, with the faults asked for.
  template <typename Copy>
  ssize_t kernel_copy_step(std::size_t size, Copy copy) {
    if (copy_calls_before_error == 0) return fail(copy_errno);
    if (copy_calls_before_error > 0) --copy_calls_before_error;
    const ssize_t n = copy(size < copy_chunk ? size : copy_chunk);
    if (n > 0 && after_first_copy_chunk) std::exchange(after_first_copy_chunk, nullptr)();
    return n;
  }
  static std::string path_in(int folder_fd, const char* name) {
    char folder[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(folder_fd);
    const ssize_t n = ::readlink(link.c_str(), folder, sizeof folder);
    return std::string(folder, n > 0 ? static_cast<std::size_t>(n) : 0) + '/' + name;
  }
  static int fail(int error) {
    errno = error;
    return -1;
  }
};

}  // namespace testing_support
