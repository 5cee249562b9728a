#pragma once
// MainWindow: the window definition of the program's only window.

#include "platform/window_definition.h"

namespace receipt {

const platform::WindowDefinition& MainWindow();

}  // namespace receipt
