// reg MACHINE query|add|delete ...: Windows' reg.exe syntax and output on a machine directory,
// so that what Setup wrote can be inspected and compared without Wine.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/ansi.h"
#include "platform/rtl/exceptions.h"
#include "platform/win32/registry.h"

using namespace win32;
using win32::detail::HiveKey;
using win32::detail::HiveValue;
using win32::detail::KeyLocation;
using win32::detail::RegistryHives;
using win32::detail::RegView;

namespace {

std::u16string from_utf8(std::string_view text) {
  std::u16string out;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = rtl::detail::decode_utf8(text, pos);
    if (code == 0xFFFFFFFF) code = 0xFFFD;
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

std::string to_utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

int fail(const std::string& message) {
  std::cerr << "reg: " << message << "\n";
  return 1;
}

int usage() {
  std::cerr << "Usage: reg MACHINE_DIR query KEY [/v NAME | /ve] [/s] [/reg:32 | /reg:64]\n"
               "       reg MACHINE_DIR add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f] [/reg:32 | /reg:64]\n"
               "       reg MACHINE_DIR delete KEY [/v NAME | /ve | /va] [/f] [/reg:32 | /reg:64]\n"
               "KEY starts with HKLM, HKCU or HKCR (or their long names); a 64-bit machine is seen\n"
               "as a 32-bit program sees it unless /reg:64 is given.\n";
  return 1;
}

struct Options {
  std::string machine, command, key;
  std::optional<std::string> value_name;  // "" for /ve
  bool all_values = false, recurse = false, force = false;
  std::optional<std::string> type, data, separator;
  RegView view = RegView::Wow32;
};

bool same(std::string_view a, std::string_view b) { return rtl::AnsiSameText(a, b); }

std::optional<Options> parse_args(int argc, char** argv) {
  if (argc < 4) return std::nullopt;
  Options o;
  o.machine = argv[1];
  o.command = argv[2];
  o.key = argv[3];
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (same(arg, "/v")) {
      if (o.value_name || !(o.value_name = next())) return std::nullopt;
    } else if (same(arg, "/ve")) {
      if (o.value_name) return std::nullopt;
      o.value_name = "";
    } else if (same(arg, "/va")) {
      o.all_values = true;
    } else if (same(arg, "/f")) {
      o.force = true;
    } else if (same(arg, "/s")) {
      if (same(o.command, "add")) {
        if (!(o.separator = next())) return std::nullopt;
      } else {
        o.recurse = true;
      }
    } else if (same(arg, "/t")) {
      if (!(o.type = next())) return std::nullopt;
    } else if (same(arg, "/d")) {
      if (!(o.data = next())) return std::nullopt;
    } else if (same(arg, "/reg:32")) {
      o.view = RegView::Wow32;
    } else if (same(arg, "/reg:64")) {
      o.view = RegView::Native;
    } else {
      return std::nullopt;
    }
  }
  return o;
}

// "HKLM\Software\X" -> root, long name and path below the root.
struct KeyName {
  HKEY root;
  std::string long_root;
  std::string path;
};

std::optional<KeyName> parse_key(std::string key) {
  while (key.size() > 1 && key.back() == '\\') key.pop_back();
  const std::size_t slash = key.find('\\');
  const std::string root = key.substr(0, slash);
  const std::string path = slash == std::string::npos ? "" : key.substr(slash + 1);
  if (same(root, "HKLM") || same(root, "HKEY_LOCAL_MACHINE")) return KeyName{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", path};
  if (same(root, "HKCU") || same(root, "HKEY_CURRENT_USER")) return KeyName{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", path};
  if (same(root, "HKCR") || same(root, "HKEY_CLASSES_ROOT")) return KeyName{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", path};
  return std::nullopt;
}

std::string type_name(DWORD type) {
  switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case 5: return "REG_DWORD_BIG_ENDIAN";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "0x%x", type);
      return buffer;
    }
  }
}

std::string data_text(const HiveValue& value) {
  const std::u16string text = detail::utf16le_text(value.data);
  const auto& d = value.data;
  auto byte = [&](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(d[i])); };
  char buffer[32];
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return to_utf8(text.substr(0, text.find(u'\0')));
    case REG_MULTI_SZ: {
      std::string out;
      for (std::size_t start = 0; start < text.size() && text[start] != u'\0';) {
        std::size_t end = text.find(u'\0', start);
        if (end == std::u16string::npos) end = text.size();
        if (!out.empty()) out += "\\0";
        out += to_utf8(text.substr(start, end - start));
        start = end + 1;
      }
      return out;
    }
    case REG_DWORD:
    case 5:
      if (d.size() < 4) break;
      std::snprintf(buffer, sizeof buffer, "0x%x",
                    value.type == 5 ? static_cast<unsigned>(byte(3) | byte(2) << 8 | byte(1) << 16 | byte(0) << 24)
                                    : detail::dword_value(d));
      return buffer;
    case REG_QWORD:
      if (d.size() < 8) break;
      {
        std::uint64_t q = 0;
        for (int i = 7; i >= 0; --i) q = q << 8 | byte(static_cast<std::size_t>(i));
        std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(q));
      }
      return buffer;
    default:
      break;
  }
  std::string out;
  for (std::size_t i = 0; i < d.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(byte(i)));
    out += buffer;
  }
  return out;
}

