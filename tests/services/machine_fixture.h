// A machine for the system's unit tests: empty hives of the chosen architecture, values
// seeded through the registry code, the machine opened as the current one.
#pragma once

#include <memory>

#include "platform/win32/machine.h"
#include "platform/win32/registry.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class MachineFixture {
 public:
  explicit MachineFixture(win32::detail::HiveArch arch = win32::detail::HiveArch::Win32) {
    make_machine_dir(dir.path());
    win32::detail::RegistryHives::create_empty(dir.path(), arch);
    machine = std::make_unique<win32::Machine>(dir.path());
    scope = std::make_unique<win32::MachineScope>(*machine);
    // HKEY_CLASSES_ROOT is a key every Windows has.
    win32::TRegistry reg;
    reg.RootKey(win32::HKEY_LOCAL_MACHINE);
    reg.OpenKey("Software\\Classes", true);
  }

  // Writes a string value in the 32-bit program's view, creating its keys.
  void set(win32::HKEY root, const char* key, const char* name, const rtl::AnsiString& value) {
    win32::TRegistry reg;
    reg.RootKey(root);
    if (!reg.OpenKey(key, true)) throw std::runtime_error(std::string("cannot create ") + key);
    reg.WriteString(name, value);
  }
  void set_integer(win32::HKEY root, const char* key, const char* name, int value) {
    win32::TRegistry reg;
    reg.RootKey(root);
    if (!reg.OpenKey(key, true)) throw std::runtime_error(std::string("cannot create ") + key);
    reg.WriteInteger(name, value);
  }

  TempDir dir;
  std::unique_ptr<win32::Machine> machine;
  std::unique_ptr<win32::MachineScope> scope;
};

}  // namespace testing_support
