// The Danish edition.
#include "services/CommonUnit.h"

int SetupLanguage() { return 6; }
