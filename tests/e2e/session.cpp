// Setting up machines and media for end-to-end sessions, running them and reading dumps.
#include "tests/e2e/session.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {
namespace fs = std::filesystem;

namespace {

int run_command(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

Session::Session(std::string edition, const std::string& profile, const std::string& arch)
    : edition_(std::move(edition)), machine_(dir_ / "machine"), medium_(dir_ / "medium") {
  fs::create_directories(medium_);
  const std::string make = std::string(SETUP_BINARY_DIR "/tools/make-machine ") + quoted(machine_.string()) +
                           " --profile " + profile + " --arch " + arch + " --cd " + quoted(medium_.string());
  if (run_command(make) != 0) throw std::runtime_error("make-machine failed: " + make);
  fs::create_symlink(fs::path(SETUP_BINARY_DIR) / edition_, medium_ / "SETUP.EXE");
}

SessionResult Session::run(const std::vector<std::string>& script, const std::vector<std::string>& environment,
                           bool on_display) {
  const int run = ++runs_;
  const fs::path script_file = dir_ / ("script" + std::to_string(run) + ".txt");
  const fs::path errors_file = dir_ / ("errors" + std::to_string(run) + ".txt");
  std::vector<fs::path> dump_files;
  {
    std::ofstream out(script_file);
    for (const std::string& line : script) {
      if (line == "dump") {
        dump_files.push_back(dir_ / ("dump" + std::to_string(run) + "-" + std::to_string(dump_files.size()) + ".json"));
        out << "dump " << dump_files.back().string() << "\n";
      } else {
        out << line << "\n";
      }
    }
  }
  std::string command = std::string(on_display ? "xvfb-run -a " : "") +
                        "env -u WAYLAND_DISPLAY " + (on_display ? "" : "-u DISPLAY ") +
                        "SETUP_MACHINE=" + quoted(machine_.string()) +
                        " SETUP_SCRIPT=" + quoted(script_file.string());
  for (const std::string& entry : environment) command += " " + quoted(entry);
  command += " " + quoted((medium_ / "SETUP.EXE").string()) + " 2>" + quoted(errors_file.string());

  SessionResult result;
  result.exit_status = run_command(command);
  result.errors = testing_support::read_file(errors_file);
  for (const fs::path& file : dump_files) {
    if (!fs::exists(file)) break;
    result.dumps.push_back(json::parse(testing_support::read_file(file)));
  }
  return result;
}

Lines script(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const json& form(const json& dump, const std::string& name) {
  for (const json& f : dump.at("forms"))
    if (f.at("name") == name) return f;
  throw std::out_of_range("no form " + name + " in the dump");
}

const json& control(const json& dump, const std::string& form_name, const std::string& control_name) {
  for (const json& c : form(dump, form_name).at("controls"))
    if (c.at("name") == control_name) return c;
  throw std::out_of_range("no control " + control_name + " on " + form_name);
}

std::vector<std::string> lines(const json& dump, const std::string& form_name, const std::string& memo) {
  return control(dump, form_name, memo).at("lines").get<std::vector<std::string>>();
}

std::vector<std::string> visible_forms(const json& dump) {
  std::vector<std::string> names;
  for (const json& f : dump.at("forms"))
    if (f.at("visible").get<bool>()) names.push_back(f.at("name"));
  return names;
}

::testing::AssertionResult shows_page(const json& dump, const std::string& page) {
  const std::vector<std::string> visible = visible_forms(dump);
  if (dump.at("active") == page && visible == std::vector<std::string>{"frmBackground", page})
    return ::testing::AssertionSuccess();
  std::string shown;
  for (const std::string& name : visible) shown += " " + name;
  return ::testing::AssertionFailure() << "expected " << page << " alone; active " << dump.at("active")
                                       << ", visible" << shown;
}

std::map<std::string, std::string> tree_contents(const fs::path& root) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    if (entry.is_symlink()) out[name] = "-> " + fs::read_symlink(entry.path()).string();
    else if (entry.is_regular_file()) out[name] = testing_support::read_file(entry.path());
    else out[name] = "<dir>";
  }
  return out;
}

void remove_registry_value(const fs::path& hive, const std::string& name) {
  std::string text = testing_support::read_file(hive);
  const std::string entry = "\"" + name + "\"=";
  for (std::size_t at; (at = text.find(entry)) != std::string::npos;) text.erase(at, text.find('\n', at) + 1 - at);
  testing_support::write_file(hive, text);
}

std::vector<std::string> layout_faults(const json& dump, const std::string& form_name) {
  const json& f = form(dump, form_name);
  struct Box {
    std::string name, parent;
    int left, top, right, bottom;
  };
  std::vector<Box> boxes;
  for (const json& c : f.at("controls")) {
    if (!c.at("visible").get<bool>()) continue;
    const int left = c.at("left"), top = c.at("top");
    boxes.push_back({c.at("name"), c.at("parent"), left, top, left + c.at("width").get<int>(),
                     top + c.at("height").get<int>()});
  }
  std::vector<std::string> faults;
  for (const Box& b : boxes) {
    int width = f.at("clientWidth"), height = f.at("clientHeight");
    if (b.parent != form_name) {
      const json& parent = control(dump, form_name, b.parent);
      width = parent.at("width");
      height = parent.at("height");
    }
    if (b.left < 0 || b.top < 0 || b.right > width || b.bottom > height)
      faults.push_back(b.name + " reaches outside " + b.parent);
  }
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const Box& a = boxes[i];
      const Box& b = boxes[j];
      if (a.parent == b.parent && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
        faults.push_back(a.name + " overlaps " + b.name);
    }
  return faults;
}

}  // namespace e2e
