// Conversions between Windows-1252 and the host's UTF-8 and UTF-16.
#include "platform/rtl/ansi.h"

namespace rtl {
namespace {

void append_utf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Windows upper-cases an ANSI character through Unicode and keeps it when the result has
// no ANSI byte (µ, ß).
char32_t unicode_upper(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  switch (c) {
    case 0xFF: return 0x178;
    case 0x161: return 0x160;
    case 0x153: return 0x152;
    case 0x17E: return 0x17D;
    default: return c;
  }
}

char32_t unicode_lower(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  switch (c) {
    case 0x178: return 0xFF;
    case 0x160: return 0x161;
    case 0x152: return 0x153;
    case 0x17D: return 0x17E;
    default: return c;
  }
}

bool is_ascii(std::string_view text) {
  for (char ch : text)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

// Every path and name passes through case mapping and comparison: one table per mapping
// spares each character the round trip through Unicode.
struct CaseTables {
  char upper[256];
  char lower[256];
  char32_t upper_code[256];  // the Unicode character the byte upper-cases to, for ordering
  CaseTables() {
    for (int byte = 0; byte < 256; ++byte) {
      const char32_t code = detail::cp1252_to_unicode(static_cast<unsigned char>(byte));
      const int up = detail::cp1252_from_unicode(unicode_upper(code));
      const int down = detail::cp1252_from_unicode(unicode_lower(code));
      upper[byte] = static_cast<char>(up >= 0 ? up : byte);
      lower[byte] = static_cast<char>(down >= 0 ? down : byte);
      upper_code[byte] = unicode_upper(code);
    }
  }
};

const CaseTables& case_tables() {
  static const CaseTables tables;
  return tables;
}

AnsiString map_case(std::string_view text, const char (&table)[256]) {
  AnsiString out(text);
  for (char& ch : out) ch = table[static_cast<unsigned char>(ch)];
  return out;
}

}  // namespace

std::string ansi_to_utf8(std::string_view ansi) {
  if (is_ascii(ansi)) return std::string(ansi);
  std::string out;
  out.reserve(ansi.size());
  for (char ch : ansi) append_utf8(out, detail::cp1252_to_unicode(static_cast<unsigned char>(ch)));
  return out;
}

std::u16string ansi_to_utf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char ch : ansi) out += static_cast<char16_t>(detail::cp1252_to_unicode(static_cast<unsigned char>(ch)));
  return out;
}

AnsiString utf8_to_ansi(std::string_view utf8, char replacement) {
  if (is_ascii(utf8)) return AnsiString(utf8);
  AnsiString out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const int byte = detail::cp1252_from_unicode(detail::decode_utf8(utf8, pos));
    out += byte < 0 ? replacement : static_cast<char>(byte);
  }
  return out;
}

bool utf8_fits_ansi(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();)
    if (detail::cp1252_from_unicode(detail::decode_utf8(utf8, pos)) < 0) return false;
  return true;
}

AnsiString utf16_to_ansi(std::u16string_view utf16, char replacement) {
  AnsiString out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    // A surrogate pair is one character, and never an ANSI one.
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) ++i;
    const int byte = detail::cp1252_from_unicode(code >= 0xD800 && code < 0xE000 ? 0xFFFFFFFF : code);
    out += byte < 0 ? replacement : static_cast<char>(byte);
  }
  return out;
}

AnsiString AnsiUpperCase(std::string_view text) { return map_case(text, case_tables().upper); }
AnsiString AnsiLowerCase(std::string_view text) { return map_case(text, case_tables().lower); }

int AnsiCompareText(std::string_view a, std::string_view b) {
  const char32_t* upper = case_tables().upper_code;
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t ua = upper[static_cast<unsigned char>(a[i])];
    const char32_t ub = upper[static_cast<unsigned char>(b[i])];
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

}  // namespace rtl
