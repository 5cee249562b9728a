#pragma once

#include "platform/window_definition.h"

namespace receipt {

// The program: prepares the platform, shows MainWindow and dispatches its
// events until it has been closed. Returns 0.
int RunProgram();

// Creates the window and its controls hidden, runs its created handler, then
// shows it centred and active.
void LoadWindow(const platform::WindowDefinition& window);
// Dispatches events until the window has been closed.
void RunMessageLoop();

}  // namespace receipt
