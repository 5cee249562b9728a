#pragma once

#include <QFont>

#include "platform/window_definition.h"

namespace receipt::platform {

// Maps the faces that the window definition names onto the installed fonts
// that stand in for them, and makes the default GUI font the application's.
void MapFontFaces();

// The toolkit's font for a font of the window definition.
QFont ToQFont(const Font& font);

}  // namespace receipt::platform
