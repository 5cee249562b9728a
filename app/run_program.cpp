#include "app/run_program.h"

#include <cfenv>

#include "platform/toolkit.h"
#include "window/main_window.h"

namespace receipt {
namespace {

// The system keeps all its state in the controls, so these have nothing to do;
// they stay as the places where such work would go.
void InitialiseGlobals() {}
void OnExit() {}
int StartUp() { return 0; }

}  // namespace

void LoadWindow(const platform::WindowDefinition& window) {
    platform::CreateWindow(window);
    if (window.onCreated) window.onCreated();
    if (platform::WindowExists()) platform::ShowWindow();
}

void RunMessageLoop() {
    if (!platform::WindowExists()) return;
    platform::RunEventLoop();
}

int RunProgram() {
    platform::StartToolkit();
    // Round to nearest, every exception masked: no floating-point operation traps.
    std::fesetenv(FE_DFL_ENV);
    InitialiseGlobals();
    platform::SetExitRoutine(OnExit);
    StartUp();
    LoadWindow(MainWindow());
    RunMessageLoop();
    return 0;
}

}  // namespace receipt
