#include "platform/qt/text_label.h"

#include <QPainter>

#include "platform/qt/text_painting.h"

namespace receipt::platform {

TextLabel::TextLabel(const ControlDefinition& definition, QWidget* parent)
    : QWidget(parent), definition_(definition) {
    setFont(ToQFont(definition.font));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Lines of the definition end in CR LF; the toolkit breaks lines at LF.
    text_ = QString::fromUtf8(definition.text.data(), qsizetype(definition.text.size()));
    text_.remove(QLatin1Char('\r'));
}

void TextLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(ToQColor(definition_.textColour));
    DrawControlText(painter, rect(), text_, definition_.layout, definition_.alignment);
}

}  // namespace receipt::platform
