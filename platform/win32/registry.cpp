// The machine's registry hives, Wine's key resolution with its WoW64 rules, and TRegistry.
#include "platform/win32/registry.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/rtl/exceptions.h"
#include "platform/win32/atomic_file.h"

namespace win32 {
namespace detail {
namespace {

constexpr const char* kMachineFile = "system.reg";
constexpr const char* kUserFile = "user.reg";
constexpr const char* kMachineRoot = "REGISTRY\\Machine";
constexpr const char* kUserRoot = "REGISTRY\\User\\S-1-5-21-0-0-0-1000";
constexpr std::u16string_view kUserSid = u"S-1-5-21-0-0-0-1000";

bool same_name(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return fold_case(x) == fold_case(y); });
}

std::string read_host_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw rtl::ERegistryException("Cannot read " + file.string() + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw rtl::ERegistryException("Cannot read " + file.string());
  return std::move(text).str();
}

// The keys a 32-bit program shares with 64-bit ones, as Wine's setup links them.
struct SharedKey {
  const char16_t* wow_path;          // below Software\Wow6432Node, or a full path when it starts with "Software"
  const char16_t* target = nullptr;  // below Software; the same path as `wow_path` when null
};
constexpr SharedKey kSharedKeys[] = {
    {u"Software\\Wow6432Node\\Classes", u"Classes\\Wow6432Node"},
    {u"Software\\Classes\\Wow6432Node\\AppId", u"Classes\\AppId"},
    {u"Software\\Classes\\Wow6432Node\\Protocols", u"Classes\\Protocols"},
    {u"Software\\Classes\\Wow6432Node\\TypeLib", u"Classes\\TypeLib"},
    {u"Policies"},
    {u"Registered Applications"},
    {u"Wine\\Ports"},
    {u"Microsoft\\Clients"},
    {u"Microsoft\\Cryptography\\Calais\\Current"},
    {u"Microsoft\\Cryptography\\Calais\\Readers"},
    {u"Microsoft\\Cryptography\\Services"},
    {u"Microsoft\\CTF\\SystemShared"},
    {u"Microsoft\\CTF\\TIP"},
    {u"Microsoft\\DFS"},
    {u"Microsoft\\Driver Signing"},
    {u"Microsoft\\EnterpriseCertificates"},
    {u"Microsoft\\EventSystem"},
    {u"Microsoft\\MSMQ"},
    {u"Microsoft\\Non-Driver Signing"},
    {u"Microsoft\\Notepad\\DefaultFonts"},
    {u"Microsoft\\OLE"},
    {u"Microsoft\\RAS"},
    {u"Microsoft\\RPC"},
    {u"Microsoft\\SystemCertificates"},
    {u"Microsoft\\TermServLicensing"},
    {u"Microsoft\\Transaction Server"},
    {u"Microsoft\\Windows\\CurrentVersion\\App Paths"},
    {u"Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes"},
    {u"Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers"},
    {u"Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons"},
    {u"Microsoft\\Windows\\CurrentVersion\\Explorer\\KindMap"},
    {u"Microsoft\\Windows\\CurrentVersion\\Group Policy"},
    {u"Microsoft\\Windows\\CurrentVersion\\Policies"},
    {u"Microsoft\\Windows\\CurrentVersion\\PreviewHandlers"},
    {u"Microsoft\\Windows\\CurrentVersion\\Setup"},
    {u"Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations"},
    {u"Microsoft\\Windows\\CurrentVersion\\Time Zones", u"Microsoft\\Windows NT\\CurrentVersion\\Time Zones"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Console"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\FontDpi"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\FontLink"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\FontMapper"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Fonts"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Gre_Initialize"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\LanguagePack"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\NetworkCards"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Perflib"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Ports"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Print"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\ProfileList"},
    {u"Microsoft\\Windows NT\\CurrentVersion\\Time Zones"},
};

void add_shared_links(Hive& hive) {
  const std::uint64_t now = filetime_now();
  hive.root().add_path(u"Software\\Classes\\Wow6432Node", now);
  for (const SharedKey& shared : kSharedKeys) {
    std::u16string wow = shared.wow_path;
    if (!wow.starts_with(u"Software\\")) wow = u"Software\\Wow6432Node\\" + wow;
    const std::u16string target = std::u16string(u"Software\\") + (shared.target ? shared.target : shared.wow_path);
    hive.root().add_path(target, now);
    HiveKey& link = hive.root().add_path(wow, now);
    link.set_link(true);
    link.set_value(u"SymbolicLinkValue", REG_LINK, utf16le_bytes(u"\\Registry\\Machine\\" + target), now);
  }
}

}  // namespace

