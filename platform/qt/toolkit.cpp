#include "platform/toolkit.h"

#include <string>
#include <utility>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStyleFactory>

#include "platform/embedded_assets.h"
#include "platform/fatal.h"
#include "platform/gbk.h"
#include "platform/qt/builder.h"
#include "platform/qt/fonts.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/transparent_label.h"
#include "platform/qt/window_frame.h"

namespace receipt::platform {
namespace {

std::string programName = "receipt-mockup";
// A plain pointer, released by EndProgram() only: when the connection to the
// display breaks, Qt ends the process with exit() from inside the event loop,
// and a static owner would then destroy the application under its own running
// loop and crash.
QApplication* application = nullptr;
QPointer<MainWindowWidget> mainWindow;
QtMessageHandler defaultMessageHandler = nullptr;
void (*exitRoutine)() = nullptr;

// Qt ends the process with abort() when it cannot start (no display, say):
// turn that into the program's own fatal path.
void HandleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && !application) {
        const QByteArray display = qgetenv("DISPLAY");
        Fatal("cannot start the window system: no display could be opened (" +
              (display.isEmpty() ? std::string("DISPLAY is not set") : "DISPLAY=" + display.toStdString()) + ")");
    }
    if (type == QtFatalMsg) Fatal(message.simplified().toStdString());
    if (defaultMessageHandler) defaultMessageHandler(type, context, message);
}

void ShowFatalMessage(std::string_view message) {
    QMessageBox::critical(nullptr, QStringLiteral("receipt-mockup"),
                          QString::fromUtf8(message.data(), qsizetype(message.size())));
}

void UseButtonFaceColours() {
    QPalette palette = QApplication::palette();
    const QColor face(240, 240, 240);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    QApplication::setPalette(palette);
}

QString DecodeForDisplay(std::string_view gbk) {
    if (auto utf8 = GbkToUtf8(gbk)) return QString::fromStdString(*utf8);
    // Not valid GBK: show what decodes, a replacement mark for the rest.
    QString shown;
    for (std::size_t i = 0; i < gbk.size();) {
        const std::size_t length = static_cast<unsigned char>(gbk[i]) >= 0x81 && i + 1 < gbk.size() ? 2 : 1;
        if (auto part = GbkToUtf8(gbk.substr(i, length))) {
            shown += QString::fromStdString(*part);
        } else {
            shown += QChar::ReplacementCharacter;
        }
        i += length;
    }
    return shown;
}

}  // namespace

void SetProgramName(const char* name) {
    if (name && *name) programName = name;
}

void SetExitRoutine(void (*routine)()) { exitRoutine = routine; }

void EndProgram() {
    if (auto routine = std::exchange(exitRoutine, nullptr)) routine();
    delete mainWindow.data();
    delete std::exchange(application, nullptr);
}

void StartToolkit() {
    defaultMessageHandler = qInstallMessageHandler(HandleQtMessage);
    static int argc = 1;
    static char* argv[] = {programName.data(), nullptr};
#ifndef Q_OS_WIN
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    // With no session bus to talk to, the D-Bus library would launch one (a
    // daemon) for the accessibility bridge; this program starts no programs.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
#endif
    application = new QApplication(argc, argv);
    SetFatalMessageShower(ShowFatalMessage);
    MapFontFaces();
    UseButtonFaceColours();
}

void CreateWindow(const WindowDefinition& definition) {
    mainWindow = BuildWindow(definition);
    if (!mainWindow) Fatal("cannot create the window");
    mainWindow->setWindowIcon(QIcon(QPixmap::fromImage(
        QImage::fromData(ProgramIconPng().data(), int(ProgramIconPng().size()), "PNG"))));
}

bool WindowExists() { return !mainWindow.isNull(); }

void ShowWindow() {
    if (!mainWindow) return;
    const QMargins predicted = PredictFrameMargins(*mainWindow);
    mainWindow->placeForFrame(predicted);
    mainWindow->show();
    // Where the frame could not be asked for beforehand but is known once the
    // window is shown, place the window again for it.
    const QRect inner = mainWindow->geometry();
    const QRect outer = mainWindow->frameGeometry();
    const QMargins shown(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    if (!shown.isNull() && shown != predicted) mainWindow->placeForFrame(shown);
    mainWindow->activateWindow();
}

void RunEventLoop() {
    if (!mainWindow) return;
    QApplication::exec();
}

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

std::string EditBoxText(std::string_view control) {
    auto* edit = mainWindow ? qobject_cast<QLineEdit*>(mainWindow->control(control)) : nullptr;
    if (!edit) return std::string();
    const QByteArray utf8 = edit->text().toUtf8();
    return Utf8ToGbk(std::string_view(utf8.constData(), std::size_t(utf8.size()))).value_or(std::string());
}

void SetLabelText(std::string_view control, std::string_view gbkText) {
    auto* label = mainWindow ? dynamic_cast<TransparentLabel*>(mainWindow->control(control)) : nullptr;
    if (label) label->setText(DecodeForDisplay(gbkText));
}

void SetControlShown(std::string_view control, bool visible) {
    if (QWidget* widget = mainWindow ? mainWindow->control(control) : nullptr) widget->setVisible(visible);
}

}  // namespace receipt::platform
