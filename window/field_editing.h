#pragma once
// In-place editing of the ten fields: a press on a field's label shows its edit
// box and "修改" button; a click on the button copies the edit box's text into
// the label and hides the pair again.

namespace receipt {

// Handler of a left-button press on 透明标签N. The press position and key
// state play no part; the edit box keeps whatever it holds.
void OnFieldLabelPressed(int field, int x, int y, int keyState);
// Handler of a click on 按钮N. Field 1 shows the greeting in front of the text.
void OnFieldButtonClicked(int field);

}  // namespace receipt
