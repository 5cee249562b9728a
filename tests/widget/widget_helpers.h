#pragma once
// Shared pieces of the widget tests: the toolkit started as the program starts
// it, the main window opened through LoadWindow, and ways to reach its
// controls, its screen contents and its keyboard and mouse.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <string>
#include <string_view>

#include "app/run_program.h"
#include "platform/embedded_assets.h"
#include "platform/jpeg_image.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/transparent_label.h"
#include "platform/toolkit.h"
#include "window/main_window.h"

namespace receipt::test {

inline QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The program's window, or null once it has been closed and destroyed.
inline QWidget* MainWindowWidget() {
    if (!platform::WindowExists()) return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("MainWindow")) return widget;
    }
    return nullptr;
}

inline QWidget* Control(std::string_view name) {
    QWidget* window = MainWindowWidget();
    return window ? window->findChild<QWidget*>(Utf8(name)) : nullptr;
}

inline QWidget* Control(std::string_view kind, int field) {
    return Control(std::string(kind) + std::to_string(field));
}

inline platform::TransparentLabel* FieldLabel(int field) {
    return dynamic_cast<platform::TransparentLabel*>(Control("透明标签", field));
}

// The client area of the page's picture box: the parent of the thirty field controls.
inline QWidget* PageArea() {
    auto* box = dynamic_cast<platform::PictureBox*>(Control("图片框1"));
    return box ? box->clientArea() : nullptr;
}

// Opens the window as the program does (created, start-up values written,
// shown and activated) and waits until it has the keyboard.
inline bool OpenMainWindow() {
    LoadWindow(MainWindow());
    QWidget* window = MainWindowWidget();
    return window && QTest::qWaitForWindowActive(window);
}

inline void DestroyMainWindow() {
    delete MainWindowWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline QWindow* MainWindowHandle() {
    QWidget* window = MainWindowWidget();
    return window ? window->windowHandle() : nullptr;
}

// A point of the page area in the window's own coordinates.
inline QPoint PageToWindow(QPoint page) { return PageArea()->mapTo(MainWindowWidget(), page); }

inline QImage ToRgb32(const platform::RgbImage& decoded) {
    return QImage(decoded.rgb.data(), decoded.width, decoded.height, decoded.width * 3, QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

inline const QImage& PagePicture() {
    static const QImage picture = ToRgb32(platform::DecodeJpeg(platform::PagePictureJpeg()));
    return picture;
}

inline const QImage& HandPicture() {
    static const QImage picture = ToRgb32(platform::DecodeJpeg(platform::HandPictureJpeg()));
    return picture;
}

// What the window shows in `rect` (window coordinates), read back from its
// backing store: the result of the painting that really took place.
inline QImage Screen(QRect rect) {
    QWidget* window = MainWindowWidget();
    return window->screen()
        ->grabWindow(window->winId(), rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// What the page area shows in `rect` (page coordinates).
inline QImage PageScreen(QRect rect) { return Screen(rect.translated(PageToWindow(QPoint(0, 0)))); }

// Sends each character of `text` as one key press, as a keyboard does:
// a character outside the basic plane arrives whole in one event.
inline void TypeText(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        const QChar first = character[0];
        const Qt::Key key = first.unicode() < 0x80 && first.isLetterOrNumber() ? Qt::Key(first.toUpper().unicode())
                                                                                 : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, MainWindowHandle(), key, character, Qt::NoModifier);
    }
}

inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(MainWindowHandle(), key, modifiers);
}

// Mouse actions at a point of the page area, delivered to the window so that
// the toolkit decides which control receives them.
inline void PressOnPage(QPoint page, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(MainWindowHandle(), button, modifiers, PageToWindow(page));
}

inline void ReleaseOnPage(QPoint page, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(MainWindowHandle(), button, Qt::NoModifier, PageToWindow(page));
}

inline void ClickOnPage(QPoint page, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(MainWindowHandle(), button, modifiers, PageToWindow(page));
}

inline QPoint CentreOnPage(QWidget* control) { return control->geometry().center(); }

}  // namespace receipt::test

// Starts the toolkit as the program does (it owns the QApplication), runs the
// test object, then releases the toolkit.
#define RECEIPT_WIDGET_TEST_MAIN(TestClass)                       \
    int main(int argc, char** argv) {                             \
        receipt::platform::StartToolkit();                        \
        int result = 0;                                           \
        {                                                         \
            TestClass test;                                       \
            result = QTest::qExec(&test, argc, argv);             \
        }                                                         \
        receipt::platform::EndProgram();                          \
        return result;                                            \
    }
