#pragma once

#include <QWidget>

#include "platform/window_definition.h"

namespace receipt::platform {

// A label that paints nothing but its text: the rest of its rectangle shows
// what lies beneath it. It takes presses over its whole rectangle, text or not,
// and shows the hand pointer there.
class TransparentLabel : public QWidget {
public:
    TransparentLabel(const ControlDefinition& definition, QWidget* parent);

    QString text() const { return text_; }
    // Stores the text and repaints at once, what lies beneath first.
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is not a press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const ControlDefinition& definition_;
    QString text_;
};

}  // namespace receipt::platform
