// The installation choices as a session dump shows them.
#pragma once

namespace vcl {
class TChoicesWriter;
}

// Every choice by its name: texts as strings, flags as booleans, language codes as
// numbers, TargetDrive as a one-character string.
void WriteChoices(vcl::TChoicesWriter& out);
