#pragma once
// The end of the program after a failure it cannot go on from.

#include <cstddef>
#include <string_view>

namespace receipt::platform {

// Prints `message` on stderr, shows it in a message box where the toolkit has
// registered one, and ends the process with exit code -1 (255).
[[noreturn]] void Fatal(std::string_view message);
[[noreturn]] void FatalOutOfMemory(std::size_t bytes);

// The toolkit registers how to show a fatal message once it has a display.
using FatalMessageShower = void (*)(std::string_view message);
void SetFatalMessageShower(FatalMessageShower shower);

}  // namespace receipt::platform