RegistryHives::RegistryHives(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

void RegistryHives::create_empty(const std::filesystem::path& prefix, HiveArch arch) {
  RegistryHives hives(prefix);
  if (!std::filesystem::exists(prefix / kMachineFile)) {
    hives.machine_.emplace(kMachineRoot, arch);
    if (arch == HiveArch::Win64) add_shared_links(*hives.machine_);
    hives.save(*hives.machine_);
  }
  if (!std::filesystem::exists(prefix / kUserFile)) {
    hives.user_.emplace(kUserRoot, arch);
    hives.save(*hives.user_);
  }
}

HiveArch RegistryHives::guess_arch() {
  if (machine_ && machine_->arch() != HiveArch::Unspecified) return machine_->arch();
  if (user_ && user_->arch() != HiveArch::Unspecified) return user_->arch();
  // Only a 64-bit Windows has a folder for its 32-bit system files.
  std::error_code ec;
  return std::filesystem::is_directory(prefix_ / "drive_c" / "windows" / "syswow64", ec) ? HiveArch::Win64
                                                                                          : HiveArch::Win32;
}

Hive& RegistryHives::load(std::optional<Hive>& slot, std::optional<std::string>& error, const char* file,
                          const char* root) {
  if (slot) return *slot;
  if (error) throw rtl::ERegistryException(*error);
  const std::filesystem::path path = prefix_ / file;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    // A missing hive starts empty, with the other hive's architecture.
    const bool machine = &slot == &machine_;
    auto& other = machine ? user_ : machine_;
    const char* other_file = machine ? kUserFile : kMachineFile;
    if (!other && std::filesystem::exists(prefix_ / other_file, ec)) {
      try {
        machine ? this->user() : this->machine();
      } catch (const rtl::ERegistryException&) {
      }
    }
    slot.emplace(root, guess_arch());
    return *slot;
  }
  try {
    slot.emplace(Hive::parse(read_host_file(path), path.string()));
  } catch (const HiveFormatError& e) {
    error = e.what();
    throw rtl::ERegistryException(*error);
  } catch (const rtl::ERegistryException& e) {
    error = e.Message;
    throw;
  }
  return *slot;
}

Hive& RegistryHives::machine() { return load(machine_, machine_error_, kMachineFile, kMachineRoot); }
Hive& RegistryHives::user() { return load(user_, user_error_, kUserFile, kUserRoot); }

KeyLocation RegistryHives::open_root(HKEY root, RegView view) {
  switch (root) {
    case HKEY_LOCAL_MACHINE: return {&machine(), &machine().root()};
    case HKEY_CURRENT_USER: return {&user(), &user().root()};
    case HKEY_CLASSES_ROOT: {
      // Wine 8 opens HKEY_CLASSES_ROOT as HKLM\Software\Classes, with no per-user merge.
      KeyLocation classes;
      if (open({&machine(), &machine().root()}, u"Software\\Classes", view, false, classes) != ERROR_SUCCESS)
        return {&machine(), nullptr};
      return classes;
    }
    default: return {};
  }
}

HiveKey* RegistryHives::wow64_subkey(const KeyLocation& key, std::u16string_view token) {
  if (key.hive->arch() != HiveArch::Win64 || same_name(token, u"Wow6432Node")) return key.key;
  HiveKey* wow = key.key->find_subkey(u"Wow6432Node");
  return wow ? wow : key.key;
}

bool RegistryHives::is_wow_share(const KeyLocation& key) {
  if (key.hive != &machine() || key.hive->arch() != HiveArch::Win64) return false;
  const HiveKey* parent = key.key->parent();
  const HiveKey* grand = parent ? parent->parent() : nullptr;
  return grand && grand->parent() == &key.hive->root() && same_name(key.key->name(), u"Wow6432Node") &&
         same_name(parent->name(), u"Classes") && same_name(grand->name(), u"Software");
}

std::optional<KeyLocation> RegistryHives::follow_link(KeyLocation key) {
  for (int iteration = 0; key.key->is_link(); ++iteration) {
    const auto target = key.key->link_target();
    if (iteration > 16 || !target) return std::nullopt;
    auto tokens = split_path(*target);
    if (tokens.size() < 2 || !same_name(tokens[0], u"Registry")) return std::nullopt;
    std::size_t first = 2;
    if (same_name(tokens[1], u"Machine")) {
      key = {&machine(), &machine().root()};
    } else if (same_name(tokens[1], u"User") && tokens.size() > 2 && same_name(tokens[2], kUserSid)) {
      key = {&user(), &user().root()};
      first = 3;
    } else {
      return std::nullopt;
    }
    for (std::size_t i = first; i < tokens.size(); ++i) {
      HiveKey* next = key.key->find_subkey(tokens[i]);
      if (!next) return std::nullopt;
      key.key = next;
      if (i + 1 < tokens.size() && key.key->is_link()) {
        const auto followed = follow_link(key);
        if (!followed) return std::nullopt;
        key = *followed;
      }
    }
  }
  return key;
}

