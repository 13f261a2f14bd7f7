// A fresh host folder per test, removed with everything in it at the end of the test.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& rest) const { return path_ / rest; }

 private:
  std::filesystem::path path_;
};

// Writes `content` to `file`, creating its folders.
void write_file(const std::filesystem::path& file, const std::string& content);
std::string read_file(const std::filesystem::path& file);

}  // namespace testing_support
