// WinExec: resolving a command line the way CreateProcess does and starting it detached.
#include "platform/win32/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/host.h"
#include "platform/win32/machine.h"
#include "platform/win32/paths.h"

extern char** environ;

namespace win32 {
namespace detail {

std::vector<CommandLineCandidate> command_line_candidates(const AnsiString& command_line) {
  std::vector<CommandLineCandidate> out;
  const std::size_t first = command_line.find_first_not_of(" \t");
  if (first == AnsiString::npos) return out;
  const AnsiString line = command_line.substr(first);
  auto with_exe = [](AnsiString name) {
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t dot = name.find_last_of('.');
    if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) name += ".exe";
    return name;
  };
  if (line[0] == '"') {
    const std::size_t close = line.find('"', 1);
    const AnsiString program = line.substr(1, close == AnsiString::npos ? AnsiString::npos : close - 1);
    AnsiString rest = close == AnsiString::npos ? "" : line.substr(close + 1);
    out.push_back({with_exe(program), rest.substr(std::min(rest.size(), rest.find_first_not_of(" \t")))});
    return out;
  }
  for (std::size_t pos = 0;; ++pos) {
    const std::size_t blank = line.find_first_of(" \t", pos);
    const AnsiString program = line.substr(0, blank);
    AnsiString rest = blank == AnsiString::npos ? "" : line.substr(blank + 1);
    out.push_back({with_exe(program), rest});
    if (blank == AnsiString::npos) break;
    pos = blank;
  }
  return out;
}

}  // namespace detail

namespace {

enum class Kind { Missing, Windows, Host, Unknown };

Kind kind_of(const std::filesystem::path& file) {
  struct stat info {};
  if (detail::host().stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return Kind::Missing;
  const int fd = detail::host().open(file.c_str(), O_RDONLY, 0);
  char magic[4] = {};
  const ssize_t got = fd >= 0 ? detail::host().read(fd, magic, sizeof magic) : -1;
  if (fd >= 0) detail::host().close(fd);
  if (got >= 2 && magic[0] == 'M' && magic[1] == 'Z') return Kind::Windows;
  const bool executable = (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
  if (executable && got >= 2 && ((magic[0] == '#' && magic[1] == '!') || std::memcmp(magic, "\x7F" "ELF", 4) == 0))
    return Kind::Host;
  return Kind::Unknown;
}

bool wine_installed() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/wine";
    if (detail::host().access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Blank-separated words, as a Windows program's C runtime would split them.
std::vector<std::string> split_arguments(const AnsiString& arguments) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : arguments) {
    if (c == '"') { quoted = !quoted; any = true; continue; }
    if ((c == ' ' || c == '\t') && !quoted) {
      if (any) words.push_back(rtl::ansi_to_utf8(word));
      word.clear();
      any = false;
      continue;
    }
    word += c;
    any = true;
  }
  if (any) words.push_back(rtl::ansi_to_utf8(word));
  return words;
}

// Starts argv in its own session and does not wait for it: a grandchild is reparented to
// init, so no zombie is left behind either.
bool spawn_detached(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<std::string> env_storage(extra_env);
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) {
    const std::string_view entry(*e);
    const bool replaced = std::any_of(extra_env.begin(), extra_env.end(), [&](const std::string& x) {
      return entry.substr(0, entry.find('=') + 1) == x.substr(0, x.find('=') + 1);
    });
    if (!replaced) env.push_back(*e);
  }
  for (std::string& e : env_storage) env.push_back(e.data());
  env.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    const int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0) ::dup2(null, 0);
    ::execve(args[0], args.data(), env.data());
    const int error = errno;
    [[maybe_unused]] ssize_t ignored = ::write(report[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(report[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  int error = 0;
  const bool exec_failed = ::read(report[0], &error, sizeof error) == sizeof error;
  ::close(report[0]);
  return !exec_failed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

UINT WinExec(const char* command_line, UINT /*show: every start shows its window*/) {
  const Machine& machine = current_machine();
  const AnsiString line = command_line ? command_line : "";
  const auto candidates = detail::command_line_candidates(line);
  if (candidates.empty()) return ERROR_FILE_NOT_FOUND;

  UINT failure = ERROR_FILE_NOT_FOUND;
  for (const auto& candidate : candidates) {
    ResolvedPath program = resolve_path(candidate.program, machine);
    if (!program) {
      failure = program.error == ERROR_PATH_NOT_FOUND ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
      continue;
    }
    switch (kind_of(program.host)) {
      case Kind::Missing:
        if (!program.parent_exists) failure = ERROR_PATH_NOT_FOUND;
        continue;
      case Kind::Unknown:
        return ERROR_BAD_FORMAT;
      case Kind::Host: {
        std::vector<std::string> argv{program.host};
        for (std::string& a : split_arguments(candidate.arguments)) argv.push_back(std::move(a));
        return spawn_detached(argv, {}) ? 33 : 0;
      }
      case Kind::Windows: {
        if (!wine_installed()) return ERROR_BAD_FORMAT;
        std::vector<std::string> argv{"/usr/bin/env", "wine", rtl::ansi_to_utf8(program.full)};
        for (std::string& a : split_arguments(candidate.arguments)) argv.push_back(std::move(a));
        return spawn_detached(argv, {"WINEPREFIX=" + machine.Prefix().string()}) ? 33 : 0;
      }
    }
  }
  return failure;
}

}  // namespace win32
