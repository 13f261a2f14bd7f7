// AddFontResourceA: checks the font file's signature and records it in the session.
#include "platform/win32/fonts.h"

#include <fcntl.h>

#include <cstdint>

#include "platform/win32/host.h"
#include "platform/win32/paths.h"

namespace win32 {
namespace {

std::vector<rtl::AnsiString>& table() {
  static std::vector<rtl::AnsiString> fonts;
  return fonts;
}

std::uint32_t big_endian(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// The number of faces in a font file by its header, 0 when it is none we know.
int faces_in(const std::filesystem::path& file) {
  const int fd = detail::host().open(file.c_str(), O_RDONLY, 0);
  if (fd < 0) return 0;
  unsigned char header[12] = {};
  const ssize_t got = detail::host().read(fd, header, sizeof header);
  detail::host().close(fd);
  if (got < 12) return 0;
  const std::uint32_t tag = big_endian(header);
  if (tag == 0x00010000 || tag == 0x74727565 /* true */ || tag == 0x4F54544F /* OTTO */) return 1;
  if (tag == 0x74746366 /* ttcf */) return static_cast<int>(big_endian(header + 8));
  return 0;
}

}  // namespace

int AddFontResourceA(const char* file_name) {
  if (!file_name) return 0;
  const ResolvedPath path = resolve_path(file_name);
  if (!path) return 0;
  const int faces = faces_in(path.host);
  if (faces > 0) table().push_back(path.full);
  return faces;
}

const std::vector<rtl::AnsiString>& session_fonts() { return table(); }

}  // namespace win32
