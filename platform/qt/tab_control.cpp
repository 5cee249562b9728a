#include "platform/qt/tab_control.h"

#include <QPainter>

#include "platform/qt/text_painting.h"

namespace receipt::platform {
namespace {

constexpr QColor kEdge(172, 172, 172);
constexpr int kTabHeight = 21;
constexpr int kTabPadding = 6;

}  // namespace

TabControl::TabControl(const ControlDefinition& definition, QWidget* parent)
    : QWidget(parent), caption_(QString::fromUtf8(definition.text.data(), qsizetype(definition.text.size()))) {
    setFont(ToQFont(definition.font));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect TabControl::tabRect() const {
    return QRect(2, 1, fontMetrics().horizontalAdvance(caption_) + 2 * kTabPadding + 1, kTabHeight);
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    painter.fillRect(rect(), face);
    const QRect tab = tabRect();
    const QRect page(0, tab.bottom(), width() - 1, height() - tab.bottom() - 1);
    painter.setPen(kEdge);
    painter.drawRect(page);
    painter.fillRect(tab, Qt::white);
    painter.drawLine(tab.topLeft(), tab.bottomLeft());
    painter.drawLine(tab.topLeft(), tab.topRight());
    painter.drawLine(tab.topRight(), tab.bottomRight());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(tab.adjusted(1, 1, 0, 0), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

}  // namespace receipt::platform
