#include "app/controls.h"

#include "platform/toolkit.h"

namespace receipt {

Text GetControlText(std::string_view control) { return platform::EditBoxText(control); }

void SetControlText(std::string_view control, std::string_view text) {
    platform::SetLabelText(control, detail::UpToNul(text));
}

void SetControlVisible(std::string_view control, bool visible) {
    platform::SetControlShown(control, visible);
}

void ProcessEvents() { platform::ProcessPendingEvents(); }

}  // namespace receipt
