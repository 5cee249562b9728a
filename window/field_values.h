#pragma once
// The start-up values of the ten fields.

#include "app/text.h"

namespace receipt {

// "你好,  " (ASCII comma, two spaces): what field 1 shows in front of the name,
// at start and after every edit.
const Text& GreetingPrefix();

// Handler of the main window's created event. Seeds the generator, then builds
// the ten values and writes each into its transparent label as soon as it is
// built, in field order.
void OnMainWindowCreated();

}  // namespace receipt
