// The installation choices: what the user decided on the pages, read by the engine.
#pragma once

#include "platform/rtl/ansi.h"

using rtl::AnsiString;

struct TInstallationChoices {
  // The plan. A Compact flag is only ever true while its Install flag is.
  bool InstallSolver = true;
  bool CompactSolver = false;
  bool InstallGenerator = true;
  bool CompactGenerator = false;
  bool InstallDrawer = true;
  bool CompactDrawer = false;

  // Languages of the installed programs (6 Danish, 7 German, 9 English, 10 Spanish; 0 unset).
  int SolverMainLanguage = 0;
  int SolverHelpLanguage = 0;
  int SolverDictionaryLanguage = 0;
  int GeneratorLanguage = 9;
  int DrawerLanguage = 9;

  // TargetBaseDir ends in a backslash once set, TargetSubDir has none at either end,
  // TargetDrive is the drive letter as given (or 'c'). Written by SetTargetPath only.
  AnsiString TargetBaseDir;
  AnsiString TargetSubDir;
  char TargetDrive = '\0';

  AnsiString ProgramFolder;
  AnsiString StartMenuProgramsDir;  // ends in a backslash when not empty

  AnsiString IE5SetupDir;
  AnsiString HHUpdDir;
};

// The one record shared by the pages, the engine and the completion page.
extern TInstallationChoices Choices;
