// CreateShellLink: the shell link object, filled in and saved.
#include "services/ShellOBJ.h"

#include <array>

#include "platform/win32/com.h"
#include "platform/win32/shelllink.h"

using namespace win32;

bool HResultSucceeded(HRESULT result) { return result >= 0; }

HRESULT CreateShellLink(const rtl::AnsiString& target, const rtl::AnsiString& link_path,
                        const rtl::AnsiString& description, const rtl::AnsiString& working_directory) {
  // The shell takes the link's name in 260 wide characters, the terminator included.
  std::array<char16_t, 260> wide_path{};
  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link));
  if (!HResultSucceeded(result)) return result;
  link->SetPath(target.c_str());
  link->SetDescription(description.c_str());
  link->SetWorkingDirectory(working_directory.c_str());
  IPersistFile* file = nullptr;
  if (HResultSucceeded(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    // A name that does not fit is refused whole: a cut name would create a link elsewhere.
    if (MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path.data(), static_cast<int>(wide_path.size())) == 0)
      result = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    else
      result = file->Save(wide_path.data(), TRUE);
    file->Release();
  }
  link->Release();
  return result;
}
