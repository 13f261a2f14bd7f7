// Shortcuts through the shell's link object.
#pragma once

#include "platform/rtl/ansi.h"
#include "platform/win32/types.h"

// Creates the link file `link_path` pointing at `target`; returns the HRESULT of the last
// COM call made. The link's folder must exist; an existing link of that name is replaced.
win32::HRESULT CreateShellLink(const rtl::AnsiString& target, const rtl::AnsiString& link_path,
                               const rtl::AnsiString& description, const rtl::AnsiString& working_directory);

bool HResultSucceeded(win32::HRESULT result);
