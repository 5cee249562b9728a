#pragma once
// Operations on the controls of the window, addressed by name (UTF-8), and the
// call that lets the window system handle waiting events.

#include <string_view>

#include "app/text.h"

namespace receipt {

// The current content of an edit box.
Text GetControlText(std::string_view control);
// Writes the text of a transparent label and repaints it at once.
void SetControlText(std::string_view control, std::string_view text);
// Shows or hides a control at once; its content stays.
void SetControlVisible(std::string_view control, bool visible);
// Handles the window events already waiting; never waits, and leaves a
// pending quit request for the message loop.
void ProcessEvents();

}  // namespace receipt
