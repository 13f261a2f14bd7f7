// The shell link object: keeps what SetPath and friends were given and saves it in the
// .lnk layout that Windows, Wine and lnkinfo read.
#include "platform/win32/shelllink.h"

#include <cstring>
#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/atomic_file.h"
#include "platform/win32/com.h"
#include "platform/win32/disk.h"
#include "platform/win32/lnk_format.h"
#include "platform/win32/machine.h"
#include "platform/win32/paths.h"

namespace win32 {
namespace {

class ShellLink final : public IShellLinkA, public IPersistFile, private detail::RefCounted<ShellLink> {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IShellLinkA) {
      *object = static_cast<IShellLinkA*>(this);
    } else if (iid == IID_IPersistFile) {
      *object = static_cast<IPersistFile*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    add_ref();
    return S_OK;
  }
  ULONG AddRef() override { return add_ref(); }
  ULONG Release() override { return release(); }

  HRESULT SetPath(const char* file) override {
    if (!file) return E_INVALIDARG;
    const AnsiString full = full_windows_path(file, current_machine());
    link_.target = full.empty() ? AnsiString(file) : full;
    return S_OK;
  }
  HRESULT SetDescription(const char* name) override { return set(link_.description, name); }
  HRESULT SetWorkingDirectory(const char* dir) override { return set(link_.working_directory, dir); }
  HRESULT SetArguments(const char* args) override { return set(link_.arguments, args); }
  HRESULT GetPath(char* file, int size) override {
    if (!file || size <= 0) return E_INVALIDARG;
    std::strncpy(file, link_.target.c_str(), static_cast<std::size_t>(size) - 1);
    file[size - 1] = '\0';
    return link_.target.empty() ? S_FALSE : S_OK;
  }

  HRESULT Save(const char16_t* file_name, BOOL) override {
    if (!file_name) return E_INVALIDARG;
    std::u16string wide(file_name);
    // A name the ANSI side cannot express would be saved under a different name.
    const AnsiString name = rtl::utf16_to_ansi(wide, '\0');
    if (name.find('\0') != AnsiString::npos) return E_INVALIDARG;
    const ResolvedPath path = resolve_path(name);
    if (!path) return HRESULT_FROM_WIN32(path.error);
    if (!path.parent_exists) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);

    detail::LinkVolume volume;
    if (link_.target.size() >= 2 && link_.target[1] == ':') {
      if (const auto& root = current_machine().DriveRoot(link_.target[0])) {
        volume.label = detail::volume_label(*root);
        volume.serial = detail::volume_serial(*root);
      }
    }
    std::string bytes;
    if (!detail::build_link(link_, volume, bytes)) return E_INVALIDARG;
    if (const DWORD error = detail::replace_file(path.host, bytes, false)) return HRESULT_FROM_WIN32(error);
    return S_OK;
  }

 private:
  friend class detail::RefCounted<ShellLink>;
  ~ShellLink() override = default;

  static HRESULT set(AnsiString& field, const char* text) {
    if (!text) return E_INVALIDARG;
    field = text;
    return S_OK;
  }

  detail::LinkData link_;
};

}  // namespace

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!detail::com_initialised()) return CO_E_NOTINITIALIZED;
  if (clsid != CLSID_ShellLink || !(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  if (outer) return static_cast<HRESULT>(0x80040110);  // CLASS_E_NOAGGREGATION
  IShellLinkA* link = new ShellLink();
  const HRESULT result = link->QueryInterface(iid, object);
  link->Release();
  return result;
}

}  // namespace win32
