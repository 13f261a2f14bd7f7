// The machine's registry: its hive files, the views a 32-bit program has of them, and the
// runtime's TRegistry class on top.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/ansi.h"
#include "platform/win32/machine.h"
#include "platform/win32/regfile.h"
#include "platform/win32/types.h"

namespace win32 {

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_SET_VALUE = 0x0002;
inline constexpr DWORD KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr DWORD KEY_WOW64_64KEY = 0x0100;
inline constexpr DWORD KEY_WOW64_32KEY = 0x0200;
inline constexpr DWORD KEY_READ = 0x20019;
inline constexpr DWORD KEY_WRITE = 0x20006;
inline constexpr DWORD KEY_ALL_ACCESS = 0xF003F;

// A value as a program reads it: its type and its bytes (strings in UTF-16LE).
struct RegValue {
  DWORD type = REG_NONE;
  std::string data;

  // The string of a REG_SZ or REG_EXPAND_SZ value in ANSI, up to its first NUL.
  std::optional<AnsiString> as_string() const;
  std::optional<DWORD> as_dword() const;
};

namespace detail {

// Setup is a 32-bit program: it sees a 64-bit machine through Wow6432Node; `Native` is
// what a 64-bit program sees. On a 32-bit machine both are the same.
enum class RegView { Wow32, Native };

struct KeyLocation {
  Hive* hive = nullptr;
  HiveKey* key = nullptr;
};

class RegistryHives {
 public:
  explicit RegistryHives(std::filesystem::path prefix);
  RegistryHives(const RegistryHives&) = delete;
  RegistryHives& operator=(const RegistryHives&) = delete;

  // Writes system.reg and user.reg with Wine's header and nothing else (a 64-bit machine
  // also gets Wine's shared Wow6432Node links); existing files are left alone.
  static void create_empty(const std::filesystem::path& prefix, HiveArch arch);

  // Each hive is parsed on first use, at most once; a hive that cannot be parsed raises
  // rtl::ERegistryException here, every time, and is never written.
  Hive& machine();
  Hive& user();

  // Where a predefined root key leads in the given view.
  KeyLocation open_root(HKEY root, RegView view);
  // Opens (or, with `create`, creates level by level) `path` below `base` the way
  // wineserver resolves it. Returns a Windows error code; `created` tells whether a key
  // was added.
  DWORD open(KeyLocation base, std::u16string_view path, RegView view, bool create, KeyLocation& out,
             bool* created = nullptr);

  // Writes the hive to a temporary file in the prefix, syncs it and renames it into
  // place; raises rtl::ERegistryException on failure (the old file stays as it was).
  void save(Hive& hive);

 private:
  Hive& load(std::optional<Hive>& slot, std::optional<std::string>& error, const char* file, const char* root);
  HiveArch guess_arch();
  std::optional<KeyLocation> follow_link(KeyLocation key);
  HiveKey* wow64_subkey(const KeyLocation& key, std::u16string_view token);
  bool is_wow_share(const KeyLocation& key);

  std::filesystem::path prefix_;
  std::optional<Hive> machine_, user_;
  std::optional<std::string> machine_error_, user_error_;
};

}  // namespace detail

// Reads one value in the view a 32-bit program has; nullopt when the key or value is
// missing or the hive cannot be read.
std::optional<RegValue> read_value(const Machine& machine, HKEY root, const AnsiString& key_path,
                                   const AnsiString& name);

// The runtime's registry accessor. Changes are saved to the hive files when the key is
// closed or the accessor released.
class TRegistry {
 public:
  explicit TRegistry(DWORD access = KEY_ALL_ACCESS);  // on current_machine()
  explicit TRegistry(detail::RegistryHives& hives, DWORD access = KEY_ALL_ACCESS);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return root_; }
  void RootKey(HKEY root);  // closes the open key first
  DWORD Access() const { return access_; }
  void Access(DWORD access) { access_ = access; }
  const AnsiString& CurrentPath() const { return current_path_; }
  bool HasCurrentKey() const { return current_.key != nullptr; }

  // Opens `key` relative to the open key (relative to the root when it starts with a
  // backslash or nothing is open); false when it does not exist or cannot be created.
  bool OpenKey(const AnsiString& key, bool can_create);
  bool OpenKeyReadOnly(const AnsiString& key);
  bool KeyExists(const AnsiString& key);
  bool ValueExists(const AnsiString& name);

  AnsiString ReadString(const AnsiString& name);
  std::int32_t ReadInteger(const AnsiString& name);
  void WriteString(const AnsiString& name, const AnsiString& value);
  void WriteExpandString(const AnsiString& name, const AnsiString& value);
  void WriteInteger(const AnsiString& name, std::int32_t value);
  bool DeleteValue(const AnsiString& name);

  // Closes the open key and saves every hive this accessor changed.
  void CloseKey();

 private:
  // The key a name is relative to: the open key, or the root key for a name that starts
  // with a backslash (which is taken off `path`) or when no key is open.
  struct Base {
    detail::KeyLocation key;
    DWORD access;
    bool is_open_key;
  };
  Base base_of(AnsiString& path);
  detail::RegView view() const;
  std::optional<RegValue> query(const AnsiString& name);
  void set(const AnsiString& name, DWORD type, std::string data);
  bool open_from(const AnsiString& key, bool can_create, DWORD access);

  detail::RegistryHives& hives_;
  DWORD access_;
  HKEY root_ = HKEY_CURRENT_USER;
  detail::KeyLocation current_;
  DWORD current_access_ = 0;
  AnsiString current_path_;
  std::set<detail::Hive*> changed_;
};

}  // namespace win32
