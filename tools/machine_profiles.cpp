// The profiles of tools/make-machine: folders and registry values per Windows version.
#include "tools/machine_profiles.h"

#include <map>
#include <stdexcept>

namespace tools {
namespace {

struct Profile {
  std::string windows_dir;
  std::string programs;     // Start menu "Programs", with {user}
  std::string fonts;
  bool nt;
  std::string version;      // 9x: VersionNumber a.b.c; NT: CurrentVersion a.b
  std::string build;        // NT: CurrentBuildNumber
  std::string csd;          // 9x: SubVersionNumber; NT: CSDVersion
  std::string product;
  const char* dcom;         // EnableDCOM, or null where DCOM is not installed
  const char* htm_command;  // htmlfile open command, or null without a browser
  const char* chm_command;  // chm.file open command, or null without HTML Help
  bool win64;
};

const std::map<std::string, Profile>& profiles() {
  static const std::map<std::string, Profile> table = {
      {"win95", {"C:\\WINDOWS", "C:\\WINDOWS\\Start Menu\\Programs", "C:\\WINDOWS\\FONTS", false, "4.0.950", "",
                 "", "Microsoft Windows 95", nullptr, nullptr, nullptr, false}},
      {"win98", {"C:\\WINDOWS", "C:\\WINDOWS\\Start Menu\\Programs", "C:\\WINDOWS\\FONTS", false, "4.10.2222", "",
                 " A ", "Microsoft Windows 98", "Y", "C:\\PROGRA~1\\INTERN~1\\iexplore.exe -nohome",
                 "C:\\WINDOWS\\hh.exe %1", false}},
      {"winme", {"C:\\WINDOWS", "C:\\WINDOWS\\Start Menu\\Programs", "C:\\WINDOWS\\FONTS", false, "4.90.3000", "",
                 " ", "Microsoft Windows ME", "Y", "C:\\PROGRA~1\\INTERN~1\\iexplore.exe -nohome",
                 "C:\\WINDOWS\\hh.exe %1", false}},
      {"nt4", {"C:\\WINNT", "C:\\WINNT\\Profiles\\{user}\\Start Menu\\Programs", "C:\\WINNT\\Fonts", true, "4.0",
               "1381", "Service Pack 6", "Microsoft Windows NT", "Y",
               "\"C:\\Program Files\\Plus!\\Microsoft Internet\\IEXPLORE.EXE\" -nohome", nullptr, false}},
      {"win2k", {"C:\\WINNT", "C:\\Documents and Settings\\{user}\\Start Menu\\Programs", "C:\\WINNT\\Fonts", true,
                 "5.0", "2195", "Service Pack 4", "Microsoft Windows 2000", "Y",
                 "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome", "\"C:\\WINNT\\hh.exe\" %1", false}},
      {"winxp", {"C:\\WINDOWS", "C:\\Documents and Settings\\{user}\\Start Menu\\Programs", "C:\\WINDOWS\\Fonts", true,
                 "5.1", "2600", "Service Pack 3", "Microsoft Windows XP", "Y",
                 "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome", "\"C:\\WINDOWS\\hh.exe\" %1", true}},
      {"win7", {"C:\\windows", "C:\\users\\{user}\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
                "C:\\windows\\Fonts", true, "6.1", "7601", "Service Pack 1", "Microsoft Windows 7", "Y",
                "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"", "\"C:\\windows\\hh.exe\" \"%1\"", true}},
  };
  return table;
}

const Profile& profile_of(const std::string& name) {
  const auto it = profiles().find(name);
  if (it == profiles().end()) throw std::invalid_argument("unknown profile " + name);
  return it->second;
}

std::string with_user(std::string text, const std::string& user) {
  const std::string mark = "{user}";
  for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, mark.size(), user);
  return text;
}

std::string below_drive(const std::string& path) { return path.substr(3); }

}  // namespace

const std::vector<std::string>& profile_names() {
  static const std::vector<std::string> names = {"win95", "win98", "winme", "nt4", "win2k", "winxp", "win7"};
  return names;
}

bool profile_allows_win64(const std::string& profile) { return profile_of(profile).win64; }

