#pragma once

#include <QString>
#include <QWidget>

#include "platform/window_definition.h"

namespace receipt::platform {

// A row of tabs over a page area; it has one page, whose tab is selected. The
// page's controls are its children, placed from its own top-left corner. It
// never takes the focus.
class TabControl : public QWidget {
public:
    TabControl(const ControlDefinition& definition, QWidget* parent);

    QString caption() const { return caption_; }
    // The selected tab, joined to the page beneath it.
    QRect tabRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace receipt::platform
