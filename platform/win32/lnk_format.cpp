// Serialising a shell link in the little-endian layout of the .lnk format.
#include "platform/win32/lnk_format.h"

#include <cstdint>

namespace win32::detail {
namespace {

constexpr std::uint32_t kHasLinkInfo = 0x2, kHasName = 0x4, kHasWorkingDir = 0x10, kHasArguments = 0x20,
                        kIsUnicode = 0x80;

void put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// A counted UTF-16 string without terminator, as the format defines it.
bool put_string(std::string& out, const rtl::AnsiString& text) {
  const std::u16string wide = rtl::ansi_to_utf16(text);
  if (wide.size() > 0xFFFF) return false;
  put16(out, static_cast<std::uint32_t>(wide.size()));
  for (char16_t c : wide) put16(out, c);
  return true;
}

}  // namespace

bool build_link(const LinkData& link, const LinkVolume& volume, std::string& out) {
  std::uint32_t flags = kHasLinkInfo | kIsUnicode;
  if (!link.description.empty()) flags |= kHasName;
  if (!link.working_directory.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;

  put32(out, 0x4C);
  static const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  out.append(reinterpret_cast<const char*>(clsid), sizeof clsid);
  put32(out, flags);
  out.append(4 + 3 * 8 + 4 + 4, '\0');  // attributes, three times, size, icon index: as the shell leaves them
  put32(out, 1);                        // SW_SHOWNORMAL
  out.append(2 + 2 + 4 + 4, '\0');      // hot key and reserved fields

  const std::uint32_t header = 0x1C;
  const std::uint32_t volume_size = 0x10 + static_cast<std::uint32_t>(volume.label.size()) + 1;
  const std::uint32_t base_offset = header + volume_size;
  const std::uint32_t suffix_offset = base_offset + static_cast<std::uint32_t>(link.target.size()) + 1;
  put32(out, suffix_offset + 1);  // LinkInfoSize: everything up to the empty suffix
  put32(out, header);
  put32(out, 1);  // VolumeIDAndLocalBasePath
  put32(out, header);
  put32(out, base_offset);
  put32(out, 0);
  put32(out, suffix_offset);
  put32(out, volume_size);
  put32(out, volume.drive_type);
  put32(out, volume.serial);
  put32(out, 0x10);
  out += volume.label;
  out += '\0';
  out += link.target;
  out += '\0';
  out += '\0';  // CommonPathSuffix

  if ((flags & kHasName) && !put_string(out, link.description)) return false;
  if ((flags & kHasWorkingDir) && !put_string(out, link.working_directory)) return false;
  if ((flags & kHasArguments) && !put_string(out, link.arguments)) return false;
  put32(out, 0);  // terminal block
  return true;
}

}  // namespace win32::detail
