// COM initialisation and the ANSI to UTF-16 conversion of the Windows API.
#pragma once

#include "platform/win32/types.h"

namespace win32 {

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr UINT CP_ACP = 0;

// S_OK the first time on the thread, S_FALSE after that, as Windows answers.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();
namespace detail {
bool com_initialised();
}

// Converts `size` ANSI bytes (-1: up to and including the terminating zero) into `wide`.
// With `wide_size` 0 it returns the length needed; 0 with ERROR_INSUFFICIENT_BUFFER when
// the buffer is too small. Only CP_ACP (Windows-1252 here) is known.
int MultiByteToWideChar(UINT code_page, DWORD flags, const char* ansi, int size, char16_t* wide, int wide_size);

}  // namespace win32
