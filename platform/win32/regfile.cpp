// Reading and writing Wine's registry files, byte for byte the way wineserver does.
#include "platform/win32/regfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/rtl/ansi.h"

namespace win32::detail {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kTicks1601To1970 = 116'444'736'000'000'000;
constexpr std::string_view kSignature = "WINE REGISTRY Version 2";

bool is_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view skip_space(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && is_space(s[i])) ++i;
  return s.substr(i);
}

std::string_view trim_right(std::string_view s) {
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

void append_hex(std::string& out, unsigned value, int min_digits) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, "%0*x", min_digits, value);
  out.append(buffer, static_cast<std::size_t>(n));
}

}  // namespace

std::u16string utf16le_text(std::string_view bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string utf16le_bytes(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string dword_bytes(std::uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value >> 16 & 0xFF),
          static_cast<char>(value >> 24)};
}

std::uint32_t dword_value(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  return value;
}

namespace {

// The unescaped key path and the seconds after its closing bracket, or nullopt when the
// bracket is missing.
struct KeyLine {
  std::u16string path;
  std::optional<std::uint32_t> seconds;
};

std::optional<KeyLine> parse_key_line(std::string_view line) {
  std::size_t used = 0;
  KeyLine result;
  result.path = unescape_string(line.substr(1), ']', used);
  if (1 + used >= line.size()) return std::nullopt;
  std::string_view rest = skip_space(line.substr(2 + used));
  if (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
    std::uint64_t seconds = 0;
    for (std::size_t i = 0; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i)
      seconds = std::min<std::uint64_t>(seconds * 10 + static_cast<unsigned>(rest[i] - '0'), 0x1'0000'0000);
    if (seconds <= 0xFFFFFFFF) result.seconds = static_cast<std::uint32_t>(seconds);
  }
  return result;
}

std::optional<std::uint64_t> parse_hex64(std::string_view s) {
  if (s.empty() || s.size() > 16) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : s) {
    if (!is_hex(c)) return std::nullopt;
    value = value << 4 | static_cast<unsigned>(hex_value(c));
  }
  return value;
}

// Parses a hex byte list as Wine does: numbers separated by commas and blanks, ending at
// the end of the text or a backslash that continues it on the next line.
enum class HexEnd { Done, Continued, Bad };
HexEnd parse_hex_list(std::string_view s, std::string& out) {
  std::size_t i = 0;
  while (i < s.size() && is_hex(s[i])) {
    unsigned value = 0;
    std::size_t digits = 0;
    while (i < s.size() && is_hex(s[i])) {
      value = value * 16 + static_cast<unsigned>(hex_value(s[i++]));
      if (++digits > 2 && value > 0xFF) return HexEnd::Bad;
    }
    if (value > 0xFF) return HexEnd::Bad;
    out.push_back(static_cast<char>(value));
    while (i < s.size() && is_space(s[i])) ++i;
    if (i < s.size() && s[i] == ',') ++i;
    while (i < s.size() && is_space(s[i])) ++i;
  }
  if (i == s.size()) return HexEnd::Done;
  return s[i] == '\\' && skip_space(s.substr(i + 1)).empty() ? HexEnd::Continued : HexEnd::Bad;
}

// Splits the text into lines, remembering where each starts.
struct Lines {
  explicit Lines(std::string_view text) : text_(text) {}
  bool next(std::string_view& line, std::size_t& start) {
    if (pos_ >= text_.size()) return false;
    start = pos_;
    const std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++number_;
    return true;
  }
  std::size_t number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
};

std::uint64_t ticks_from_seconds(std::uint32_t seconds) {
  return std::uint64_t{seconds} * kTicksPerSecond + kTicks1601To1970;
}

}  // namespace

std::uint64_t filetime_now() {
  const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch).count() / 100;
  return static_cast<std::uint64_t>(ticks) + kTicks1601To1970;
}

void escape_string(std::u16string_view text, std::string_view quote, std::string& out) {
  static constexpr char kEscapes[33] = ".......abtnvfr.............e....";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool has_next = i + 1 < text.size();
    if (c > 127) {
      const char16_t next = has_next ? text[i + 1] : u'\0';
      out += "\\x";
      // A hex digit after the escape would be read as part of it.
      append_hex(out, c, has_next && next < 128 && is_hex(static_cast<char>(next)) ? 4 : 1);
      continue;
    }
    if (c < 32) {
      out += '\\';
      if (kEscapes[c] != '.') {
        out += kEscapes[c];
      } else {
        const bool octal_next = has_next && text[i + 1] >= u'0' && text[i + 1] <= u'7';
        char buffer[8];
        const int n = std::snprintf(buffer, sizeof buffer, octal_next ? "%03o" : "%o", static_cast<unsigned>(c));
        out.append(buffer, static_cast<std::size_t>(n));
      }
      continue;
    }
    if (c == u'\\' || c == static_cast<char16_t>(quote[0]) || c == static_cast<char16_t>(quote[1])) out += '\\';
    out += static_cast<char>(c);
  }
}

