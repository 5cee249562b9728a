// The floor that the program's start-up is compared with: a bare Qt Widgets
// program with one fixed-size window holding one Chinese label, closed by Esc.
//
//   baseline_window [CLIENT_WIDTH CLIENT_HEIGHT]
//
// The benchmark passes the client size that the program's window got, so both
// windows have the same outer size on the screen.

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 1208;
    const int height = argc > 2 ? std::atoi(argv[2]) : 703;
    QApplication application(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("基准窗口"));
    window.setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window.move(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2);
    }

    auto* label = new QLabel(QStringLiteral("交易记录成功"), &window);
    QFont font = label->font();
    font.setPixelSize(12);
    label->setFont(font);
    label->setGeometry(20, 20, 200, 40);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);

    window.show();
    return QApplication::exec();
}
