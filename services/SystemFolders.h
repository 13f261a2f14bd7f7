// Where Windows keeps program files, the Start menu and fonts; the target path and its
// display; free space and the size estimate of the chosen plan.
#pragma once

#include "platform/rtl/ansi.h"

using rtl::AnsiString;

AnsiString ReadProgramFilesDir();
AnsiString ReadStartMenuProgramsDir();
AnsiString ReadFontsDir();

// Sets TargetDrive, TargetBaseDir and TargetSubDir from a base folder and a folder name.
void SetTargetPath(const AnsiString& base_dir, const AnsiString& folder_name);
// The installation folder for a label that holds about `max_length` characters.
AnsiString ShortTargetPath(int max_length);

int TargetDriveFreeMB();
double EstimatedSizeMB();
bool BrowserInstallNeeded();
AnsiString SizeText();
AnsiString FreeSpaceText();