std::u16string unescape_string(std::string_view text, char end, std::size_t& used) {
  std::u16string out;
  std::size_t p = 0;
  while (p < text.size() && text[p] != end) {
    const char c = text[p];
    if (c == '\\') {
      if (++p >= text.size()) break;  // a lone backslash at the end leaves the string open
      const char e = text[p];
      switch (e) {
        case 'a': out += u'\a'; ++p; continue;
        case 'b': out += u'\b'; ++p; continue;
        case 'e': out += u'\x1b'; ++p; continue;
        case 'f': out += u'\f'; ++p; continue;
        case 'n': out += u'\n'; ++p; continue;
        case 'r': out += u'\r'; ++p; continue;
        case 't': out += u'\t'; ++p; continue;
        case 'v': out += u'\v'; ++p; continue;
        case 'x': {
          ++p;
          if (p >= text.size() || !is_hex(text[p])) { out += u'x'; continue; }
          unsigned value = 0;
          for (int i = 0; i < 4 && p < text.size() && is_hex(text[p]); ++i)
            value = value * 16 + static_cast<unsigned>(hex_value(text[p++]));
          out += static_cast<char16_t>(value);
          continue;
        }
        default:
          if (e >= '0' && e <= '7') {
            unsigned value = 0;
            for (int i = 0; i < 3 && p < text.size() && text[p] >= '0' && text[p] <= '7'; ++i)
              value = value * 8 + static_cast<unsigned>(text[p++] - '0');
            out += static_cast<char16_t>(value);
            continue;
          }
          break;  // any other character stands for itself
      }
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      std::size_t pos = p;
      const char32_t code = rtl::detail::decode_utf8(text, pos);
      p = pos;
      if (code == 0xFFFFFFFF) continue;  // invalid UTF-8 is dropped, as Wine drops it
      if (code >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        out += static_cast<char16_t>(code);
      }
      continue;
    }
    out += static_cast<char16_t>(static_cast<unsigned char>(text[p]));
    ++p;
  }
  used = p;
  return out;
}

char16_t fold_case(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F))
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  if (c == 0x178) return 0xFF;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4BF))
    return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
    return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
  return c;
}

std::u16string fold_case(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = fold_case(c);
  return out;
}

