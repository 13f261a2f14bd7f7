#include "platform/win32/shelllink.h"

#include <memory>

#include <gtest/gtest.h>

#include "platform/win32/com.h"
#include "platform/win32/machine.h"
#include "tests/support/machine_dir.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine.h"

using namespace win32;
using testing_support::TempDir;
namespace fs = std::filesystem;

namespace {

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::make_machine_dir(tmp / "m");
    machine = std::make_unique<Machine>(tmp / "m");
    scope = std::make_unique<MachineScope>(*machine);
    CoInitialize(nullptr);
  }
  void TearDown() override { CoUninitialize(); }

  HRESULT save(const char* target, const char* description, const char* dir, const char16_t* link_path) {
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (result < 0) return result;
    link->SetPath(target);
    link->SetDescription(description);
    link->SetWorkingDirectory(dir);
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (result >= 0) {
      result = file->Save(link_path, TRUE);
      file->Release();
    }
    link->Release();
    return result;
  }

  TempDir tmp;
  std::unique_ptr<Machine> machine;
  std::unique_ptr<MachineScope> scope;
};

TEST_F(ShellLinkTest, WritesALinkThatLnkinfoReads) {
  if (std::system("command -v lnkinfo >/dev/null 2>&1") != 0) GTEST_SKIP() << "lnkinfo is not installed";
  fs::create_directories(tmp / "m/drive_c/Menu/R\xC3\xA4tsel");
  // The target need not exist: help links are made before their files are copied.
  ASSERT_EQ(save("C:\\Programme\\R\xE4tsel Tyx\\Solver.exe", "Kreuzwortr\xE4tsel  L\xF6ser ",
                 "C:\\Programme\\R\xE4tsel Tyx", u"C:\\menu\\r\u00e4tsel\\L\u00f6ser.lnk"),
            S_OK);
  const fs::path file = tmp / "m/drive_c/Menu/R\xC3\xA4tsel/L\xC3\xB6ser.lnk";
  ASSERT_TRUE(fs::exists(file));
  const std::string info = testing_support::run("LANG=C.UTF-8 lnkinfo '" + file.string() + "'");
  EXPECT_NE(info.find("Local path\t\t\t: C:\\Programme\\R\xC3\xA4tsel Tyx\\Solver.exe\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Description\t\t\t: Kreuzwortr\xC3\xA4tsel  L\xC3\xB6ser \n"), std::string::npos) << info;
  EXPECT_NE(info.find("Working directory\t\t: C:\\Programme\\R\xC3\xA4tsel Tyx\n"), std::string::npos) << info;
}

TEST_F(ShellLinkTest, ReplacesAnExistingLinkAndFailsIntoAMissingFolder) {
  testing_support::write_file(tmp / "m/drive_c/Menu/Solver.lnk", "old contents");
  ASSERT_EQ(save("C:\\a.exe", "A", "C:\\", u"C:\\Menu\\Solver.lnk"), S_OK);
  const std::string bytes = testing_support::read_file(tmp / "m/drive_c/Menu/Solver.lnk");
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));

  EXPECT_EQ(save("C:\\a.exe", "A", "C:\\", u"C:\\Missing\\Solver.lnk"), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(fs::exists(tmp / "m/drive_c/Missing"));
  EXPECT_EQ(save("C:\\a.exe", "A", "C:\\", u"C:\\Menu\\\u03A9.lnk"), E_INVALIDARG);
  // Only the replaced link is left: no temporary file survives.
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp / "m/drive_c/Menu"), fs::directory_iterator()), 1);
}

TEST_F(ShellLinkTest, RefusesBeforeComIsInitialisedAndUnknownClasses) {
  CoUninitialize();
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object), CO_E_NOTINITIALIZED);
  EXPECT_EQ(object, nullptr);
  CoInitialize(nullptr);
  EXPECT_EQ(CoCreateInstance(IID_IPersistFile, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), S_OK);
  static_cast<IUnknown*>(object)->Release();
}

}  // namespace
