// Opening a machine directory: its drives, its lock, the program's own path.
#include "platform/win32/machine.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/win32/host.h"

namespace win32 {
namespace fs = std::filesystem;

namespace {

Machine* active_machine = nullptr;

std::string hex(unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", value);
  return text;
}

// True when some process holds a POSIX write lock on byte 0 of `lock_file`; flock(2)
// cannot see that lock, so it must be F_GETLK.
bool lock_is_held(const fs::path& lock_file) {
  const detail::HostFd fd(detail::host().open(lock_file.c_str(), O_RDONLY, 0));
  if (!fd) return false;
  struct flock query {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  query.l_start = 0;
  query.l_len = 1;
  return ::fcntl(fd.get(), F_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

}  // namespace

bool wineserver_running(const fs::path& prefix) {
  struct stat info {};
  if (detail::host().stat(prefix.c_str(), &info) != 0) return false;
  const std::string server = "server-" + hex(info.st_dev) + "-" + hex(info.st_ino);
  const std::string uid = std::to_string(::getuid());

  // Upstream keeps the server directory in /tmp; Debian's build in a mkdtemp folder named
  // by the prefix's "wineserver" file, or under /run/user. Any of them may be the one.
  std::vector<fs::path> candidates = {fs::path("/tmp/.wine-" + uid) / server,
                                      fs::path("/run/user/" + uid) / "wine" / server};
  std::ifstream name_file(prefix / "wineserver");
  std::string name;
  if (name_file && std::getline(name_file, name) && !name.empty() && name.find('/') == std::string::npos) {
    if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir && *tmpdir) candidates.push_back(fs::path(tmpdir) / name / server);
    candidates.push_back(fs::path("/tmp") / name / server);
  }
  for (const fs::path& dir : candidates)
    if (lock_is_held(dir / "lock")) return true;
  return false;
}

Machine::Machine(fs::path prefix) : prefix_(fs::absolute(std::move(prefix)).lexically_normal()) {
  if (!prefix_.has_filename() && prefix_.has_relative_path()) prefix_ = prefix_.parent_path();
  const std::string shown = prefix_.string();
  struct stat info {};
  if (detail::host().stat(prefix_.c_str(), &info) != 0)
    throw MachineUnusable("the machine directory " + shown + " does not exist");
  if (!S_ISDIR(info.st_mode)) throw MachineUnusable("the machine directory " + shown + " is not a directory");
  if (detail::host().access(prefix_.c_str(), R_OK | W_OK | X_OK) != 0)
    throw MachineUnusable("the machine directory " + shown + " cannot be read and written: " + std::strerror(errno));
  if (wineserver_running(prefix_))
    throw MachineUnusable("a wineserver is running on " + shown +
                          "; close its Wine programs (or run `wineserver -k`) and start Setup again");

  const fs::path devices = prefix_ / "dosdevices";
  std::vector<std::string> names;
  if (detail::host().list_directory(devices.c_str(), names) != 0)
    throw MachineUnusable("the machine directory " + shown + " has no readable dosdevices folder");
  for (const std::string& name : names) {
    // Wine only knows lower-case links of one letter and a colon; "d::" is a raw device.
    if (name.size() != 2 || name[1] != ':' || name[0] < 'a' || name[0] > 'z') continue;
    char target[4096];
    const ssize_t size = detail::host().readlink((devices / name).c_str(), target, sizeof target);
    if (size <= 0 || static_cast<std::size_t>(size) >= sizeof target) continue;
    fs::path resolved(std::string(target, static_cast<std::size_t>(size)));
    if (resolved.is_relative()) resolved = devices / resolved;
    drive_targets_[name[0] - 'a'] = resolved.lexically_normal();
  }

  if (const auto cwd = WindowsPathOf(fs::current_path())) current_directory_ = *cwd;
}

const std::optional<fs::path>& Machine::DriveRoot(char letter) const {
  static const std::optional<fs::path> none;
  const char lower = static_cast<char>(letter | 0x20);
  if (lower < 'a' || lower > 'z') return none;
  return drive_targets_[lower - 'a'];
}

std::optional<AnsiString> Machine::WindowsPathOf(const fs::path& host_path) const {
  const fs::path path = fs::absolute(host_path).lexically_normal();
  std::optional<AnsiString> best;
  std::size_t best_length = 0;
  for (int i = 0; i < 26; ++i) {
    if (!drive_targets_[i]) continue;
    const fs::path rel = path.lexically_relative(*drive_targets_[i]);
    if (rel.empty() || *rel.begin() == "..") continue;
    const std::size_t length = drive_targets_[i]->native().size();
    if (best && length <= best_length) continue;
    AnsiString windows{static_cast<char>('A' + i), ':', '\\'};
    bool first = true;
    for (const fs::path& part : rel) {
      if (part == ".") continue;
      if (!first) windows += '\\';
      windows += rtl::utf8_to_ansi(part.native());
      first = false;
    }
    best = windows;
    best_length = length;
  }
  return best;
}

fs::path selected_machine_directory() {
  if (const char* machine = std::getenv("SETUP_MACHINE"); machine && *machine) return machine;
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/") / ".wine";
}

namespace {

// The host path by which the program was started, without resolving symlinks (the demo
// medium's SETUP.EXE is a link to the built program and must stay on the medium).
fs::path started_as(const char* argv0) {
  const std::string name = argv0 ? argv0 : "";
  if (name.find('/') != std::string::npos) return fs::absolute(name).lexically_normal();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    if (!name.empty() && detail::host().access(candidate.c_str(), X_OK) == 0) return fs::absolute(candidate).lexically_normal();
    start = end + 1;
  }
  return fs::absolute(name).lexically_normal();
}

bool looks_like_windows_path(const std::string& text) {
  return (text.size() >= 2 && text[1] == ':') || text.find('\\') != std::string::npos;
}

}  // namespace

std::unique_ptr<Machine> open_selected_machine(const char* argv0) {
  auto machine = std::make_unique<Machine>(selected_machine_directory());
  const char* program = std::getenv("SETUP_PROGRAM");
  if (program && *program && looks_like_windows_path(program)) {
    const AnsiString text = rtl::utf8_to_ansi(program);
    const char drive = static_cast<char>(text[0] | 0x20);
    if (text.size() < 3 || text[1] != ':' || text[2] != '\\' || !machine->DriveRoot(drive))
      throw MachineUnusable("SETUP_PROGRAM=" + std::string(program) + " names no drive of the machine");
    machine->SetProgramPath(AnsiString{static_cast<char>(drive & ~0x20)} + text.substr(1));
    return machine;
  }
  const fs::path host = program && *program ? fs::absolute(program).lexically_normal() : started_as(argv0);
  const auto windows = machine->WindowsPathOf(host);
  if (!windows) throw MachineUnusable("no drive of the machine reaches the program " + host.string());
  machine->SetProgramPath(*windows);
  return machine;
}

Machine& current_machine() {
  if (!active_machine) throw std::logic_error("no machine is open");
  return *active_machine;
}

bool has_current_machine() { return active_machine != nullptr; }

MachineScope::MachineScope(Machine& machine) : previous_(active_machine) { active_machine = &machine; }
MachineScope::~MachineScope() { active_machine = previous_; }

}  // namespace win32
