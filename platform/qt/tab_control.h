#pragma once

#include <QWidget>

#include "platform/window_definition.h"

class QTabBar;

namespace receipt::platform {

// A row of tabs over a page area. The page's controls are its children, placed
// from its own top-left corner; the tabs never take the focus.
class TabControl : public QWidget {
public:
    TabControl(const ControlDefinition& definition, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTabBar* tabs_;
};

}  // namespace receipt::platform
