// The Spanish edition.
#include "services/CommonUnit.h"

int SetupLanguage() { return 10; }
