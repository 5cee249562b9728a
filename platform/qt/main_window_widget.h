#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "platform/window_definition.h"

namespace receipt::platform {

// The top-level window: fixed outer size, close button only, Esc closes it,
// Tab walks a fixed order of controls and Shift+Tab does nothing.
class MainWindowWidget : public QWidget {
public:
    explicit MainWindowWidget(const WindowDefinition& definition);

    const WindowDefinition& definition() const { return definition_; }
    void addControl(std::string_view name, QWidget* control, bool takesFocus);
    QWidget* control(std::string_view name) const;
    const std::vector<QWidget*>& focusOrder() const { return focusOrder_; }

    // Fixes the client size so that the outer size, frame included, is the
    // definition's, and centres the frame on the screen.
    void placeForFrame(const QMargins& frame);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    const WindowDefinition& definition_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::vector<QWidget*> focusOrder_;
};

}  // namespace receipt::platform