DWORD RegistryHives::open(KeyLocation base, std::u16string_view path, RegView view, bool create, KeyLocation& out,
                          bool* created) {
  if (created) *created = false;
  if (!base.key) return ERROR_FILE_NOT_FOUND;
  const auto tokens = split_path(path);
  if (tokens.empty()) {
    out = base;
    return ERROR_SUCCESS;
  }
  const bool wow = view == RegView::Wow32;
  KeyLocation key = base;
  if (wow) key.key = wow64_subkey(key, tokens[0]);
  std::size_t i = 0;
  while (i < tokens.size()) {
    HiveKey* sub = key.key->find_subkey(tokens[i]);
    // A 32-bit program's class keys fall back to the 64-bit ones they share.
    if (!sub && wow && is_wow_share(key)) {
      key.key = key.key->parent();
      sub = key.key->find_subkey(tokens[i]);
    }
    if (!sub) break;
    key.key = sub;
    if (++i == tokens.size()) break;
    if (wow) key.key = wow64_subkey(key, tokens[i]);
    const auto followed = follow_link(key);
    if (!followed) return ERROR_FILE_NOT_FOUND;
    key = *followed;
  }
  if (i == tokens.size()) {
    if (wow) key.key = wow64_subkey(key, u"");
    const auto followed = follow_link(key);
    if (!followed) return ERROR_FILE_NOT_FOUND;
    out = *followed;
    return ERROR_SUCCESS;
  }
  if (!create) return ERROR_FILE_NOT_FOUND;
  const std::uint64_t now = filetime_now();
  for (; i < tokens.size(); ++i) key.key = &key.key->add_subkey(tokens[i], now);
  key.hive->mark_modified();
  if (created) *created = true;
  out = key;
  return ERROR_SUCCESS;
}

void RegistryHives::save(Hive& hive) {
  const char* file = (machine_ && &hive == &*machine_) ? kMachineFile : kUserFile;
  const std::filesystem::path target = prefix_ / file;
  std::string text = hive.serialize();
  if (const DWORD error = replace_file(target, text, true); error != ERROR_SUCCESS)
    throw rtl::ERegistryException("Cannot save " + target.string() + " (Windows error " + std::to_string(error) + ")");
  hive.saved(std::move(text));
}

}  // namespace detail

// ---- values as programs read them -----------------------------------------------------

std::optional<AnsiString> RegValue::as_string() const {
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::u16string text = detail::utf16le_text(data);
  if (const auto nul = text.find(u'\0'); nul != std::u16string::npos) text.resize(nul);
  return rtl::utf16_to_ansi(text);
}

std::optional<DWORD> RegValue::as_dword() const {
  if (type != REG_DWORD || data.size() != 4) return std::nullopt;
  return detail::dword_value(data);
}

std::optional<RegValue> read_value(const Machine& machine, HKEY root, const AnsiString& key_path,
                                   const AnsiString& name) {
  try {
    auto& hives = machine.Registry();
    detail::KeyLocation key;
    if (hives.open(hives.open_root(root, detail::RegView::Wow32), rtl::ansi_to_utf16(key_path), detail::RegView::Wow32,
                   false, key) != ERROR_SUCCESS)
      return std::nullopt;
    const detail::HiveValue* value = key.key->find_value(rtl::ansi_to_utf16(name));
    if (!value) return std::nullopt;
    return RegValue{value->type, value->data};
  } catch (const rtl::ERegistryException&) {
    return std::nullopt;
  }
}

detail::RegistryHives& Machine::Registry() const {
  if (!registry_) registry_ = std::make_shared<detail::RegistryHives>(prefix_);
  return *registry_;
}

// ---- TRegistry ------------------------------------------------------------------------

TRegistry::TRegistry(DWORD access) : TRegistry(current_machine().Registry(), access) {}

TRegistry::TRegistry(detail::RegistryHives& hives, DWORD access) : hives_(hives), access_(access) {}

TRegistry::~TRegistry() {
  try {
    CloseKey();
  } catch (...) {
    // Release cannot report; a caller that must know closes the key itself first.
  }
}

void TRegistry::RootKey(HKEY root) {
  CloseKey();
  root_ = root;
}

detail::RegView TRegistry::view() const {
  return (access_ & KEY_WOW64_64KEY) ? detail::RegView::Native : detail::RegView::Wow32;
}

