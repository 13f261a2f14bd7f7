// The whole GUI layer: include this in a unit that declares or uses forms.
#pragma once

#include "platform/vcl/classes.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
