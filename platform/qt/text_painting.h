#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "platform/window_definition.h"

class QPainter;

namespace receipt::platform {

QColor ToQColor(Colour colour);
// The toolkit's font for a font of the window definition.
QFont ToQFont(const Font& font);

// Draws a control's text with no background: wrapping texts from the top-left
// corner, one-line texts centred vertically and cut at the rectangle's edge.
void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, TextLayout layout,
                     Alignment alignment);

}  // namespace receipt::platform
