// Messages of the runtime's I/O errors.
#include "platform/rtl/exceptions.h"

namespace rtl {

AnsiString InOutErrorMessage(int error_code) {
  switch (error_code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(error_code);
  }
}

EInOutError::EInOutError(int error_code) : Exception(InOutErrorMessage(error_code)), ErrorCode(error_code) {}

}  // namespace rtl
