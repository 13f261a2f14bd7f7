// Windows-1252 text: the one string type inside the system, its compile-time literals and
// the conversions used at the host and display boundaries.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// A string of Windows-1252 bytes; lengths and positions count ANSI characters.
using AnsiString = std::string;

namespace detail {

// The five byte values CP1252 leaves undefined map to the C1 control of the same number,
// as Windows' own table does, so every byte round-trips.
inline constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t cp1252_to_unicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

// The CP1252 byte of a code point, or -1 when the code page cannot hold it.
constexpr int cp1252_from_unicode(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == code) return 0x80 + i;
  return -1;
}

// Decodes one UTF-8 sequence at `pos`; returns the code point and advances `pos`, or
// returns U+FFFFFFFF for a malformed sequence (advancing by one byte).
constexpr char32_t decode_utf8(std::string_view text, std::size_t& pos) {
  constexpr char32_t kMalformed = 0xFFFFFFFF;
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) { ++pos; return lead; }
  const int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
  if (extra == 0 || pos + extra >= text.size()) { ++pos; return kMalformed; }
  char32_t code = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) { ++pos; return kMalformed; }
    code = (code << 6) | (next & 0x3F);
  }
  pos += extra + 1;
  return code;
}

template <std::size_t N>
struct Utf8Literal {
  char chars[N]{};
  consteval Utf8Literal(const char (&text)[N]) { std::copy_n(text, N, chars); }
};

template <std::size_t N>
struct Cp1252Literal {
  char bytes[N]{};
  std::size_t size = 0;
};

void character_outside_cp1252();  // not constexpr: calling it stops constant evaluation

template <Utf8Literal L>
consteval auto to_cp1252() {
  constexpr std::size_t n = sizeof(L.chars);
  Cp1252Literal<n> out;
  const std::string_view text(L.chars, n - 1);
  for (std::size_t pos = 0; pos < text.size();) {
    const int byte = cp1252_from_unicode(decode_utf8(text, pos));
    if (byte < 0) character_outside_cp1252();
    out.bytes[out.size++] = static_cast<char>(byte);
  }
  return out;
}

}  // namespace detail

inline namespace literals {

// "Rätsel"_a is the ANSI text of a UTF-8 source literal; a character that Windows-1252
// cannot hold is a compile error, so no text of the system can be silently mangled.
template <detail::Utf8Literal L>
AnsiString operator""_a() {
  static constexpr auto lit = detail::to_cp1252<L>();
  return AnsiString(lit.bytes, lit.size);
}

}  // namespace literals

std::string ansi_to_utf8(std::string_view ansi);
std::u16string ansi_to_utf16(std::string_view ansi);

// Characters outside CP1252 (and malformed UTF-8) become `replacement`, as Windows' best
// effort conversion does with its default character.
AnsiString utf8_to_ansi(std::string_view utf8, char replacement = '?');
AnsiString utf16_to_ansi(std::u16string_view utf16, char replacement = '?');
// True when every character of the UTF-8 text has a CP1252 byte.
bool utf8_fits_ansi(std::string_view utf8);

AnsiString AnsiUpperCase(std::string_view text);
AnsiString AnsiLowerCase(std::string_view text);
// Case-insensitive comparison in the order NTFS keeps names: upper-cased UTF-16 units.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

}  // namespace rtl
