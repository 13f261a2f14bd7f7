// Delphi's file variables over the host, opened through the machine's paths.
#include "platform/win32/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/rtl/exceptions.h"
#include "platform/win32/files.h"
#include "platform/win32/host.h"
#include "platform/win32/paths.h"

namespace win32 {

int FileMode = 2;

namespace {

constexpr int kDiskFull = 101;
constexpr int kNotAssigned = 102;
constexpr int kNotOpen = 103;

[[noreturn]] void fail(int code) { throw rtl::EInOutError(code); }

int io_code_of(int error) {
  if (error == ENOSPC || error == EDQUOT) return kDiskFull;
  if (error == EIO) return static_cast<int>(ERROR_WRITE_FAULT);
  return static_cast<int>(error_from_errno(error));
}

}  // namespace

namespace detail {

void FileVariable::assign(const AnsiString& name) {
  fd_.reset();
  name_ = name;
  assigned_ = true;
}

void FileVariable::open(int flags, bool writing) {
  if (!assigned_) fail(kNotAssigned);
  // Delphi closes a file that is still open before opening it again.
  fd_.reset();
  const ResolvedPath path = resolve_path(name_);
  if (!path) fail(static_cast<int>(path.error));
  struct stat info {};
  const bool exists = host().stat(path.host.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) fail(static_cast<int>(ERROR_ACCESS_DENIED));
  // Windows refuses to write a read-only file whoever asks, root included.
  if (exists && writing && (info.st_mode & 0222) == 0) fail(static_cast<int>(ERROR_ACCESS_DENIED));
  fd_ = HostFd(host().open(path.host.c_str(), flags, 0666));
  if (!fd_) fail(static_cast<int>(error_of_lookup(errno, path)));
}

void FileVariable::close() {
  if (!assigned_) fail(kNotAssigned);
  if (!fd_) fail(kNotOpen);
  if (fd_.close() != 0) fail(io_code_of(errno));
}

void FileVariable::require_open() const {
  if (!assigned_) fail(kNotAssigned);
  if (!fd_) fail(kNotOpen);
}

}  // namespace detail

void AssignFile(TextFile& f, const AnsiString& name) { f.assign(name); }

void Append(TextFile& f) { f.open(O_WRONLY | O_APPEND, true); }

void Rewrite(TextFile& f) { f.open(O_WRONLY | O_CREAT | O_TRUNC, true); }

void Write(TextFile& f, std::string_view text) {
  f.require_open();
  if (const int error = detail::write_all(f.fd_.get(), text)) fail(io_code_of(error));
}

void Writeln(TextFile& f, std::string_view text) {
  // One write per line, so a line is never split by a failure between text and line end.
  AnsiString line;
  line.reserve(text.size() + 2);
  line.append(text);
  line.append("\r\n");
  Write(f, line);
}

void CloseFile(TextFile& f) { f.close(); }

void AssignFile(File& f, const AnsiString& name) { f.assign(name); }

void Reset(File& f, int recordSize) {
  if (recordSize <= 0) fail(static_cast<int>(ERROR_INVALID_PARAMETER));
  static constexpr int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};
  const int access = FileMode & 3;
  if (access == 3) fail(static_cast<int>(ERROR_INVALID_PARAMETER));
  f.open(kAccess[access], access != 0);
  f.record_size_ = recordSize;
}

std::int64_t FileSize(File& f) {
  f.require_open();
  struct stat info {};
  if (detail::host().fstat(f.fd_.get(), &info) != 0) fail(io_code_of(errno));
  return static_cast<std::int64_t>(info.st_size) / f.record_size_;
}

void CloseFile(File& f) { f.close(); }

}  // namespace win32
