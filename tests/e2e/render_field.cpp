// Renders what a field should look like with a given text: the window built
// from its definition, offscreen, the field's label given the text, and the
// field's rectangle of the page written to a PNG. End-to-end tests compare it
// with the same rectangle of a screenshot of the real program.
//
// render_field FIELD UTF8_TEXT OUT.png

#include <cstdio>
#include <string>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "platform/gbk.h"
#include "platform/toolkit.h"
#include "window/control_names.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_field FIELD UTF8_TEXT OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int field = std::atoi(argv[1]);
    const std::string label = receipt::ControlName(receipt::kFieldLabel, field);
    receipt::platform::StartToolkit();
    receipt::platform::CreateWindow(receipt::MainWindow());
    receipt::platform::SetLabelText(label, receipt::platform::Utf8ToGbk(argv[2]).value_or(""));

    QWidget* window = QApplication::topLevelWidgets().value(0);
    QWidget* widget = window ? window->findChild<QWidget*>(QString::fromStdString(label)) : nullptr;
    if (!widget) return 1;
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    if (!window->grab(inWindow).toImage().save(QString::fromLocal8Bit(argv[3]))) return 1;
    receipt::platform::EndProgram();
    return 0;
}
