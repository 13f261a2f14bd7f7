// The English edition.
#include "services/CommonUnit.h"

int SetupLanguage() { return 9; }
