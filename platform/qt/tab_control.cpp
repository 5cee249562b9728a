#include "platform/qt/tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace receipt::platform {

TabControl::TabControl(const ControlDefinition& definition, QWidget* parent) : QWidget(parent) {
    tabs_ = new QTabBar(this);
    tabs_->setFocusPolicy(Qt::NoFocus);
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->addTab(QString::fromUtf8(definition.text.data(), qsizetype(definition.text.size())));
    tabs_->setCurrentIndex(0);
    const QSize size = tabs_->sizeHint();
    tabs_->setGeometry(2, 2, size.width(), size.height());
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, tabs_->geometry().bottom() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = tabs_->size();
    frame.tabBarRect = tabs_->geometry();
    frame.selectedTabRect = tabs_->tabRect(0).translated(tabs_->pos());
    frame.lineWidth = 2;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace receipt::platform
