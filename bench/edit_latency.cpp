// Edit latency, in process: the window built and shown as the program does it,
// then COMMITS edits, each a press on a field's label (which opens its editor),
// a text put in the edit box, and a timed click on its "修改" button. A commit's
// time runs from just before the click is delivered to just after the click
// has been handled; the label's paint event must have come inside that time, so
// the figure is an upper bound of "click to label repainted". Fields are taken
// in turn, and each field alternates between two texts so that every commit
// really changes what the label shows.
//
//   edit_latency [COMMITS]
//
// Runs on the platform Qt picks (QT_QPA_PLATFORM=offscreen or an X display).

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/run_program.h"
#include "platform/qt/transparent_label.h"
#include "platform/toolkit.h"
#include "window/control_names.h"
#include "window/main_window.h"

namespace {

// Notes when a label gets a paint event.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 lastPaintNs = -1;
    long paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            lastPaintNs = clock_.nsecsElapsed();
            ++paints;
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
};

template <class T>
T* Find(QWidget* window, std::string_view kind, int field) {
    return window->findChild<T*>(QString::fromStdString(receipt::ControlName(kind, field)));
}

double Percentile(std::vector<double> sorted, double p) {
    const std::size_t i = std::min(sorted.size() - 1, std::size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[i];
}

}  // namespace

int main(int argc, char** argv) {
    const int commits = argc > 1 ? std::atoi(argv[1]) : 1000;
    receipt::platform::StartToolkit();
    receipt::LoadWindow(receipt::MainWindow());
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("MainWindow")) window = w;
    }
    if (!window || !QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "edit_latency: the window was not shown\n");
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    PaintWatch watch(clock);
    // Two texts a field; field 2 takes at most two GBK bytes.
    const std::array<std::array<QString, 2>, 11> texts{{
        {},
        {QStringLiteral("张三"), QStringLiteral("李四丰")},
        {QStringLiteral("12"), QStringLiteral("34")},
        {QStringLiteral("2025.1.2"), QStringLiteral("2026.12.31")},
        {QStringLiteral("付款-仅供娱乐"), QStringLiteral("收款")},
        {QStringLiteral("9:05"), QStringLiteral("23:59")},
        {QStringLiteral("交易号："), QStringLiteral("单号：")},
        {QStringLiteral("    marrowfen.example"), QStringLiteral("other.example")},
        {QStringLiteral("012345678"), QStringLiteral("098765432")},
        {QStringLiteral("Marrowfen论坛"), QStringLiteral("论坛")},
        {QStringLiteral("-88.00"), QStringLiteral("-1.00")},
    }};
    for (int field = 1; field <= 10; ++field) {
        auto* label = Find<receipt::platform::TransparentLabel>(window, receipt::kFieldLabel, field);
        if (!label) return 1;
        label->installEventFilter(&watch);
    }

    std::vector<double> micros;
    micros.reserve(std::size_t(commits));
    std::vector<double> toPaint;
    int failures = 0;
    for (int i = 0; i < commits; ++i) {
        const int field = 1 + i % 10;
        const QString& text = texts[std::size_t(field)][std::size_t((i / 10) % 2)];
        auto* label = Find<receipt::platform::TransparentLabel>(window, receipt::kFieldLabel, field);
        auto* edit = Find<QLineEdit>(window, receipt::kFieldEditBox, field);
        auto* button = Find<QPushButton>(window, receipt::kFieldButton, field);
        if (!label || !edit || !button) return 1;

        QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));  // opens the editor
        edit->setText(text);
        QCoreApplication::processEvents();  // the editor painted, nothing left pending
        if (!button->isVisible()) {
            ++failures;
            continue;
        }

        const long paintsBefore = watch.paints;
        const qint64 start = clock.nsecsElapsed();
        QTest::mouseClick(button, Qt::LeftButton);
        const qint64 end = clock.nsecsElapsed();

        const bool painted = watch.paints > paintsBefore && watch.lastPaintNs >= start && watch.lastPaintNs <= end;
        const QString expected = field == 1 ? QStringLiteral("你好,  ") + text : text;
        if (!painted || label->text() != expected) {
            ++failures;
            continue;
        }
        micros.push_back(double(end - start) / 1000.0);
        toPaint.push_back(double(watch.lastPaintNs - start) / 1000.0);
        QCoreApplication::processEvents();  // the editor hidden again
    }

    const QString platform = QGuiApplication::platformName();
    receipt::platform::EndProgram();
    if (micros.empty()) {
        std::fprintf(stderr, "edit_latency: no commit repainted its label\n");
        return 1;
    }
    std::sort(micros.begin(), micros.end());
    std::sort(toPaint.begin(), toPaint.end());
    const double median = Percentile(micros, 0.5);
    std::printf("| %-34s | %4zu | %-26s | p90 %.0f, paint event starts at %.0f (median) |\n",
                ("edit latency, " + platform.toStdString() + " (us)").c_str(), micros.size(),
                (std::to_string(int(median + 0.5)) + " [" + std::to_string(int(micros.front() + 0.5)) + ".." +
                 std::to_string(int(micros.back() + 0.5)) + "]")
                    .c_str(),
                Percentile(micros, 0.9), Percentile(toPaint, 0.5));
    if (failures) std::printf("%d commits FAILED: label not repainted or wrong text\n", failures);
    return failures ? 1 : 0;
}
