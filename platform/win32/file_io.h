// Delphi's text files and untyped files on the machine, with the runtime's call shapes
// and its EInOutError codes.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/rtl/ansi.h"
#include "platform/win32/host.h"

namespace win32 {

using rtl::AnsiString;

// Access used by Reset on an untyped file: 0 read, 1 write, 2 read and write (Delphi's
// default; set 0 to open read-only files).
extern int FileMode;

namespace detail {

// What both kinds of file share: the assigned name and the open handle, closed when the
// variable goes out of scope.
class FileVariable {
 public:
  FileVariable() = default;
  FileVariable(const FileVariable&) = delete;
  FileVariable& operator=(const FileVariable&) = delete;

  bool IsOpen() const { return static_cast<bool>(fd_); }

 protected:
  void assign(const AnsiString& name);
  // Opens the assigned file; raises EInOutError with the Windows error.
  void open(int flags, bool writing);
  // Closes; raises EInOutError 103 when it was not open.
  void close();
  void require_open() const;

  AnsiString name_;
  bool assigned_ = false;
  HostFd fd_;
};

}  // namespace detail

class TextFile : public detail::FileVariable {
  friend void AssignFile(TextFile& f, const AnsiString& name);
  friend void Append(TextFile& f);
  friend void Rewrite(TextFile& f);
  friend void Write(TextFile& f, std::string_view text);
  friend void CloseFile(TextFile& f);
};

// Untyped file ("file" in Delphi) counted in records of a size chosen at Reset.
class File : public detail::FileVariable {
  friend void AssignFile(File& f, const AnsiString& name);
  friend void Reset(File& f, int recordSize);
  friend std::int64_t FileSize(File& f);
  friend void CloseFile(File& f);

  int record_size_ = 128;
};

// Every operation below raises rtl::EInOutError: 102 for a file never assigned, 103 for
// one not open, 101 for a full disk, else the Windows error (2 no file, 3 no folder,
// 5 access denied).

// Names the file; an open file is closed first.
void AssignFile(TextFile& f, const AnsiString& name);
// Opens an existing file for writing at its end.
void Append(TextFile& f);
// Creates the file, or empties an existing one, for writing.
void Rewrite(TextFile& f);
// ANSI bytes as they are; each call reaches the file before it returns, so lines written
// before the program ends abruptly are kept.
void Write(TextFile& f, std::string_view text);
// The text and a CR LF line end.
void Writeln(TextFile& f, std::string_view text = {});
void CloseFile(TextFile& f);

void AssignFile(File& f, const AnsiString& name);
// Opens an existing file with the access FileMode names; an open file is reopened.
void Reset(File& f, int recordSize = 128);
// The length in whole records: the remainder is dropped, so 1000 and 1020 bytes are both
// seven records of 128.
std::int64_t FileSize(File& f);
void CloseFile(File& f);

}  // namespace win32