void print_value(const std::u16string& name, DWORD type, const std::optional<std::string>& data) {
  std::cout << "    " << (name.empty() ? std::string("(Default)") : to_utf8(name)) << "    " << type_name(type) << "    "
            << (data ? *data : std::string("(value not set)")) << "\n";
}

// The key's own line appears only when it has values or was reached by recursion.
void query_all(RegistryHives& hives, KeyLocation key, const std::string& path, bool recurse, bool recursing,
               RegView view) {
  const bool heading = !key.key->values().empty() || recursing;
  if (heading) std::cout << path << "\n";
  for (const HiveValue& value : key.key->values()) print_value(value.name, value.type, data_text(value));
  if (heading) std::cout << "\n";
  for (const auto& child : key.key->subkeys()) {
    const std::string child_path = path + "\\" + to_utf8(child->name());
    if (!recurse) {
      std::cout << child_path << "\n";
      continue;
    }
    KeyLocation sub;
    if (hives.open(key, child->name(), view, false, sub) == ERROR_SUCCESS) query_all(hives, sub, child_path, true, true, view);
  }
}

int query_value(RegistryHives& hives, KeyLocation key, const std::string& path, const std::u16string& name, bool recurse,
                RegView view, int& found) {
  if (const HiveValue* value = key.key->find_value(name)) {
    std::cout << path << "\n";
    print_value(value->name, value->type, data_text(*value));
    std::cout << "\n";
    ++found;
  } else if (!recurse) {
    if (!name.empty()) return fail("Unable to find the specified registry value");
    std::cout << path << "\n";
    print_value(u"", REG_SZ, std::nullopt);
    return 0;
  }
  if (recurse) {
    for (const auto& child : key.key->subkeys()) {
      KeyLocation sub;
      if (hives.open(key, child->name(), view, false, sub) == ERROR_SUCCESS)
        query_value(hives, sub, path + "\\" + to_utf8(child->name()), name, true, view, found);
    }
  }
  return 0;
}

bool confirm(const std::string& question) {
  std::cout << question << " (Yes|No) " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

std::optional<std::string> encode_data(const Options& o, DWORD type) {
  const std::string input = o.data.value_or("");
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_NONE:
      return detail::utf16le_bytes(from_utf8(input) + u'\0');
    case REG_DWORD: {
      if (input.empty()) return std::nullopt;
      char* end = nullptr;
      errno = 0;
      const unsigned long long number = std::strtoull(input.c_str(), &end, 0);
      if (*end || errno || number > 0xFFFFFFFFull || input[0] == '-') return std::nullopt;
      return detail::dword_bytes(static_cast<std::uint32_t>(number));
    }
    case REG_BINARY: {
      auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
      };
      std::string out;
      std::size_t i = 0;
      // An odd count makes the first digit a byte of its own.
      if (input.size() % 2) {
        if (nibble(input[0]) < 0) return std::nullopt;
        out += static_cast<char>(nibble(input[i++]));
      }
      for (; i + 1 < input.size(); i += 2) {
        const int hi = nibble(input[i]), lo = nibble(input[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi << 4 | lo);
      }
      return out;
    }
    case REG_MULTI_SZ: {
      const std::u16string text = from_utf8(input);
      const std::u16string separator = o.separator ? from_utf8(*o.separator) : u"\\0";
      if (separator.empty()) return std::nullopt;
      std::u16string data;
      for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(separator, start);
        if (end == std::u16string::npos) end = text.size();
        if (end == start) return std::nullopt;  // an empty item would end the list early
        data += text.substr(start, end - start);
        data += u'\0';
        start = end + separator.size();
      }
      data += u'\0';
      return detail::utf16le_bytes(data);
    }
    default:
      return std::nullopt;
  }
}