std::vector<std::u16string_view> split_path(std::u16string_view path) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == u'\\') {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// ---- keys -----------------------------------------------------------------------------

namespace {

// Subkeys and values are kept sorted by their folded names, as wineserver keeps them.
const std::u16string& folded_of(const std::unique_ptr<HiveKey>& key) { return key->folded(); }
const std::u16string& folded_of(const HiveValue& value) { return value.folded; }

template <typename List>
auto lower_bound_folded(List& list, const std::u16string& folded) {
  return std::lower_bound(list.begin(), list.end(), folded,
                          [](const auto& item, const std::u16string& f) { return folded_of(item) < f; });
}

template <typename List>
auto find_folded(List& list, const std::u16string& folded) {
  const auto it = lower_bound_folded(list, folded);
  return it != list.end() && folded_of(*it) == folded ? it : list.end();
}

// Where an item with this name is or belongs. Files come sorted, so the common case appends.
template <typename List>
auto slot_folded(List& list, const std::u16string& folded) {
  return list.empty() || folded_of(list.back()) < folded ? list.end() : lower_bound_folded(list, folded);
}

}  // namespace

HiveKey::HiveKey(std::u16string name, HiveKey* parent)
    : name_(std::move(name)), folded_(fold_case(name_)), parent_(parent) {}

HiveKey* HiveKey::find_subkey(std::u16string_view name) const {
  const auto it = find_folded(subkeys_, fold_case(name));
  return it != subkeys_.end() ? it->get() : nullptr;
}

HiveKey& HiveKey::insert_subkey(std::u16string_view name) {
  const std::u16string folded = fold_case(name);
  const auto it = slot_folded(subkeys_, folded);
  if (it != subkeys_.end() && (*it)->folded_ == folded) return **it;
  auto key = std::make_unique<HiveKey>(std::u16string(name), this);
  return **subkeys_.insert(it, std::move(key));
}

HiveKey& HiveKey::add_subkey(std::u16string_view name, std::uint64_t time) {
  if (HiveKey* existing = find_subkey(name)) return *existing;
  HiveKey& key = insert_subkey(name);
  key.modified_ = time;
  key.changed_ = true;
  touch(time);
  return key;
}

bool HiveKey::remove_subkey(std::u16string_view name, std::uint64_t time) {
  const auto it = find_folded(subkeys_, fold_case(name));
  if (it == subkeys_.end()) return false;
  subkeys_.erase(it);
  touch(time);
  return true;
}

HiveValue& HiveKey::value_slot(std::u16string_view name) {
  std::u16string folded = fold_case(name);
  const auto it = slot_folded(values_, folded);
  if (it != values_.end() && it->folded == folded) return *it;
  HiveValue value;
  value.name = std::u16string(name);
  value.folded = std::move(folded);
  return *values_.insert(it, std::move(value));
}

const HiveValue* HiveKey::find_value(std::u16string_view name) const {
  const auto it = find_folded(values_, fold_case(name));
  return it != values_.end() ? &*it : nullptr;
}

bool HiveKey::set_value(std::u16string_view name, DWORD type, std::string data, std::uint64_t time) {
  if (const HiveValue* same = find_value(name); same && !same->malformed && same->type == type && same->data == data)
    return false;
  HiveValue& value = value_slot(name);
  value.type = type;
  value.data = std::move(data);
  value.raw.clear();
  value.malformed = false;
  touch(time);
  return true;
}

bool HiveKey::remove_value(std::u16string_view name, std::uint64_t time) {
  const auto it = find_folded(values_, fold_case(name));
  if (it == values_.end()) return false;
  values_.erase(it);
  touch(time);
  return true;
}

HiveKey& HiveKey::add_path(std::u16string_view path, std::uint64_t time) {
  HiveKey* key = this;
  for (const auto part : split_path(path)) key = &key->add_subkey(part, time);
  return *key;
}

void HiveKey::touch(std::uint64_t time) {
  modified_ = time;
  changed_ = true;
}

std::optional<std::u16string> HiveKey::link_target() const {
  if (!link_) return std::nullopt;
  const HiveValue* value = find_value(u"SymbolicLinkValue");
  if (!value || value->type != REG_LINK) return std::nullopt;
  return utf16le_text(value->data);
}

// ---- values ---------------------------------------------------------------------------

std::string format_value(const HiveValue& value) {
  std::string out;
  if (!value.name.empty()) {
    out += '"';
    escape_string(value.name, "\"\"", out);
    out += "\"=";
  } else {
    out += "@=";
  }
  const std::string& data = value.data;
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
      // Only a properly terminated string is written as text; the file leaves out the NUL.
      if (data.size() < 2 || data.size() % 2 || data[data.size() - 1] || data[data.size() - 2]) break;
      if (value.type != REG_SZ) {
        out += "str(";
        append_hex(out, value.type, 1);
        out += "):";
      }
      out += '"';
      escape_string(utf16le_text(std::string_view(data).substr(0, data.size() - 2)), "\"\"", out);
      out += '"';
      return out;
    }
    case REG_DWORD:
      if (data.size() != 4) break;
      out += "dword:";
      append_hex(out, dword_value(data), 8);
      return out;
    default:
      break;
  }
  if (value.type == REG_BINARY) {
    out += "hex:";
  } else {
    out += "hex(";
    append_hex(out, value.type, 1);
    out += "):";
  }
  // Wine counts the name part too when it decides where to break the line.
  std::size_t count = out.size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    append_hex(out, static_cast<unsigned char>(data[i]), 2);
    count += 2;
    if (i + 1 < data.size()) {
      out += ',';
      if (++count > 76) {
        out += "\\\n  ";
        count = 2;
      }
    }
  }
  return out;
}

