// COM apartment bookkeeping and MultiByteToWideChar.
#include "platform/win32/com.h"

#include <cstring>
#include <string_view>

#include "platform/rtl/ansi.h"

namespace win32 {
namespace {
thread_local int init_count = 0;
}

HRESULT CoInitialize(void*) { return init_count++ == 0 ? S_OK : S_FALSE; }

bool detail::com_initialised() { return init_count > 0; }

void CoUninitialize() {
  if (init_count > 0) --init_count;
}

int MultiByteToWideChar(UINT code_page, DWORD, const char* ansi, int size, char16_t* wide, int wide_size) {
  if (code_page != CP_ACP || !ansi || size == 0 || size < -1 || wide_size < 0 || (!wide && wide_size > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::size_t length = size == -1 ? std::strlen(ansi) + 1 : static_cast<std::size_t>(size);
  const std::u16string converted = rtl::ansi_to_utf16(std::string_view(ansi, length));
  if (wide_size == 0) return static_cast<int>(converted.size());
  if (static_cast<std::size_t>(wide_size) < converted.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(wide, converted.data(), converted.size() * sizeof(char16_t));
  return static_cast<int>(converted.size());
}

}  // namespace win32
