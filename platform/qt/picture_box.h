#pragma once

#include <QImage>
#include <QWidget>

#include "platform/window_definition.h"

namespace receipt::platform {

// A rectangle that shows a picture at its own size from the top-left corner of
// its client area, cut at the edges, with button face elsewhere. Children are
// placed in the client area, inside the border.
class PictureBox : public QWidget {
public:
    PictureBox(const ControlDefinition& definition, QImage picture, QWidget* parent);
    QWidget* clientArea() const { return client_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* client_;
    bool border_;
};

}  // namespace receipt::platform
