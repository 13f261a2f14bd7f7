// The installation's registry writes: each opens the registry, walks down to its key one
// level at a time, writes one value and releases the registry, and never reports failure.
#pragma once

#include <cstdint>

#include "platform/rtl/ansi.h"

// HKEY_CLASSES_ROOT\key\subkey, value `name` (empty: the default value); keys are created.
void WriteClassesRootValue(const rtl::AnsiString& key, const rtl::AnsiString& subkey, const rtl::AnsiString& name,
                           const rtl::AnsiString& value);
void WriteClassesRootDefault(const rtl::AnsiString& key, const rtl::AnsiString& subkey, const rtl::AnsiString& value);

// HKEY_LOCAL_MACHINE\SOFTWARE\CrossWord Tyx\group\subkey, value `name`; keys are created.
void WriteSuiteString(const rtl::AnsiString& group, const rtl::AnsiString& subkey, const rtl::AnsiString& name,
                      const rtl::AnsiString& value);
void WriteSuiteInteger(const rtl::AnsiString& group, const rtl::AnsiString& subkey, const rtl::AnsiString& name,
                       std::int32_t value);

// Registers the font under HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Fonts unless a
// non-empty registration of that name exists; a missing Fonts key is not created.
void RegisterFontIfMissing(const rtl::AnsiString& font_name, const rtl::AnsiString& file_name);
