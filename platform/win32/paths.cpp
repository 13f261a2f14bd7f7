// Mapping Windows paths onto the machine's drives.
#include "platform/win32/paths.h"

#include <sys/stat.h>

#include <vector>

#include "platform/win32/folder_cache.h"
#include "platform/win32/host.h"

namespace win32 {
namespace fs = std::filesystem;

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }
bool is_drive_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Splits at either separator, dropping empty components.
std::vector<AnsiString> split_components(std::string_view text) {
  std::vector<AnsiString> parts;
  parts.reserve(16);  // deeper paths are rare; growing one by one costs several allocations
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || is_separator(text[i])) {
      if (i > start) parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// Folds "." and ".." into the stack; ".." at the root stays at the root, as Windows does.
void push_component(std::vector<AnsiString>& stack, const AnsiString& part) {
  if (part == ".") return;
  if (part == "..") {
    if (!stack.empty()) stack.pop_back();
    return;
  }
  stack.push_back(part);
}

bool host_entry_exists(const fs::path& path) {
  struct stat info {};
  return detail::host().lstat(path.c_str(), &info) == 0;
}

bool host_is_directory(const fs::path& path) {
  struct stat info {};
  return detail::host().stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The on-disk name of `name` in `folder`: the exact name when it exists, else the first
// entry that matches case-insensitively, else nothing.
std::optional<std::string> find_entry(const fs::path& folder, const AnsiString& name) {
  const std::string exact = rtl::ansi_to_utf8(name);
  if (host_entry_exists(folder / exact)) return exact;
  struct stat info {};
  if (detail::host().stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return detail::find_case_insensitive(folder.native(), info, name);
}

}  // namespace


bool valid_file_name(std::string_view name) {
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32) return false;
    switch (c) {
      case '<': case '>': case ':': case '"': case '/': case '\\': case '|': case '?': case '*':
        return false;
      default: break;
    }
  }
  return true;
}

AnsiString windows_name_of(const std::string& host_name) { return rtl::utf8_to_ansi(host_name); }

namespace {

// Whether `path` is a full path already: a drive, '\\' and names with nothing to fold
// ("." or "..", doubled or forward separators, a last name ending in a dot or blank).
// Nearly every path a program passes is; it then needs no taking apart.
bool already_full(std::string_view path) {
  if (path.size() < 3 || !is_drive_letter(path[0]) || path[1] != ':' || path[2] != '\\') return false;
  std::size_t start = 3;
  std::string_view last;
  for (std::size_t i = 3; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') {
      if (path[i] == '/' || path[i] == '\0') return false;
      continue;
    }
    const std::string_view name = path.substr(start, i - start);
    if (name.empty()) {
      if (i < path.size()) return false;
      break;
    }
    if (name == "." || name == "..") return false;
    last = name;
    start = i + 1;
  }
  return last.empty() || (last.back() != '.' && last.back() != ' ');
}

}  // namespace

AnsiString full_windows_path(const AnsiString& raw, const Machine& machine) {
  if (already_full(raw)) {
    AnsiString full = raw;
    full[0] = static_cast<char>(full[0] & ~0x20);
    return full;
  }
  // Windows reads the path as a C string.
  const AnsiString path = raw.substr(0, raw.find('\0'));
  if (path.empty()) return {};
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) return {};  // UNC

  char drive;
  std::string_view rest;
  std::vector<AnsiString> stack;
  stack.reserve(16);
  const AnsiString& current = machine.CurrentDirectory();
  if (path.size() >= 2 && path[1] == ':') {
    if (!is_drive_letter(path[0])) return {};
    drive = static_cast<char>(path[0] & ~0x20);
    rest = std::string_view(path).substr(2);
    // "D:name" continues from the current directory when it is on that drive.
    if (rest.empty() || !is_separator(rest[0])) {
      if (current.size() >= 2 && (current[0] & ~0x20) == drive)
        for (const AnsiString& part : split_components(std::string_view(current).substr(2))) stack.push_back(part);
    }
  } else {
    if (current.size() < 2 || current[1] != ':') return {};
    drive = static_cast<char>(current[0] & ~0x20);
    rest = path;
    if (!is_separator(path[0]))
      for (const AnsiString& part : split_components(std::string_view(current).substr(2))) stack.push_back(part);
  }
  for (const AnsiString& part : split_components(rest)) push_component(stack, part);

  // Windows drops trailing dots and spaces of the last name ("Tyx." is "Tyx").
  if (!stack.empty()) {
    AnsiString& last = stack.back();
    const std::size_t keep = last.find_last_not_of(". ");
    if (keep == AnsiString::npos) stack.pop_back();
    else last.resize(keep + 1);
  }

  AnsiString full{drive, ':', '\\'};
  for (std::size_t i = 0; i < stack.size(); ++i) {
    if (i) full += '\\';
    full += stack[i];
  }
  // A path that named a folder with a final separator keeps it.
  if (!stack.empty() && is_separator(path.back())) full += '\\';
  return full;
}

