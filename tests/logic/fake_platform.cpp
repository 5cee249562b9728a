#include "tests/logic/fake_platform.h"

#include "platform/toolkit.h"

namespace receipt::fake {

Platform& State() {
    static Platform state;
    return state;
}

void Reset() { State() = Platform{}; }

}  // namespace receipt::fake

namespace receipt::platform {

using fake::State;

LocalTime LocalNow() { return State().now; }
std::uint32_t MillisecondsSinceStart() { return State().ticks; }
std::uint32_t CycleCounterLow32() {
    auto& s = State();
    std::size_t i = s.counterReads++;
    return i < s.counter.size() ? s.counter[i] : s.counter.back();
}

void SetProgramName(const char*) {}
void SetExitRoutine(void (*)()) {}
void EndProgram() {}
void StartToolkit() {}
void CreateWindow(const WindowDefinition&) {}
bool WindowExists() { return true; }
void ShowWindow() {}
void RunEventLoop() {}
void ProcessPendingEvents() { ++State().processEventsCalls; }

std::string EditBoxText(std::string_view control) { return State().controls[std::string(control)].text; }
void SetLabelText(std::string_view control, std::string_view gbkText) {
    State().controls[std::string(control)].text = std::string(gbkText);
    State().labelWrites.emplace_back(control);
}
void SetControlShown(std::string_view control, bool visible) {
    State().controls[std::string(control)].visible = visible;
}

}  // namespace receipt::platform
