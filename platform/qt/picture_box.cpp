#include "platform/qt/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace receipt::platform {
namespace {

class PictureClient : public QWidget {
public:
    PictureClient(QImage picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect dirty = event->rect();
        const QRect pictureArea = dirty.intersected(picture_.rect());
        if (!pictureArea.isEmpty()) painter.drawImage(pictureArea.topLeft(), picture_, pictureArea);
        const QRegion rest = QRegion(dirty) - QRegion(picture_.rect());
        for (const QRect& r : rest) painter.fillRect(r, palette().color(QPalette::Button));
    }

private:
    QImage picture_;
};

}  // namespace

PictureBox::PictureBox(const ControlDefinition& definition, QImage picture, QWidget* parent)
    : QWidget(parent), border_(definition.frameBorder) {
    const int b = border_ ? 1 : 0;
    client_ = new PictureClient(std::move(picture), this);
    client_->setGeometry(b, b, definition.width - 2 * b, definition.height - 2 * b);
    setAttribute(Qt::WA_OpaquePaintEvent, border_);
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (!border_) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));  // the window-frame colour
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace receipt::platform