namespace {

// The full Windows path and its components, checked for what Windows refuses; the root
// of its drive. Sets `result.error` and returns false when the path cannot name anything.
bool check_path(const AnsiString& path, const Machine& machine, LastComponent last, ResolvedPath& result,
                AnsiString& full, std::vector<AnsiString>& parts, const fs::path*& root) {
  full = full_windows_path(path, machine);
  if (full.empty()) {
    const bool unc = path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]);
    result.error = unc ? ERROR_BAD_NETPATH : path.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME;
    return false;
  }
  parts = split_components(std::string_view(full).substr(2));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool is_last = i + 1 == parts.size();
    AnsiString name = parts[i];
    if (is_last && last == LastComponent::Pattern) {
      name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '*' || c == '?'; }), name.end());
      if (name.empty()) continue;
    }
    if (!valid_file_name(name)) {
      result.error = ERROR_INVALID_NAME;
      return false;
    }
  }
  const auto& drive = machine.DriveRoot(full[0]);
  if (!drive) {
    result.error = ERROR_PATH_NOT_FOUND;
    return false;
  }
  root = &*drive;
  return true;
}

// The host path of the first `count` components below `root`, each in the case given.
std::string host_path_below(const fs::path& root, const std::vector<AnsiString>& parts, std::size_t count) {
  std::string host = root.native();
  for (std::size_t i = 0; i < count; ++i) {
    host += '/';
    host += rtl::ansi_to_utf8(parts[i]);
  }
  return host;
}

}  // namespace

ResolvedPath assume_exact_path(const AnsiString& path) {
  ResolvedPath result;
  AnsiString full;
  std::vector<AnsiString> parts;
  const fs::path* root = nullptr;
  if (!check_path(path, current_machine(), LastComponent::Name, result, full, parts, root)) return result;
  std::string exact = host_path_below(*root, parts, parts.size());
  if (!parts.empty() && full.back() == '\\') exact += '/';
  result.full = full;
  result.host = std::move(exact);
  result.found = result.parent_exists = true;
  return result;
}

ResolvedPath resolve_path(const AnsiString& path, const Machine& machine, LastComponent last) {
  ResolvedPath result;
  AnsiString full;
  std::vector<AnsiString> parts;
  const fs::path* root = nullptr;
  if (!check_path(path, machine, last, result, full, parts, root)) return result;

  // Most paths name existing entries in their exact case, or a new name in an existing
  // folder: one lstat, or two, settle those without the walk below.
  const std::size_t looked_up = parts.size() - (last == LastComponent::Pattern && !parts.empty() ? 1 : 0);
  if (looked_up > 0) {
    // Plain strings: building a filesystem::path component by component costs more here
    // than the system calls.
    std::string exact = host_path_below(*root, parts, looked_up);
    const std::size_t cut = exact.rfind('/');
    const std::string folder = exact.substr(0, cut);
    // Looks the last name up in the folder's kept listing; false when `folder` is none.
    const auto look_in_folder = [&] {
      struct stat info {};
      if (detail::host().stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
      const auto entry = detail::find_case_insensitive(folder, info, parts[looked_up - 1],
                                                       looked_up == parts.size() ? &result.folder : nullptr);
      if (entry) exact.replace(cut + 1, std::string::npos, *entry);
      result.found = entry.has_value();
      return true;
    };
    // A folder that is being filled has a listing; it answers for a new name without the
    // look on disk that would only miss.
    bool settled = detail::has_folder_listing(folder) && look_in_folder();
    if (!settled) {
      struct stat info {};
      settled = result.found = detail::host().lstat(exact.c_str(), &info) == 0;
      if (!settled && errno == ENOENT) settled = look_in_folder();
    }
    if (settled) {
      if (looked_up < parts.size()) {
        exact += '/';
        exact += rtl::ansi_to_utf8(parts.back());
        result.found = false;
      }
      if (full.back() == '\\') exact += '/';
      result.full = full;
      result.host = std::move(exact);
      result.parent_exists = true;
      return result;
    }
    result.found = false;
  }

  if (!host_is_directory(*root)) {
    result.error = ERROR_NOT_READY;  // a drive whose medium or folder is absent
    return result;
  }
  fs::path host = *root;
  bool found = true;
  result.parent_exists = true;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool is_last = i + 1 == parts.size();
    if (found) {
      if (auto entry = (is_last && last == LastComponent::Pattern) ? std::nullopt : find_entry(host, parts[i])) {
        host /= *entry;
        continue;
      }
      found = false;
    }
    if (!is_last) result.parent_exists = false;
    host /= rtl::ansi_to_utf8(parts[i]);
  }
  result.found = found && !parts.empty() && last == LastComponent::Name;
  if (!parts.empty() && full.back() == '\\') host /= "";
  result.full = full;
  result.host = host.native();
  return result;
}

ResolvedPath resolve_path(const AnsiString& path, LastComponent last) {
  return resolve_path(path, current_machine(), last);
}

}  // namespace win32
