#pragma once

#include <QMargins>

class QWidget;

namespace receipt::platform {

// The frame that the window manager will put around `window` once it is shown,
// asked before showing so that the first frame on screen already has the final
// outer size. No margins where there is no window manager to ask.
QMargins PredictFrameMargins(QWidget& window);

}  // namespace receipt::platform