std::optional<DWORD> parse_type(const std::string& name) {
  const std::pair<const char*, DWORD> types[] = {{"REG_SZ", REG_SZ},         {"REG_EXPAND_SZ", REG_EXPAND_SZ},
                                                 {"REG_MULTI_SZ", REG_MULTI_SZ}, {"REG_DWORD", REG_DWORD},
                                                 {"REG_BINARY", REG_BINARY}, {"REG_NONE", REG_NONE}};
  for (const auto& [text, type] : types)
    if (same(name, text)) return type;
  return std::nullopt;
}

int run(const Options& o) {
  const auto key_name = parse_key(o.key);
  if (!key_name) return fail("Invalid key name");
  RegistryHives hives(o.machine);
  const KeyLocation root = hives.open_root(key_name->root, o.view);
  const std::u16string path = from_utf8(key_name->path);
  const std::string shown = key_name->long_root + (key_name->path.empty() ? "" : "\\" + key_name->path);
  const bool is_query = same(o.command, "query"), is_add = same(o.command, "add"), is_delete = same(o.command, "delete");
  if (!is_query && !is_add && !is_delete) return usage();

  KeyLocation key;
  const bool exists = hives.open(root, path, o.view, false, key) == ERROR_SUCCESS;
  if (is_query) {
    if (!exists) return fail("Unable to find the specified registry key");
    std::cout << "\n";
    if (o.value_name) {
      int found = 0;
      const int status = query_value(hives, key, shown, from_utf8(*o.value_name), o.recurse, o.view, found);
      if (o.recurse) std::cout << "Search complete. Number of matches found: " << found << "\n";
      return status;
    }
    query_all(hives, key, shown, o.recurse, false, o.view);
    return 0;
  }

  if (is_add) {
    DWORD type = REG_SZ;
    if (o.type) {
      const auto parsed = parse_type(*o.type);
      if (!parsed) return fail("Invalid value type");
      type = *parsed;
    }
    const auto data = encode_data(o, type);
    if (!data) return fail(type == REG_DWORD ? "The option [/d] must be followed by a valid integer"
                           : type == REG_BINARY ? "The option [/d] must be followed by a valid hexadecimal value"
                                                : "Invalid data for the value type");
    bool created = false;
    if (hives.open(root, path, o.view, true, key, &created) != ERROR_SUCCESS) return fail("Unable to create the key");
    const bool set_value = o.value_name || o.data || o.type;
    if (set_value) {
      const std::u16string name = from_utf8(o.value_name.value_or(""));
      if (key.key->is_link()) return fail("Access is denied");
      if (key.key->find_value(name) && !o.force &&
          !confirm("The registry value '" + o.value_name.value_or("(Default)") + "' already exists. Do you want to overwrite it?"))
        return fail("The registry operation was cancelled");
      if (key.key->set_value(name, type, *data, detail::filetime_now())) key.hive->mark_modified();
    }
    if (set_value || created) hives.save(*key.hive);
    std::cout << "reg: The operation completed successfully\n";
    return 0;
  }

  if (!exists) return fail("Unable to find the specified registry key");
  if (o.value_name || o.all_values) {
    const std::string what = o.all_values ? "all values" : "the registry value '" + o.value_name.value_or("") + "'";
    if (!o.force && !confirm("Delete " + what + " of " + shown + "?")) return fail("The registry operation was cancelled");
    if (o.all_values) {
      std::vector<std::u16string> names;
      for (const HiveValue& value : key.key->values()) names.push_back(value.name);
      for (const auto& name : names) key.key->remove_value(name, detail::filetime_now());
    } else if (!key.key->remove_value(from_utf8(*o.value_name), detail::filetime_now())) {
      return fail("Unable to find the specified registry value");
    }
  } else {
    HiveKey* parent = key.key->parent();
    if (key_name->path.empty() || !parent) return fail("Unable to delete the root key");
    if (!o.force && !confirm("Permanently delete the registry key " + shown + "?"))
      return fail("The registry operation was cancelled");
    parent->remove_subkey(key.key->name(), detail::filetime_now());
  }
  key.hive->mark_modified();
  hives.save(*key.hive);
  std::cout << "reg: The operation completed successfully\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parse_args(argc, argv);
  if (!options) return usage();
  try {
    return run(*options);
  } catch (const rtl::Exception& e) {
    return fail(e.Message);
  } catch (const std::exception& e) {
    return fail(e.what());
  }
}
