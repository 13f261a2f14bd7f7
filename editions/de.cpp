// The German edition, the default.
#include "services/CommonUnit.h"

int SetupLanguage() { return 7; }
