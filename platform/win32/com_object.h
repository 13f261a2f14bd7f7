// The little of COM the system uses: GUIDs, IUnknown with reference counting, results.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

#include "platform/win32/types.h"

namespace win32 {

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2, Data3;
  std::uint8_t Data4[8];
  bool operator==(const GUID& other) const { return std::memcmp(this, &other, sizeof(GUID)) == 0; }
};
using CLSID = GUID;
using IID = GUID;
using ULONG = std::uint32_t;

inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
inline constexpr DWORD CLSCTX_INPROC_SERVER = 1;

constexpr HRESULT HRESULT_FROM_WIN32(DWORD error) {
  return error == 0 ? 0 : static_cast<HRESULT>((error & 0xFFFF) | 0x80070000u);
}

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

namespace detail {
// Reference counting shared by our COM objects; the last Release deletes the object.
template <typename Self>
class RefCounted {
 public:
  ULONG add_ref() { return ++count_; }
  ULONG release() {
    const ULONG left = --count_;
    if (left == 0) delete static_cast<Self*>(this);
    return left;
  }

 private:
  std::atomic<ULONG> count_{1};
};
}  // namespace detail

}  // namespace win32
