// What the tests of the setup type and custom pages share: the road to them, free space
// in megabytes, the component flags and where pictures of the pages go.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/session.h"

namespace e2e {

// Welcome, destination, program folder, and its Back while Typical is chosen.
inline const Lines kToSetupType = script({kToFolder, {"click btnBack"}});
// On from there with Custom.
inline const Lines kToCustomSetup = script({kToSetupType, {"select rgSetupType 1", "click btnNext"}});

// A SETUP_DISK_FREE entry for drive C.
inline std::string free_on_c(long long megabytes) { return "SETUP_DISK_FREE=C=" + std::to_string(megabytes * 1048576); }

// Pictures of the pages are kept in the build folder for a person to look at.
inline std::string shot_path(const std::string& name) {
  const auto dir = std::filesystem::path(SETUP_BINARY_DIR) / "shots";
  std::filesystem::create_directories(dir);
  return (dir / (name + ".png")).string();
}

struct Flags {
  bool install_solver, compact_solver, install_generator, compact_generator, install_drawer, compact_drawer;
};

inline void expect_flags(const json& choices, const Flags& f) {
  EXPECT_EQ(choices["InstallSolver"], f.install_solver);
  EXPECT_EQ(choices["CompactSolver"], f.compact_solver);
  EXPECT_EQ(choices["InstallGenerator"], f.install_generator);
  EXPECT_EQ(choices["CompactGenerator"], f.compact_generator);
  EXPECT_EQ(choices["InstallDrawer"], f.install_drawer);
  EXPECT_EQ(choices["CompactDrawer"], f.compact_drawer);
}

inline int left(const json& c) { return c["left"].get<int>(); }
inline int width(const json& c) { return c["width"].get<int>(); }

}  // namespace e2e
