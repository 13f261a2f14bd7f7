// Whole-file replacement through a temporary file and rename.
#include "platform/win32/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <random>

#include "platform/win32/host.h"

namespace win32::detail {

DWORD replace_file(const std::filesystem::path& target, std::string_view bytes, bool sync) {
  HostOs& os = host();
  static std::mt19937 random{std::random_device{}()};
  std::filesystem::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = target.parent_path() / (".setup-" + std::to_string(random() % 1000000000u) + ".tmp");
    fd = os.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno != EEXIST) return error_from_errno(errno);
  }
  if (fd < 0) return ERROR_ACCESS_DENIED;

  int error = write_all(fd, bytes);
  if (!error && sync && os.fsync(fd) != 0) error = errno;
  if (os.close(fd) != 0 && !error) error = errno;
  if (!error && os.rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    os.unlink(temp.c_str());
    return error_from_errno(error);
  }
  return ERROR_SUCCESS;
}

}  // namespace win32::detail