MachineLayout machine_layout(const std::string& name, bool win64, const std::string& user) {
  const Profile& p = profile_of(name);
  if (win64 && !p.win64) throw std::invalid_argument("profile " + name + " has no 64-bit edition");
  MachineLayout layout;
  const std::string programs = with_user(p.programs, user);
  const std::string program_files = "C:\\Program Files";
  const std::string program_files_32 = win64 ? "C:\\Program Files (x86)" : program_files;

  layout.folders = {below_drive(p.windows_dir), below_drive(p.fonts), below_drive(p.windows_dir) + "\\system32",
                    below_drive(program_files) + "\\Common Files", below_drive(programs) + "\\Accessories",
                    below_drive(programs) + "\\Games", below_drive(programs) + "\\StartUp"};
  if (win64) layout.folders.push_back(below_drive(program_files_32) + "\\Common Files");

  auto& reg = layout.registry;
  auto machine = [&](std::string key, std::string value_name, std::string text, RegType type = RegType::Sz) {
    reg.push_back({true, std::move(key), std::move(value_name), type, std::move(text)});
  };
  auto user_value = [&](std::string key, std::string value_name, std::string text, RegType type = RegType::Sz) {
    reg.push_back({false, std::move(key), std::move(value_name), type, std::move(text)});
  };

  // The keys a 32-bit program reads through Wow6432Node in a 64-bit prefix get their copy.
  const std::vector<std::string> views = win64 ? std::vector<std::string>{"Software\\", "Software\\Wow6432Node\\"}
                                               : std::vector<std::string>{"Software\\"};
  for (const std::string& software : views) {
    const bool view32 = software != "Software\\" || !win64;
    const std::string current = software + "Microsoft\\Windows\\CurrentVersion";
    machine(current, "ProgramFilesDir", view32 ? program_files_32 : program_files);
    machine(current, "CommonFilesDir", (view32 ? program_files_32 : program_files) + "\\Common Files");
    if (win64) machine(current, "ProgramFilesDir (x86)", program_files_32);
    if (!p.nt) {
      machine(current, "VersionNumber", p.version);
      machine(current, "SubVersionNumber", p.csd);
      machine(current, "ProductName", p.product);
      // Windows 9x keeps its font list here; Windows NT has no such key.
      machine(current + "\\Fonts", "Arial (TrueType)", "ARIAL.TTF");
    } else {
      const std::string nt = software + "Microsoft\\Windows NT\\CurrentVersion";
      machine(nt, "CurrentVersion", p.version);
      machine(nt, "CurrentBuildNumber", p.build);
      machine(nt, "CurrentBuild", p.build);
      machine(nt, "CSDVersion", p.csd);
      machine(nt, "ProductName", p.product);
    }
  }
  if (p.nt) {
    machine("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Arial (TrueType)", "arial.ttf");
    machine("System\\CurrentControlSet\\Control\\ProductOptions", "ProductType", "WinNT");
  }
  if (p.dcom) {
    machine("Software\\Microsoft\\OLE", "EnableDCOM", p.dcom);
    machine("Software\\Microsoft\\OLE", "EnableRemoteConnect", "N");
  }
  // Every Windows registers text files, so HKEY_CLASSES_ROOT is never missing.
  machine("Software\\Classes\\.txt", "", "txtfile");
  machine("Software\\Classes\\txtfile", "", "Text Document");
  if (p.htm_command) {
    machine("Software\\Classes\\.htm", "", "htmlfile");
    machine("Software\\Classes\\.htm", "Content Type", "text/html");
    machine("Software\\Classes\\htmlfile", "", "HTML Document");
    machine("Software\\Classes\\htmlfile\\shell\\open\\command", "", p.htm_command);
  }
  if (p.chm_command) {
    machine("Software\\Classes\\.chm", "", "chm.file");
    machine("Software\\Classes\\chm.file", "", "Compiled HTML Help File");
    machine("Software\\Classes\\chm.file\\shell\\open\\command", "", p.chm_command);
  }
  const std::string shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  user_value(shell, "Programs", programs);
  user_value(shell, "Fonts", p.fonts);
  const std::string user_shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  user_value(user_shell, "Programs", programs, p.nt ? RegType::ExpandSz : RegType::Sz);
  user_value(user_shell, "Fonts", p.fonts, p.nt ? RegType::ExpandSz : RegType::Sz);
  return layout;
}

}  // namespace tools
