#include "platform/qt/text_painting.h"

#include <QPainter>

namespace receipt::platform {

QColor ToQColor(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, TextLayout layout,
                     Alignment alignment) {
    const int horizontal = alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft;
    if (layout == TextLayout::Wrapping) {
        painter.drawText(rect, horizontal | Qt::AlignTop | Qt::TextWordWrap, text);
    } else {
        painter.drawText(rect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

}  // namespace receipt::platform