namespace {

// Parses the data part of a value line; false when Wine would call it malformed.
// `more` supplies continuation lines of a hex list.
template <typename NextLine>
bool parse_value_data(std::string_view s, HiveValue& value, NextLine&& more) {
  struct Tag {
    std::string_view text;
    DWORD type;
  };
  static constexpr Tag kStrings[] = {{"\"", REG_SZ}, {"str:\"", REG_SZ}, {"str(2):\"", REG_EXPAND_SZ}, {"str(7):\"", REG_MULTI_SZ}};
  for (const Tag& tag : kStrings) {
    if (!s.starts_with(tag.text)) continue;
    std::size_t used = 0;
    const std::string_view body = s.substr(tag.text.size());
    std::u16string text = unescape_string(body, '"', used);
    if (used >= body.size()) return false;  // unterminated
    text += u'\0';
    value.type = tag.type;
    value.data = utf16le_bytes(text);
    return true;
  }
  if (s.starts_with("dword:")) {
    const std::string_view digits = skip_space(s.substr(6));
    std::size_t n = 0;
    while (n < digits.size() && is_hex(digits[n])) ++n;
    const auto number = parse_hex64(digits.substr(0, n));
    if (!number || *number > 0xFFFFFFFF) return false;
    value.type = REG_DWORD;
    value.data = dword_bytes(static_cast<std::uint32_t>(*number));
    return true;
  }
  std::string_view list;
  if (s.starts_with("hex:")) {
    value.type = REG_BINARY;
    list = s.substr(4);
  } else if (s.starts_with("hex(")) {
    const std::size_t close = s.find("):", 4);
    if (close == std::string_view::npos) return false;
    const auto type = parse_hex64(s.substr(4, close - 4));
    if (!type || *type > 0xFFFFFFFF) return false;
    value.type = static_cast<DWORD>(*type);
    list = s.substr(close + 2);
  } else {
    return false;
  }
  value.data.clear();
  for (;;) {
    const HexEnd end = parse_hex_list(skip_space(list), value.data);
    if (end == HexEnd::Done) return true;
    if (end == HexEnd::Bad) return false;
    if (!more(list)) return false;  // the file ends inside the list
  }
}

}  // namespace

// ---- the hive -------------------------------------------------------------------------

Hive::Hive(std::string_view root_path, HiveArch arch) : root_(std::make_unique<HiveKey>(u"", nullptr)), arch_(arch) {
  preamble_ = std::string(kSignature) + "\n;; All keys relative to ";
  for (char c : root_path) preamble_ += c == '\\' ? std::string("\\\\") : std::string(1, c);
  preamble_ += "\n";
  if (arch == HiveArch::Win32) preamble_ += "\n#arch=win32\n";
  if (arch == HiveArch::Win64) preamble_ += "\n#arch=win64\n";
  root_->modified_ = filetime_now();
  modified_ = true;
}

