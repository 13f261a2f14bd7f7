// The shell's link object (IShellLinkA with IPersistFile), writing real .lnk files.
#pragma once

#include "platform/win32/com_object.h"

namespace win32 {

inline constexpr CLSID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

class IShellLinkA : public IUnknown {
 public:
  virtual HRESULT SetPath(const char* file) = 0;
  virtual HRESULT SetDescription(const char* name) = 0;
  virtual HRESULT SetWorkingDirectory(const char* dir) = 0;
  virtual HRESULT SetArguments(const char* args) = 0;
  virtual HRESULT GetPath(char* file, int size) = 0;
};

class IPersistFile : public IUnknown {
 public:
  // `file_name` is a zero-terminated UTF-16 path; `remember` makes it the object's file.
  virtual HRESULT Save(const char16_t* file_name, BOOL remember) = 0;
};

// Knows the shell link class only; fails with CO_E_NOTINITIALIZED before CoInitialize.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object);

}  // namespace win32
