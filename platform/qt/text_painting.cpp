#include "platform/qt/text_painting.h"

#include <QApplication>
#include <QPainter>

namespace receipt::platform {

QColor ToQColor(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

QFont ToQFont(const Font& font) {
    if (font.defaultGui) return QApplication::font();
    QFont result = QApplication::font();
    // An empty face name leaves the choice of face to the system.
    if (!font.face.empty()) result.setFamily(QString::fromUtf8(font.face.data(), qsizetype(font.face.size())));
    result.setPixelSize(font.pixelSize);
    result.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    return result;
}

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