TRegistry::Base TRegistry::base_of(AnsiString& path) {
  const bool relative = path.empty() || path[0] != '\\';
  if (!relative) path.erase(0, 1);
  if (current_.key && relative) return {current_, current_access_, true};
  return {hives_.open_root(root_, view()), KEY_ALL_ACCESS, false};  // predefined root keys grant everything
}

bool TRegistry::open_from(const AnsiString& key, bool can_create, DWORD access) {
  AnsiString path = key;
  const Base base = base_of(path);
  if (!base.key.key) return false;
  const bool create = can_create && !path.empty();
  if (create && !(base.access & KEY_CREATE_SUB_KEY)) return false;
  detail::KeyLocation opened;
  bool created = false;
  if (hives_.open(base.key, rtl::ansi_to_utf16(path), view(), create, opened, &created) != ERROR_SUCCESS) return false;
  if (created) changed_.insert(opened.hive);
  if (base.is_open_key) path = current_path_ + "\\" + path;
  current_ = opened;
  current_access_ = access;
  current_path_ = path;
  return true;
}

bool TRegistry::OpenKey(const AnsiString& key, bool can_create) { return open_from(key, can_create, access_); }

bool TRegistry::OpenKeyReadOnly(const AnsiString& key) { return open_from(key, false, KEY_READ); }

bool TRegistry::KeyExists(const AnsiString& key) {
  AnsiString path = key;
  const Base base = base_of(path);
  detail::KeyLocation found;
  return hives_.open(base.key, rtl::ansi_to_utf16(path), view(), false, found) == ERROR_SUCCESS;
}

std::optional<RegValue> TRegistry::query(const AnsiString& name) {
  if (!current_.key || !(current_access_ & KEY_QUERY_VALUE)) return std::nullopt;
  const detail::HiveValue* value = current_.key->find_value(rtl::ansi_to_utf16(name));
  if (!value) return std::nullopt;
  return RegValue{value->type, value->data};
}

bool TRegistry::ValueExists(const AnsiString& name) { return query(name).has_value(); }

AnsiString TRegistry::ReadString(const AnsiString& name) {
  const auto value = query(name);
  // The runtime asks for the size first: a missing or empty value reads as empty text.
  if (!value || value->data.empty()) return {};
  const auto text = value->as_string();
  if (!text) throw rtl::ERegistryException("Invalid data type for '" + name + "'");
  return *text;
}

std::int32_t TRegistry::ReadInteger(const AnsiString& name) {
  const auto value = query(name);
  if (!value) throw rtl::ERegistryException("Failed to get data for '" + name + "'");
  const auto number = value->as_dword();
  if (!number) throw rtl::ERegistryException("Invalid data type for '" + name + "'");
  return static_cast<std::int32_t>(*number);
}

void TRegistry::set(const AnsiString& name, DWORD type, std::string data) {
  if (!current_.key || !(current_access_ & KEY_SET_VALUE) || current_.key->is_link())
    throw rtl::ERegistryException("Failed to set data for '" + name + "'");
  if (!current_.key->set_value(rtl::ansi_to_utf16(name), type, std::move(data), detail::filetime_now())) return;
  current_.hive->mark_modified();
  changed_.insert(current_.hive);
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
  // The stored length counts the terminating zero.
  set(name, REG_SZ, detail::utf16le_bytes(rtl::ansi_to_utf16(value) + u'\0'));
}

void TRegistry::WriteExpandString(const AnsiString& name, const AnsiString& value) {
  set(name, REG_EXPAND_SZ, detail::utf16le_bytes(rtl::ansi_to_utf16(value) + u'\0'));
}

void TRegistry::WriteInteger(const AnsiString& name, std::int32_t value) {
  set(name, REG_DWORD, detail::dword_bytes(static_cast<std::uint32_t>(value)));
}

bool TRegistry::DeleteValue(const AnsiString& name) {
  if (!current_.key || !(current_access_ & KEY_SET_VALUE)) return false;
  if (!current_.key->remove_value(rtl::ansi_to_utf16(name), detail::filetime_now())) return false;
  current_.hive->mark_modified();
  changed_.insert(current_.hive);
  return true;
}

void TRegistry::CloseKey() {
  current_ = {};
  current_path_.clear();
  auto changed = std::move(changed_);
  changed_.clear();
  std::optional<rtl::ERegistryException> failure;
  for (detail::Hive* hive : changed) {
    try {
      hives_.save(*hive);
    } catch (const rtl::ERegistryException& e) {
      if (!failure) failure = e;
    }
  }
  if (failure) throw *failure;
}

}  // namespace win32
