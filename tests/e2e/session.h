// Runs an edition of Setup as a person would meet it: a machine from make-machine, a medium
// whose SETUP.EXE links to the program, a session script, and the dumps it writes.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/temp_dir.h"

namespace e2e {

using nlohmann::json;
using Lines = std::vector<std::string>;

// Welcome and destination page: the main road to the program folder page.
inline const Lines kToFolder = {"click btnNext", "click btnNext"};

// A script made of its parts, one after the other.
Lines script(std::initializer_list<Lines> parts);

struct SessionResult {
  int exit_status = -1;
  std::string errors;               // what Setup wrote on stderr
  std::vector<json> dumps;          // every `dump` of the script, in order
};

class Session {
 public:
  // A machine of `profile` with drive D: holding the medium; `edition` names a program of
  // the build ("setup", "setup-da", ...).
  explicit Session(std::string edition = "setup", const std::string& profile = "winxp",
                   const std::string& arch = "win32");

  const std::filesystem::path& machine() const { return machine_; }
  const std::filesystem::path& medium() const { return medium_; }
  std::filesystem::path drive_c() const { return machine_ / "drive_c"; }

  // Runs the script; a line "dump" (without a file) dumps into the result. Extra
  // environment entries are "NAME=value". With `on_display` Setup runs on a virtual X
  // display (xvfb-run) instead of headless.
  SessionResult run(const std::vector<std::string>& script, const std::vector<std::string>& environment = {},
                    bool on_display = false);

 private:
  testing_support::TempDir dir_;
  std::string edition_;
  std::filesystem::path machine_;
  std::filesystem::path medium_;
  int runs_ = 0;
};

// The form of that name in a dump (message boxes are forms named "MessageBox").
const json& form(const json& dump, const std::string& name);
// The control of that name on the form.
const json& control(const json& dump, const std::string& form_name, const std::string& control_name);
// The texts of a memo's lines.
std::vector<std::string> lines(const json& dump, const std::string& form_name, const std::string& memo = "Memo1");
// The names of the visible forms, in creation order.
std::vector<std::string> visible_forms(const json& dump);
// Whether `page` is the active form and the only one visible above the background.
::testing::AssertionResult shows_page(const json& dump, const std::string& page);
// Every entry below `root` with the contents of its files, to show that nothing was written.
std::map<std::string, std::string> tree_contents(const std::filesystem::path& root);
// Removes every value of that name from a hive file, as on a Windows that never had it.
void remove_registry_value(const std::filesystem::path& hive, const std::string& name);
// What is wrong with the layout of a form: visible controls reaching outside their parent
// (the client area for the form's own) or overlapping a visible sibling. Empty when sound.
std::vector<std::string> layout_faults(const json& dump, const std::string& form_name);

}  // namespace e2e
