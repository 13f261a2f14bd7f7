// Reading one registry string through an accessor made and released for the read.
#include "services/RegistryRead.h"

#include "platform/rtl/exceptions.h"

std::optional<rtl::AnsiString> ReadRegistryText(win32::HKEY root, std::initializer_list<const char*> keys,
                                                const rtl::AnsiString& value) {
  try {
    win32::TRegistry registry;
    registry.RootKey(root);
    for (const char* key : keys)
      if (!registry.OpenKey(key, false)) return rtl::AnsiString();
    return registry.ReadString(value);
  } catch (const rtl::Exception&) {
    return std::nullopt;
  }
}
