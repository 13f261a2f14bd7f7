// The thread's last error and the translation of host failures into Windows codes.
#include <cerrno>

#include "platform/win32/types.h"

namespace win32 {
namespace {
thread_local DWORD last_error = ERROR_SUCCESS;
}

DWORD GetLastError() { return last_error; }
void SetLastError(DWORD error) { last_error = error; }

DWORD error_from_errno(int error) {
  switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return ERROR_NOT_READY;
    case EIO: return ERROR_WRITE_FAULT;
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_ACCESS_DENIED;
  }
}

}  // namespace win32
