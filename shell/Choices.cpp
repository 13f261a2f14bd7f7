// The installation choices of this run.
#include "shell/Choices.h"

TInstallationChoices Choices;
