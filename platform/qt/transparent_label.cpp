#include "platform/qt/transparent_label.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/text_painting.h"

namespace receipt::platform {

TransparentLabel::TransparentLabel(const ControlDefinition& definition, QWidget* parent)
    : QWidget(parent), definition_(definition) {
    setFont(ToQFont(definition.font));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TransparentLabel::setText(const QString& text) {
    text_ = text;
    repaint();
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) return;
    QPainter painter(this);
    painter.setPen(ToQColor(definition_.textColour));
    DrawControlText(painter, rect(), text_, TextLayout::OneLine, definition_.alignment);
}

namespace {

int KeyState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ControlModifier ? kKeyCtrl : 0) | (modifiers & Qt::ShiftModifier ? kKeyShift : 0) |
           (modifiers & Qt::AltModifier ? kKeyAlt : 0);
}

}  // namespace

void TransparentLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && definition_.onPress) {
        const QPoint at = event->position().toPoint();
        definition_.onPress(definition_.field, std::max(at.x(), 0), std::max(at.y(), 0),
                            KeyState(event->modifiers()));
    }
    // The label itself does nothing with the press.
    event->accept();
}

void TransparentLabel::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace receipt::platform
