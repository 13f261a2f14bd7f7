// One registry hive in Wine's text file format: the key tree in memory, its parser and writer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/types.h"

namespace win32 {

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

namespace detail {

// A hive file that cannot be loaded; the message names the file and line.
class HiveFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// FILETIME ticks (100 ns since 1601) of the host clock.
std::uint64_t filetime_now();

// Wine's escaping of one name or string (`quote` holds the two characters that also get a
// backslash: "\"\"" for names and data, "[]" for key names).
void escape_string(std::u16string_view text, std::string_view quote, std::string& out);
// Reads an escaped string up to `end` (or the end of `text`); returns the characters and
// sets `used` to the number of bytes consumed, not counting `end` itself.
std::u16string unescape_string(std::string_view text, char end, std::size_t& used);

// The non-empty names of a key path whose parts are separated by backslashes.
std::vector<std::u16string_view> split_path(std::u16string_view path);

// Wine's case folding of one UTF-16 unit, for comparing names.
char16_t fold_case(char16_t c);
std::u16string fold_case(std::u16string_view text);

struct HiveValue {
  std::u16string name;    // empty for the default value
  std::u16string folded;  // `name` case-folded, the sort key
  DWORD type = REG_NONE;
  std::string data;       // the bytes a program sees: strings as UTF-16LE with their NUL
  // The line(s) as found in the file, written back instead of `data` while the value is
  // unchanged: malformed values (seen as REG_NONE with no data, as Wine sees them) and
  // values written in another form than Wine's own survive a save.
  std::string raw;
  bool malformed = false;
};

class HiveKey {
 public:
  HiveKey(std::u16string name, HiveKey* parent);

  const std::u16string& name() const { return name_; }
  const std::u16string& folded() const { return folded_; }
  HiveKey* parent() const { return parent_; }

  HiveKey* find_subkey(std::u16string_view name) const;
  // Adds the subkey (the parent's time is touched); returns the existing one when present.
  HiveKey& add_subkey(std::u16string_view name, std::uint64_t time);
  // add_subkey for each name of a backslash-separated path; returns the last key.
  HiveKey& add_path(std::u16string_view path, std::uint64_t time);
  // Removes a subkey and everything below it; false when there is none.
  bool remove_subkey(std::u16string_view name, std::uint64_t time);
  const std::vector<std::unique_ptr<HiveKey>>& subkeys() const { return subkeys_; }

  const HiveValue* find_value(std::u16string_view name) const;
  // False, leaving the key untouched, when the value already holds this type and data:
  // wineserver ignores such a write.
  bool set_value(std::u16string_view name, DWORD type, std::string data, std::uint64_t time);
  bool remove_value(std::u16string_view name, std::uint64_t time);
  const std::vector<HiveValue>& values() const { return values_; }

  bool is_link() const { return link_; }
  void set_link(bool link) { link_ = link; }
  const std::optional<std::u16string>& key_class() const { return class_; }
  std::uint64_t modified() const { return modified_; }
  void touch(std::uint64_t time);

  // The target of a `#link` key: the NT path in its SymbolicLinkValue.
  std::optional<std::u16string> link_target() const;

 private:
  friend class Hive;
  HiveKey& insert_subkey(std::u16string_view name);
  HiveValue& value_slot(std::u16string_view name);

  std::u16string name_;
  std::u16string folded_;
  HiveKey* parent_;
  std::uint64_t modified_ = 0;
  std::optional<std::u16string> class_;
  bool link_ = false;
  bool listed_ = false;   // the file had a section for this key
  bool changed_ = false;  // header and options are rewritten in Wine's form
  std::string header_;    // the section's key and option lines as found
  std::vector<std::string> extra_lines_;  // comments, unknown options and input, as found
  std::vector<std::unique_ptr<HiveKey>> subkeys_;
  std::vector<HiveValue> values_;
};

enum class HiveArch { Unspecified, Win32, Win64 };

// A whole hive file. Wine's rules for what it accepts are followed; what it would drop
// (malformed values, unknown lines) is kept as found so that a save loses nothing.
class Hive {
 public:
  // A hive with Wine's header for `root_path` (e.g. "REGISTRY\\Machine").
  Hive(std::string_view root_path, HiveArch arch);
  // Throws HiveFormatError naming `file_name` and the line.
  static Hive parse(std::string_view text, std::string_view file_name);

  HiveKey& root() { return *root_; }
  const HiveKey& root() const { return *root_; }
  HiveArch arch() const { return arch_; }

  // Marks the hive as needing a save; keys touched since loading are rewritten.
  void mark_modified() { modified_ = true; }
  bool modified() const { return modified_; }

  // The file's text: the bytes as loaded while nothing changed, else Wine's layout.
  std::string serialize() const;
  // Records that `text` is now the file's content.
  void saved(std::string text);

 private:
  Hive() = default;
  void write_key(const HiveKey& key, std::u16string& path, std::string& out) const;

  std::unique_ptr<HiveKey> root_;
  HiveArch arch_ = HiveArch::Unspecified;
  std::string preamble_;  // every line before the first key, as found
  std::string original_;   // the file's content while the hive is not modified
  bool modified_ = false;
};

// Registry data holds UTF-16 little-endian text and little-endian numbers.
std::string utf16le_bytes(std::u16string_view text);
std::u16string utf16le_text(std::string_view bytes);
std::string dword_bytes(std::uint32_t value);
// The number in the first four bytes; the caller makes sure there are four.
std::uint32_t dword_value(std::string_view bytes);

// Wine's line for a value (name, `=`, data and its line breaks), without the final newline.
std::string format_value(const HiveValue& value);

}  // namespace detail
}  // namespace win32
