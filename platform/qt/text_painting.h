#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "platform/qt/fonts.h"
#include "platform/window_definition.h"

class QPainter;

namespace receipt::platform {

QColor ToQColor(Colour colour);
// Draws a control's text with no background: wrapping texts from the top-left
// corner, one-line texts centred vertically and cut at the rectangle's edge.
void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, TextLayout layout,
                     Alignment alignment);

}  // namespace receipt::platform
