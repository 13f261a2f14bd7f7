// The runtime's exception classes, raised where the original runtime raises them.
#pragma once

#include <exception>
#include <string>

#include "platform/rtl/ansi.h"

namespace rtl {

class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  AnsiString Message;
};

// File input and output; ErrorCode is the runtime's I/O result (a Windows error code, or
// 100 for reading past the end, 101 for a full disk, 103 for a file not open).
class EInOutError : public Exception {
 public:
  explicit EInOutError(int error_code);
  int ErrorCode;
};

// A failed operating-system call; ErrorCode is the Windows error code.
class EOSError : public Exception {
 public:
  EOSError(unsigned long error_code, AnsiString message)
      : Exception(std::move(message)), ErrorCode(error_code) {}
  unsigned long ErrorCode;
};

class ERegistryException : public Exception {
  using Exception::Exception;
};

class EInvalidOperation : public Exception {
  using Exception::Exception;
};

class EConvertError : public Exception {
  using Exception::Exception;
};

// The runtime's text for an I/O result code.
AnsiString InOutErrorMessage(int error_code);

}  // namespace rtl
