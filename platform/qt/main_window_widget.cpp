#include "platform/qt/main_window_widget.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

namespace receipt::platform {

MainWindowWidget::MainWindowWidget(const WindowDefinition& definition)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      definition_(definition) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::fromUtf8(definition.name.data(), qsizetype(definition.name.size())));
    setWindowTitle(QString::fromUtf8(definition.title.data(), qsizetype(definition.title.size())));
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    placeForFrame(QMargins());
}

void MainWindowWidget::addControl(std::string_view name, QWidget* control, bool takesFocus) {
    controls_.emplace(std::string(name), control);
    // The focus moves from the bottom of the stacking order upwards; controls
    // arrive top first, so each goes in front of those before it.
    if (takesFocus) focusOrder_.insert(focusOrder_.begin(), control);
}

QWidget* MainWindowWidget::control(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void MainWindowWidget::placeForFrame(const QMargins& frame) {
    const QSize client(definition_.outerWidth - frame.left() - frame.right(),
                       definition_.outerHeight - frame.top() - frame.bottom());
    setFixedSize(client);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const int left = area.left() + (area.width() - definition_.outerWidth) / 2;
        const int top = area.top() + (area.height() - definition_.outerHeight) / 2;
        setGeometry(left + frame.left(), top + frame.top(), client.width(), client.height());
    }
}

bool MainWindowWidget::focusNextPrevChild(bool next) {
    if (!next || focusOrder_.empty()) return true;
    const auto current = std::find(focusOrder_.begin(), focusOrder_.end(), focusWidget());
    const std::size_t from = current == focusOrder_.end() ? focusOrder_.size() - 1
                                                          : std::size_t(current - focusOrder_.begin());
    for (std::size_t step = 1; step <= focusOrder_.size(); ++step) {
        QWidget* candidate = focusOrder_[(from + step) % focusOrder_.size()];
        if (candidate->isVisible()) {
            candidate->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return true;
}

}  // namespace receipt::platform
