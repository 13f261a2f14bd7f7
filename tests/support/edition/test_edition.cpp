// SetupLanguage for unit tests.
#include "services/CommonUnit.h"
#include "tests/support/test_edition.h"

namespace testing_support {
int setup_language = 7;
}

int SetupLanguage() { return testing_support::setup_language; }
