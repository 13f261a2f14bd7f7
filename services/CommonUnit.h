// The setup language, the shared messages and the environment probes.
#pragma once

#include "platform/rtl/ansi.h"

using rtl::AnsiString;

// The language the setup speaks: a build constant defined by the edition (6 Danish,
// 7 German, 10 Spanish, 9 English; any other value speaks English).
int SetupLanguage();

// The four-way choice every language-dependent decision makes, in the order 6, 7, 10,
// other.
template <class T>
T ByLanguage(const T& danish, const T& german, const T& spanish, const T& english) {
  switch (SetupLanguage()) {
    case 6: return danish;
    case 7: return german;
    case 10: return spanish;
    default: return english;
  }
}

// The language code a page stores for the setup language: 9 for every other value.
int StoredSetupLanguage();

void ShowNoProgramMessage();
void ShowNotEnoughSpaceMessage();
void ShowCopyErrorMessage(const AnsiString& source, const AnsiString& target);
AnsiString GetEnoughWord();

// Asks `question` in the German yes/no dialog; 6 for yes, 7 for no.
int AskGermanYesNo(const AnsiString& question);

// The folder of the running setup program, ending in a backslash.
AnsiString GetSourceDir();
bool IsWindows95();
bool IsDcomEnabled();
bool HasHtmOpenCommand();
bool HasChmOpenCommand();
// Free bytes of drive `drive` (0 the current drive, else the letter's code minus 64), or
// -1 when the system cannot tell.
double GetDiskFreeBytes(unsigned char drive);
