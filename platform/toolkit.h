#pragma once
// The window toolkit as the system's code sees it. No toolkit types appear here.

#include <string>
#include <string_view>

#include "platform/window_definition.h"

namespace receipt::platform {

// The program name handed to the toolkit; main() sets it before anything else.
void SetProgramName(const char* name);

// The routine to run once when the program ends, before the toolkit is released.
void SetExitRoutine(void (*routine)());
// Ends the program's use of the platform: runs the exit routine, then releases
// the toolkit. main() calls it after RunProgram has returned.
void EndProgram();

// Starts the window toolkit. A toolkit that cannot start (no display) ends the
// program through Fatal().
void StartToolkit();

// Creates the window and all its controls, hidden; controls hidden at start stay
// hidden when the window is shown. Ends the program through Fatal() on failure.
void CreateWindow(const WindowDefinition& definition);
bool WindowExists();
// Shows the window at its initial place, centred on the screen, and activates it.
void ShowWindow();

// Dispatches events until the window has been closed.
void RunEventLoop();
// Dispatches the events already waiting; never waits; leaves a quit request.
void ProcessPendingEvents();

// Control properties; controls are named as in the window definition.
std::string EditBoxText(std::string_view control);                     // GBK
void SetLabelText(std::string_view control, std::string_view gbkText);  // repaints at once
void SetControlShown(std::string_view control, bool visible);

}  // namespace receipt::platform
