// The wizard's text areas: read-only, borderless memos in the button-face colour, so that
// their text reads as part of the window.
#pragma once

#include "platform/vcl/vcl.h"

vcl::TMemo* MakeTextArea(vcl::TForm& form, const char* name, int left, int top, int width, int height);
