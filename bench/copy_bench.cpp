// Copies a folder tree the way the installation does (FindFirst/FindNext, MkDir, CopyFileA),
// and generates the deterministic tree that copy_bench.sh times against cp -r.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/win32/files.h"
#include "platform/win32/machine.h"

namespace fs = std::filesystem;
using namespace win32;

namespace {

// xorshift64*: incompressible bytes that are the same on every machine.
struct Random {
  std::uint64_t state;
  std::uint64_t next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1DULL;
  }
};

void write_random_file(const fs::path& file, std::size_t size, Random& random) {
  std::vector<std::uint64_t> block(1 << 16);
  std::ofstream out(file, std::ios::binary);
  while (size > 0) {
    for (auto& word : block) word = random.next();
    const std::size_t n = std::min(size, block.size() * sizeof(std::uint64_t));
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
    size -= n;
  }
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// About 270 MB: five large files of 20 to 40 MB and some 750 files of 2 KB to 1 MB
// (log-uniform, as installed programs, pictures and dictionaries are) in 12 folders.
int generate(const fs::path& root) {
  Random random{0x5EEDC0FFEEULL};
  fs::create_directories(root);
  std::uint64_t total = 0;
  const std::size_t large[] = {40, 35, 30, 25, 20};
  for (std::size_t i = 0; i < std::size(large); ++i) {
    write_random_file(root / ("large" + std::to_string(i) + ".dat"), large[i] << 20, random);
    total += large[i] << 20;
  }
  const std::uint64_t small_total = 120ull << 20;
  std::uint64_t small = 0;
  for (int n = 0; small < small_total; ++n) {
    const int folder = n % 12;
    const fs::path dir = root / ("group" + std::to_string(folder / 3)) / ("part" + std::to_string(folder % 3));
    fs::create_directories(dir);
    // 2 KB * 512^u for u uniform in [0, 1)
    const double u = static_cast<double>(random.next() >> 11) / static_cast<double>(1ull << 53);
    const auto size = static_cast<std::size_t>(2048.0 * std::pow(512.0, u));
    write_random_file(dir / ("file" + std::to_string(n) + ".bin"), size, random);
    small += size;
  }
  total += small;
  std::printf("generated %.1f MB in %s\n", static_cast<double>(total) / (1 << 20), root.c_str());
  return 0;
}

void copy_tree(const AnsiString& from, const AnsiString& to) {
  MkDir(to);
  TSearchRec f;
  for (int found = FindFirst(from + "\\*.*", faAnyFile, f); found == 0; found = FindNext(f)) {
    if (f.Name == "." || f.Name == "..") continue;
    if (f.Attr & faDirectory) {
      copy_tree(from + "\\" + f.Name, to + "\\" + f.Name);
    } else if (!CopyFileA(from + "\\" + f.Name, to + "\\" + f.Name, FALSE)) {
      throw std::runtime_error("CopyFileA " + from + "\\" + f.Name + " failed with error " +
                               std::to_string(GetLastError()));
    }
  }
  FindClose(f);
}

// The machine beside the destination: drive D is the source and E the destination's folder.
fs::path machine_dir(const fs::path& destination) {
  const fs::path target = fs::absolute(destination).lexically_normal();
  return target.parent_path() / (target.filename().string() + ".machine");
}

// Made once before the timed copies, as the machine exists before Setup runs.
int make_machine(const fs::path& source, const fs::path& destination) {
  const fs::path prefix = machine_dir(destination);
  fs::remove_all(prefix);
  fs::create_directories(prefix / "drive_c");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
  fs::create_directory_symlink(fs::absolute(source), prefix / "dosdevices/d:");
  fs::create_directory_symlink(machine_dir(destination).parent_path(), prefix / "dosdevices/e:");
  return 0;
}

// Prints the wall-clock instant (ns since the epoch) at which the copy was complete: Setup
// goes on after copying, so what the process does on its way out is not part of the copy.
int copy(const fs::path& destination) {
  Machine machine(machine_dir(destination));
  MachineScope scope(machine);
  copy_tree("D:", "E:\\" + rtl::utf8_to_ansi(fs::absolute(destination).lexically_normal().filename().string()));
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::printf("%lld%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && argc == 3) return generate(argv[2]);
    if (mode == "machine" && argc == 4) return make_machine(argv[2], argv[3]);
    if (mode == "copy" && argc == 3) return copy(argv[2]);
    std::fprintf(stderr, "usage: copy_bench generate DIR | machine SOURCE DESTINATION | copy DESTINATION\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "copy_bench: %s\n", e.what());
    return 1;
  }
}
