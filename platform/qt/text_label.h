#pragma once

#include <QWidget>

#include "platform/window_definition.h"

namespace receipt::platform {

// An opaque label: button face behind its text.
class TextLabel : public QWidget {
public:
    TextLabel(const ControlDefinition& definition, QWidget* parent);
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ControlDefinition& definition_;
    QString text_;
};

}  // namespace receipt::platform
