// The one way the system reads a string from the registry.
#pragma once

#include <initializer_list>
#include <optional>

#include "platform/rtl/ansi.h"
#include "platform/win32/registry.h"

// Opens `keys` below `root` one level at a time, creating none, and reads `value` as text:
// empty when a key or the value is missing, nullopt when the registry raised an error (a
// key that cannot be opened for full access, a value that is not a string).
std::optional<rtl::AnsiString> ReadRegistryText(win32::HKEY root, std::initializer_list<const char*> keys,
                                                const rtl::AnsiString& value);
