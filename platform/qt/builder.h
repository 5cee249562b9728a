#pragma once

#include "platform/window_definition.h"

namespace receipt::platform {

class MainWindowWidget;

// Builds the window and all its controls from the definition, hidden.
MainWindowWidget* BuildWindow(const WindowDefinition& definition);

}  // namespace receipt::platform
