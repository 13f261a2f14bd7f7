// Times parsing and saving a wineboot system.reg and one WriteSuiteString on such a prefix.
// Usage: registry_bench [PREFIX]  (default: the prefix the interoperability fixture made)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "platform/win32/registry.h"
#include "services/ComRegUnit.h"

namespace fs = std::filesystem;
using namespace win32;

namespace {

template <typename F>
double median_ms(int runs, F&& body) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    body();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path prefix = argc > 1 ? fs::path(argv[1]) : fs::path(SETUP_BINARY_DIR) / "wine-prefixes/win64";
  std::ifstream in(prefix / "system.reg", std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "no %s/system.reg; run `ctest -R wine_prefixes` first or name a prefix\n", prefix.c_str());
    return 2;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  const auto lines = std::count(text.begin(), text.end(), '\n');

  const double parse = median_ms(9, [&] { detail::Hive::parse(text, "system.reg"); });
  detail::Hive hive = detail::Hive::parse(text, "system.reg");
  hive.mark_modified();  // the writer walks every key, as after a change
  std::size_t written = 0;
  const double serialize = median_ms(9, [&] { written = hive.serialize().size(); });

  // A private machine directory: the registry files and the drive links WriteSuiteString needs.
  const fs::path work = fs::temp_directory_path() / ("registry-bench-" + std::to_string(::getpid()));
  fs::create_directories(work / "dosdevices");
  fs::create_directories(work / "drive_c");
  fs::create_directory_symlink("../drive_c", work / "dosdevices/c:");
  const double write_suite = median_ms(9, [&] {
    fs::copy_file(prefix / "system.reg", work / "system.reg", fs::copy_options::overwrite_existing);
    fs::copy_file(prefix / "user.reg", work / "user.reg", fs::copy_options::overwrite_existing);
    Machine machine(work);  // a fresh machine: the call includes loading and saving system.reg
    MachineScope scope(machine);
    WriteSuiteString("CDROM", "Path", "Source", "D:\\");
  });
  const bool wrote = read_value(Machine(work), HKEY_LOCAL_MACHINE, "SOFTWARE\\CrossWord Tyx\\CDROM\\Path", "Source")
                         .has_value();
  fs::remove_all(work);

  std::printf("system.reg: %ld lines, %zu bytes\n", static_cast<long>(lines), text.size());
  std::printf("parse:            %8.2f ms\n", parse);
  std::printf("serialize (all):  %8.2f ms (%zu bytes)\n", serialize, written);
  std::printf("WriteSuiteString: %8.2f ms (load, write, save with fsync)%s\n", write_suite, wrote ? "" : "  FAILED");
  return wrote ? 0 : 1;
}
