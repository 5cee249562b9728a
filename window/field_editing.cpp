#include "window/field_editing.h"

#include "app/controls.h"
#include "window/control_names.h"
#include "window/field_values.h"

namespace receipt {

void OnFieldLabelPressed(int field, int /*x*/, int /*y*/, int /*keyState*/) {
    SetControlVisible(ControlName(kFieldEditBox, field), true);
    SetControlVisible(ControlName(kFieldButton, field), true);
}

void OnFieldButtonClicked(int field) {
    const std::string editBox = ControlName(kFieldEditBox, field);
    const Text typed = GetControlText(editBox);
    const std::string label = ControlName(kFieldLabel, field);
    if (field == 1) {
        SetControlText(label, Concat(GreetingPrefix(), typed));
    } else {
        SetControlText(label, typed);
    }
    SetControlVisible(editBox, false);
    SetControlVisible(ControlName(kFieldButton, field), false);
}

}  // namespace receipt
