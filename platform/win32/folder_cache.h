// Case-insensitive name lookups in host folders, answered from listings that inotify keeps
// current, so that filling a folder does not list it again for every new name.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/rtl/ansi.h"
#include "platform/win32/host.h"

namespace win32::detail {

// The entry of the existing folder `folder`, whose status is `info`, that matches `name`
// case-insensitively (`name` itself when several do and it is one of them, else the first
// in listing order), or nothing. A listing
// is kept only where inotify reports every change (local file systems) and is brought up
// to date from its events before each use; elsewhere the folder is listed every time.
// When the answer came from a kept listing, `handle` (if given) receives the folder open,
// so that what the caller does next in it needs no second walk to it.
std::optional<std::string> find_case_insensitive(const std::string& folder, const struct stat& info,
                                                 const rtl::AnsiString& name,
                                                 std::shared_ptr<const HostFd>* handle = nullptr);

// Whether a listing was made under the path `folder`: a hint that asking the cache is
// cheaper than looking the name up on disk first. The answer itself is never trusted.
bool has_folder_listing(const std::string& folder);

// Drops every kept listing and the inotify descriptor (tests that swap the host).
void forget_folder_listings();

}  // namespace win32::detail
