#include "platform/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace receipt::platform {
namespace {

FatalMessageShower shower = nullptr;

}  // namespace

void SetFatalMessageShower(FatalMessageShower s) { shower = s; }

void Fatal(std::string_view message) {
    std::fprintf(stderr, "receipt-mockup: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    // The message box is shown once: a failure while showing it ends quietly.
    if (FatalMessageShower show = shower) {
        shower = nullptr;
        show(message);
    }
    std::_Exit(-1);
}

void FatalOutOfMemory(std::size_t bytes) {
    // No allocation on this path: the message is formatted on the stack.
    char message[96];
    std::snprintf(message, sizeof message, "out of memory: cannot obtain %zu bytes for a text", bytes);
    shower = nullptr;
    Fatal(message);
}

}  // namespace receipt::platform