Hive Hive::parse(std::string_view text, std::string_view file_name) {
  Hive hive;
  hive.root_ = std::make_unique<HiveKey>(u"", nullptr);
  hive.original_ = std::string(text);
  const std::string name(file_name);
  auto fail = [&](std::size_t line, const std::string& message) {
    throw HiveFormatError(name + ":" + std::to_string(line) + ": " + message);
  };

  Lines lines(hive.original_);
  std::string_view line;
  std::size_t start = 0;
  if (!lines.next(line, start) || line != kSignature) throw HiveFormatError(name + " is not a valid registry file");

  const std::uint64_t load_time = filetime_now();
  HiveKey* key = nullptr;
  std::size_t preamble_end = hive.original_.size();
  while (lines.next(line, start)) {
    const std::string_view p = skip_space(line);
    if (p.empty()) continue;
    if (p[0] == '[') {
      if (!key) preamble_end = start;
      const auto parsed = parse_key_line(p);
      if (!parsed) fail(lines.number(), "unterminated key name '" + std::string(line) + "'");
      key = hive.root_.get();
      // The loader unescapes the whole path first, then splits it on single backslashes.
      for (const auto part : split_path(parsed->path)) {
        HiveKey& child = key->insert_subkey(part);
        // Keys the file does not list take the time of their first listed descendant.
        if (child.modified_ == 0)
          child.modified_ = parsed->seconds ? ticks_from_seconds(*parsed->seconds) : load_time;
        key = &child;
      }
      if (!key->listed_ || key == hive.root_.get()) key->modified_ = parsed->seconds ? ticks_from_seconds(*parsed->seconds) : load_time;
      key->listed_ = true;
      key->header_ += line;
      key->header_ += '\n';
      continue;
    }
    if (!key) {
      if (p.starts_with("#arch=")) {
        const std::string_view arch = trim_right(p.substr(6));
        if (arch == "win32") hive.arch_ = HiveArch::Win32;
        else if (arch == "win64") hive.arch_ = HiveArch::Win64;
        else fail(lines.number(), "unknown architecture '" + std::string(arch) + "'");
      }
      continue;  // other lines before the first key stay in the preamble as found
    }
    if (p[0] == '#') {
      bool applied = true;
      if (p.starts_with("#time=")) {
        const auto time = parse_hex64(trim_right(p.substr(6)));
        if (time) key->modified_ = *time;
        applied = time.has_value();
      } else if (p.starts_with("#class=\"")) {
        std::size_t used = 0;
        const std::string_view body = p.substr(8);
        auto cls = unescape_string(body, '"', used);
        applied = used < body.size();
        if (applied) key->class_ = std::move(cls);
      } else if (p.starts_with("#link")) {
        key->link_ = true;
      } else {
        applied = false;
      }
      if (applied) {
        key->header_ += line;
        key->header_ += '\n';
      } else {
        key->extra_lines_.emplace_back(line);
      }
      continue;
    }
    if (p[0] == '@' || p[0] == '"') {
      std::u16string value_name;
      std::string_view rest;
      bool name_ok = true;
      if (p[0] == '@') {
        rest = p.substr(1);
      } else {
        std::size_t used = 0;
        value_name = unescape_string(p.substr(1), '"', used);
        name_ok = 1 + used < p.size();
        if (name_ok) rest = p.substr(2 + used);
      }
      rest = skip_space(rest);
      if (!name_ok || rest.empty() || rest[0] != '=') {
        key->extra_lines_.emplace_back(line);  // no name Wine could use: keep the line as found
        continue;
      }
      HiveValue parsed;
      std::string raw(line);
      const bool ok = parse_value_data(skip_space(rest.substr(1)), parsed, [&](std::string_view& next) {
        std::size_t next_start = 0;
        if (!lines.next(next, next_start)) return false;
        raw += '\n';
        raw += next;
        return true;
      });
      HiveValue& value = key->value_slot(value_name);
      value.type = ok ? parsed.type : REG_NONE;
      value.data = ok ? std::move(parsed.data) : std::string();
      value.malformed = !ok;
      value.raw.clear();
      if (!ok || format_value(value) != raw) value.raw = std::move(raw);
      continue;
    }
    // Comments and input Wine does not understand are kept with the key they follow.
    key->extra_lines_.emplace_back(line);
  }
  hive.preamble_ = hive.original_.substr(0, preamble_end);
  while (hive.preamble_.ends_with("\n\n")) hive.preamble_.pop_back();
  if (!hive.preamble_.ends_with('\n')) hive.preamble_ += '\n';
  if (!hive.root_->listed_ && hive.root_->subkeys_.empty()) hive.root_->modified_ = load_time;
  return hive;
}

std::string Hive::serialize() const {
  if (!modified_) return original_;
  std::string out = preamble_;
  out.reserve(original_.size() + 4096);
  std::u16string path;
  write_key(*root_, path, out);
  return out;
}

void Hive::saved(std::string text) {
  original_ = std::move(text);
  modified_ = false;
}

void Hive::write_key(const HiveKey& key, std::u16string& path, std::string& out) const {
  const bool is_root = &key == root_.get();
  const bool wine_writes = !key.values_.empty() || key.subkeys_.empty() || key.class_ || key.link_;
  // A changed key is written in Wine's form: only where Wine itself would write it.
  if (wine_writes || (key.listed_ && !key.changed_) || !key.extra_lines_.empty()) {
    out += '\n';
    if (key.listed_ && !key.changed_) {
      out += key.header_;
    } else {
      out += '[';
      escape_string(path, "[]", out);
      out += "] ";
      out += std::to_string(static_cast<std::uint32_t>((key.modified_ - kTicks1601To1970) / kTicksPerSecond));
      out += "\n#time=";
      append_hex(out, static_cast<unsigned>(key.modified_ >> 32), 1);
      append_hex(out, static_cast<unsigned>(key.modified_ & 0xFFFFFFFF), 8);
      out += '\n';
      if (key.class_) {
        out += "#class=\"";
        escape_string(*key.class_, "\"\"", out);
        out += "\"\n";
      }
      if (key.link_) out += "#link\n";
    }
    for (const HiveValue& value : key.values_) {
      out += value.raw.empty() ? format_value(value) : value.raw;
      out += '\n';
    }
    for (const std::string& line : key.extra_lines_) {
      out += line;
      out += '\n';
    }
  }
  for (const auto& child : key.subkeys_) {
    const std::size_t length = path.size();
    if (!is_root) path += u'\\';
    path += child->name_;
    write_key(*child, path, out);
    path.resize(length);
  }
}

}  // namespace win32::detail
