// The installation's registry writes through TRegistry, each in its own accessor.
#include "services/ComRegUnit.h"

#include <initializer_list>

#include "platform/win32/registry.h"

namespace {

using rtl::AnsiString;

// Opens `keys` one below the other; every error, wherever it happens, ends the operation
// silently: the installation goes on whether the value was written or not.
template <typename Write>
void with_key(win32::HKEY root, std::initializer_list<AnsiString> keys, bool can_create, Write&& write) {
  try {
    win32::TRegistry reg(win32::KEY_ALL_ACCESS);
    reg.RootKey(root);
    for (const AnsiString& key : keys)
      if (!reg.OpenKey(key, can_create)) return;
    write(reg);
    reg.CloseKey();
  } catch (...) {
  }
}

const AnsiString kSuiteKey = "CrossWord Tyx";

}  // namespace

void WriteClassesRootValue(const AnsiString& key, const AnsiString& subkey, const AnsiString& name,
                           const AnsiString& value) {
  with_key(win32::HKEY_CLASSES_ROOT, {key, subkey}, true, [&](win32::TRegistry& reg) { reg.WriteString(name, value); });
}

void WriteClassesRootDefault(const AnsiString& key, const AnsiString& subkey, const AnsiString& value) {
  WriteClassesRootValue(key, subkey, "", value);
}

void WriteSuiteString(const AnsiString& group, const AnsiString& subkey, const AnsiString& name,
                      const AnsiString& value) {
  with_key(win32::HKEY_LOCAL_MACHINE, {"SOFTWARE", kSuiteKey, group, subkey}, true,
           [&](win32::TRegistry& reg) { reg.WriteString(name, value); });
}

void WriteSuiteInteger(const AnsiString& group, const AnsiString& subkey, const AnsiString& name,
                       std::int32_t value) {
  with_key(win32::HKEY_LOCAL_MACHINE, {"SOFTWARE", kSuiteKey, group, subkey}, true,
           [&](win32::TRegistry& reg) { reg.WriteInteger(name, value); });
}

void RegisterFontIfMissing(const AnsiString& font_name, const AnsiString& file_name) {
  with_key(win32::HKEY_LOCAL_MACHINE, {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion", "Fonts"}, false,
           [&](win32::TRegistry& reg) {
             // A value of another type raises here, which also leaves it alone.
             if (reg.ReadString(font_name).empty()) reg.WriteString(font_name, file_name);
           });
}
