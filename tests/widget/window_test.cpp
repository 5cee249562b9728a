// The main window as the user meets it: its controls against the window
// definition, the pictures on screen, the keyboard and the mouse.

#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <optional>

#include "platform/gbk.h"
#include "platform/qt/tab_control.h"
#include "tests/widget/widget_helpers.h"
#include "window/site.h"

using namespace receipt;
using namespace receipt::test;
using platform::ControlDefinition;
using platform::ControlKind;

namespace {

const ControlDefinition* Row(const QString& name) {
    for (const ControlDefinition& row : MainWindow().controls) {
        if (Utf8(row.name) == name) return &row;
    }
    return nullptr;
}

// The area in which a row's place is measured.
QWidget* ParentArea(const ControlDefinition& row) {
    if (row.parent.empty()) return MainWindowWidget();
    QWidget* parent = Control(row.parent);
    if (auto* box = dynamic_cast<platform::PictureBox*>(parent)) return box->clientArea();
    return parent;
}

// The installed faces that stand in for the faces the definition names.
QStringList StandInFaces(const platform::Font& font) {
    if (font.defaultGui || font.face == "宋体" || font.face == "新宋体") {
        return {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")};
    }
    if (font.face == "微软雅黑") return {QStringLiteral("Noto Sans CJK SC")};
    if (font.face == "Cambria") return {QStringLiteral("Caladea")};
    return {};  // an empty face: the system's choice
}

// Writes a field as the system does: GBK text through the toolkit's operation.
void WriteField(int field, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string gbk = platform::Utf8ToGbk(std::string_view(utf8.constData(), std::size_t(utf8.size()))).value();
    platform::SetLabelText("透明标签" + std::to_string(field), gbk);
}

bool EditorShown(int field) {
    return Control("编辑框", field)->isVisible() && Control("按钮", field)->isVisible();
}

// Fields whose edit box or button is visible, as "E3" / "B3" marks, for readable failures.
QStringList VisibleEditorParts() {
    QStringList parts;
    for (int n = 1; n <= 10; ++n) {
        if (Control("编辑框", n)->isVisible()) parts << QStringLiteral("E%1").arg(n);
        if (Control("按钮", n)->isVisible()) parts << QStringLiteral("B%1").arg(n);
    }
    return parts;
}

QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("<none>");
}

void ShowEditor(int field) {
    platform::SetControlShown("编辑框" + std::to_string(field), true);
    platform::SetControlShown("按钮" + std::to_string(field), true);
}

// How far `pixel` lies from `background` towards `text` (0 to 1), when it lies
// on that line at all: what an antialiased character leaves.
std::optional<double> BlendTowards(QRgb pixel, QRgb background, QRgb text) {
    const int p[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int b[] = {qRed(background), qGreen(background), qBlue(background)};
    const int t[] = {qRed(text), qGreen(text), qBlue(text)};
    int widest = 0;
    for (int c = 1; c < 3; ++c) widest = std::abs(t[c] - b[c]) > std::abs(t[widest] - b[widest]) ? c : widest;
    if (t[widest] == b[widest]) return std::nullopt;
    const double alpha = double(p[widest] - b[widest]) / double(t[widest] - b[widest]);
    if (alpha < -0.02 || alpha > 1.02) return std::nullopt;
    for (int c = 0; c < 3; ++c) {
        if (std::abs(b[c] + alpha * (t[c] - b[c]) - p[c]) > 6) return std::nullopt;
    }
    return alpha;
}

// Pixels of `shown` that differ from the page picture, inside `area` of the page.
QList<QPoint> DifferencesFromPicture(const QImage& shown, QRect area) {
    QList<QPoint> differences;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (shown.pixel(x, y) != PagePicture().pixel(x, y)) differences << QPoint(x, y);
        }
    }
    return differences;
}

// A window of the platform built from a one-label definition, to count and
// inspect the press events that reach a bound handler.
struct PressRecord {
    int count = 0, field = 0, x = -1, y = -1, keyState = -1;
};
PressRecord presses;

void RecordPress(int field, int x, int y, int keyState) { presses = {presses.count + 1, field, x, y, keyState}; }

constexpr QRect kProbeLabel(20, 10, 60, 20);
const std::array kProbeControls{
    ControlDefinition{.kind = ControlKind::TransparentLabel, .name = "探针标签", .parent = {},
                      .left = kProbeLabel.x(), .top = kProbeLabel.y(), .width = kProbeLabel.width(),
                      .height = kProbeLabel.height(), .layout = platform::TextLayout::OneLine, .field = 6,
                      .onPress = &RecordPress},
};
// Named as the program's window, so that the helpers find it and clean it up.
const platform::WindowDefinition kProbeWindow{.name = "MainWindow", .title = "probe", .outerWidth = 200,
                                              .outerHeight = 100, .onCreated = nullptr,
                                              .controls = kProbeControls};

bool OpenProbeWindow() {
    DestroyMainWindow();
    platform::CreateWindow(kProbeWindow);
    platform::ShowWindow();
    presses = {};
    return QTest::qWaitForWindowActive(MainWindowWidget());
}

const QStringList kTabOrder{
    "编辑框1", "按钮1", "编辑框2", "按钮2", "按钮3",  "编辑框3", "编辑框4", "按钮4",  "按钮5",  "编辑框5",
    "编辑框6", "按钮6", "编辑框7", "按钮7", "按钮8",  "编辑框8", "按钮9",  "编辑框9", "编辑框10", "按钮10",
};

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(OpenMainWindow()); }
    void cleanup() { DestroyMainWindow(); }

    // --- layout -----------------------------------------------------------

    void controlFollowsItsRow_data();
    void controlFollowsItsRow();
    void onlyEditBoxesAndButtonsTakeFocus();
    void windowFrameAndTitle();
    void outerSizeAndPlace();
    void pagePictureFillsTheClientArea();
    void handPictureShowsItsTopLeftCorner();

    // --- keyboard ---------------------------------------------------------

    void escapeClosesOnlyWithoutModifiers_data();
    void escapeClosesOnlyWithoutModifiers();
    void enterChangesNothing_data();
    void enterChangesNothing();
    void tabVisitsVisibleControlsInOrder_data();
    void tabVisitsVisibleControlsInOrder();
    void shiftTabDoesNothing_data();
    void shiftTabDoesNothing();
    void spaceOnButtonCommitsItsField_data();
    void spaceOnButtonCommitsItsField();
    void buttonClicksOnlyWhenReleasedOnIt_data();
    void buttonClicksOnlyWhenReleasedOnIt();

    // --- mouse ------------------------------------------------------------

    void pressAnywhereOnLabelShowsItsEditor_data();
    void pressAnywhereOnLabelShowsItsEditor();
    void onlyTheLeftButtonPresses_data();
    void onlyTheLeftButtonPresses();
    void upperControlTakesPressOnCoveredPart_data();
    void upperControlTakesPressOnCoveredPart();
    void pressReachesHandlerWithPositionAndKeys_data();
    void pressReachesHandlerWithPositionAndKeys();
    void doubleClickRunsPressHandlerOnce();

    // --- painting of the fields --------------------------------------------

    void emptyFieldsShowTheBarePicture();
    void shorterTextLeavesNoTrace_data();
    void shorterTextLeavesNoTrace();
    void overlongTextKeepsItsAlignedEnd_data();
    void overlongTextKeepsItsAlignedEnd();
    void editorStaysOverTheFieldBeneathIt();
};

// ---------------------------------------------------------------------------

void WindowTest::controlFollowsItsRow_data() {
    QTest::addColumn<QString>("name");
    for (const ControlDefinition& row : MainWindow().controls) {
        const QString name = Utf8(row.name);
        QTest::newRow(name.toUtf8().constData()) << name;
    }
}

void WindowTest::controlFollowsItsRow() {
    QFETCH(QString, name);
    const ControlDefinition& row = *Row(name);
    QWidget* window = MainWindowWidget();
    QWidget* control = window->findChild<QWidget*>(name);
    QVERIFY2(control, "no widget of that name");

    // Place and size, measured in the parent's client area.
    QWidget* area = ParentArea(row);
    QCOMPARE(control->parentWidget(), area);
    QCOMPARE(control->geometry(), QRect(row.left, row.top, row.width, row.height));
    if (row.kind == ControlKind::PictureBox) {
        const int border = row.frameBorder ? 1 : 0;
        QCOMPARE(dynamic_cast<platform::PictureBox*>(control)->clientArea()->geometry(),
                 QRect(border, border, row.width - 2 * border, row.height - 2 * border));
    }

    QCOMPARE(control->isVisibleTo(window), row.visible);

    // An earlier row lies above every later sibling: Qt paints later children on top.
    const QObjectList siblings = area->children();
    bool after = false;
    for (const ControlDefinition& other : MainWindow().controls) {
        if (other.name == row.name) {
            after = true;
            continue;
        }
        if (!after || other.parent != row.parent) continue;
        QVERIFY2(siblings.indexOf(control) > siblings.indexOf(Control(other.name)),
                 qPrintable(QStringLiteral("not above %1").arg(Utf8(other.name))));
    }

    // Focus and pointer.
    if (row.focusable) {
        QVERIFY(control->focusPolicy() & Qt::TabFocus);
        QVERIFY(control->focusPolicy() & Qt::ClickFocus);
    } else {
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
    }
    if (row.kind == ControlKind::TransparentLabel) {
        QVERIFY(control->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(control->cursor().shape(), Qt::PointingHandCursor);
    } else {
        QVERIFY(control->cursor().shape() != Qt::PointingHandCursor);
    }

    // Font: the face asked for, the face that stands in for it, size and weight.
    if (row.kind != ControlKind::PictureBox) {
        const QFont font = control->font();
        const QFontInfo shown(font);
        const int pixelSize = row.font.defaultGui ? 12 : row.font.pixelSize;
        const bool bold = !row.font.defaultGui && row.font.weight >= 700;
        if (row.font.defaultGui) QCOMPARE(font.family(), QStringLiteral("宋体"));
        else if (!row.font.face.empty()) QCOMPARE(font.family(), Utf8(row.font.face));
        const QStringList faces = StandInFaces(row.font);
        if (!faces.isEmpty()) QVERIFY2(faces.contains(shown.family()), qPrintable(shown.family()));
        QCOMPARE(shown.pixelSize(), pixelSize);
        QCOMPARE(shown.bold(), bold);
        QCOMPARE(font.italic() || font.underline() || font.strikeOut(), false);
    }

    // Text colours: what a label draws over its background is that background
    // blended towards the text colour; an edit box shows black on white.
    if (row.kind == ControlKind::Label || row.kind == ControlKind::TransparentLabel) {
        const QRect rect(control->mapTo(window, QPoint(0, 0)), control->size());
        const QImage shown = Screen(rect);
        const QRgb colour = qRgb(row.textColour.red, row.textColour.green, row.textColour.blue);
        QList<QRect> others;  // other controls over or under this one
        for (const ControlDefinition& other : MainWindow().controls) {
            QWidget* widget = Control(other.name);
            if (widget == control || widget->isAncestorOf(control) || !widget->isVisible()) continue;
            others << QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
        }
        double strongest = 0;
        int drawn = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QPoint at = rect.topLeft() + QPoint(x, y);
                if (std::any_of(others.begin(), others.end(), [&](const QRect& r) { return r.contains(at); })) continue;
                const QRgb beneath = row.kind == ControlKind::Label
                                         ? qRgb(240, 240, 240)
                                         : PagePicture().pixel(control->geometry().topLeft() + QPoint(x, y));
                if (shown.pixel(x, y) == beneath) continue;
                const std::optional<double> alpha = BlendTowards(shown.pixel(x, y), beneath, colour);
                QVERIFY2(alpha, qPrintable(QStringLiteral("pixel %1,%2 is #%3, not between #%4 and the text colour")
                                               .arg(x).arg(y)
                                               .arg(shown.pixel(x, y) & 0xffffff, 6, 16, QLatin1Char('0'))
                                               .arg(beneath & 0xffffff, 6, 16, QLatin1Char('0'))));
                strongest = std::max(strongest, *alpha);
                ++drawn;
            }
        }
        QVERIFY2(drawn > 0, "no text drawn");
        QVERIFY2(strongest >= 0.4, qPrintable(QStringLiteral("text drawn at %1 of its colour").arg(strongest)));
    }
    if (row.kind == ControlKind::EditBox) {
        QCOMPARE(control->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(control->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(int(static_cast<QLineEdit*>(control)->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignLeft));
    }
    if (row.kind == ControlKind::Button) {
        auto* button = static_cast<QPushButton*>(control);
        QCOMPARE(button->text(), QStringLiteral("修改"));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void WindowTest::onlyEditBoxesAndButtonsTakeFocus() {
    // Also the widgets the platform builds inside the controls (the tab row,
    // the picture's client area) stay out of the focus chain.
    for (QWidget* widget : MainWindowWidget()->findChildren<QWidget*>()) {
        const ControlDefinition* row = Row(widget->objectName());
        const bool focusable = row && row->focusable;
        const bool reachable = row || widget->isVisibleTo(MainWindowWidget());
        QVERIFY2(focusable || !reachable || widget->focusPolicy() == Qt::NoFocus,
                 qPrintable(widget->objectName() + QLatin1Char(' ') + widget->metaObject()->className()));
    }
}

void WindowTest::windowFrameAndTitle() {
    QWidget* window = MainWindowWidget();
    const QString title = QStringLiteral("QuonvelPC端付款成功截图生成工具 V2.0") + QString(15, QLatin1Char(' ')) +
                          QStringLiteral("Marrowfen论坛") + QString(2, QLatin1Char(' ')) + Utf8(kSiteAddress) +
                          QString(3, QLatin1Char(' ')) + QStringLiteral("纸上谈兵，截图为证");
    QCOMPARE(window->windowTitle(), title);

    QCOMPARE(window->minimumSize(), window->size());
    QCOMPARE(window->maximumSize(), window->size());

    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
    QVERIFY(window->isActiveWindow());
    QVERIFY(window->windowIcon().availableSizes().contains(QSize(64, 64)));

    auto* tabs = dynamic_cast<platform::TabControl*>(Control("选择夹1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->caption(), QStringLiteral("交易记录"));

    // Button face behind everything: a corner of the window that no control covers.
    QCOMPARE(Screen(QRect(window->width() - 5, 1, 4, 6)).pixel(2, 2), qRgb(240, 240, 240));
}

void WindowTest::outerSizeAndPlace() {
    // The frame the platform reports included, whatever the frame is.
    QWidget* window = MainWindowWidget();
    QCOMPARE(window->frameGeometry().size(), QSize(1208, 703));
    const QRect screen = window->screen()->geometry();
    QCOMPARE(window->frameGeometry().topLeft(),
             screen.topLeft() + QPoint((screen.width() - 1208) / 2, (screen.height() - 703) / 2));
}

void WindowTest::pagePictureFillsTheClientArea() {
    QWidget* area = PageArea();
    QCOMPARE(area->size(), QSize(993, 638));
    const QImage shown = PageScreen(area->rect());
    QCOMPARE(PagePicture().size(), QSize(993, 636));

    // The picture unscaled from the top-left corner, wherever no field text is drawn.
    int differences = 0;
    QPoint first;
    for (int y = 0; y < 636; ++y) {
        for (int x = 0; x < 993; ++x) {
            bool underLabel = false;
            for (int n = 1; n <= 10; ++n) underLabel |= Control("透明标签", n)->geometry().contains(x, y);
            if (underLabel || shown.pixel(x, y) == PagePicture().pixel(x, y)) continue;
            if (differences++ == 0) first = QPoint(x, y);
        }
    }
    QVERIFY2(differences == 0, qPrintable(QStringLiteral("%1 pixels differ, the first at %2,%3")
                                              .arg(differences).arg(first.x()).arg(first.y())));

    // A strip of button face, two pixels high, below the picture.
    for (int y = 636; y < 638; ++y) {
        for (int x = 0; x < 993; ++x) QCOMPARE(shown.pixel(x, y), qRgb(240, 240, 240));
    }

    // The one-pixel border in the window-frame colour around the client area.
    QWidget* box = Control("图片框1");
    const QImage framed = Screen(QRect(box->mapTo(MainWindowWidget(), QPoint(0, 0)), box->size()));
    for (int x = 0; x < framed.width(); ++x) {
        QCOMPARE(framed.pixel(x, 0), qRgb(0, 0, 0));
        QCOMPARE(framed.pixel(x, framed.height() - 1), qRgb(0, 0, 0));
    }
    for (int y = 0; y < framed.height(); ++y) {
        QCOMPARE(framed.pixel(0, y), qRgb(0, 0, 0));
        QCOMPARE(framed.pixel(framed.width() - 1, y), qRgb(0, 0, 0));
    }
}

void WindowTest::handPictureShowsItsTopLeftCorner() {
    QCOMPARE(HandPicture().size(), QSize(24, 30));
    QWidget* box = Control("图片框2");
    const QImage shown = Screen(QRect(box->mapTo(MainWindowWidget(), QPoint(0, 0)), box->size()));
    QCOMPARE(shown, HandPicture().copy(0, 0, 20, 24));
}

// ---------------------------------------------------------------------------

void WindowTest::escapeClosesOnlyWithoutModifiers_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("closes");
    const QString none, edit = QStringLiteral("编辑框3"), button = QStringLiteral("按钮3");
    QTest::newRow("window") << none << Qt::KeyboardModifiers() << true;
    QTest::newRow("typing in an edit box") << edit << Qt::KeyboardModifiers() << true;
    QTest::newRow("button") << button << Qt::KeyboardModifiers() << true;
    QTest::newRow("Ctrl in an edit box") << edit << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Shift in an edit box") << edit << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow("Alt in an edit box") << edit << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    QTest::newRow("Ctrl on the window") << none << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Shift on a button") << button << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
}

void WindowTest::escapeClosesOnlyWithoutModifiers() {
    QFETCH(QString, focus);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, closes);
    if (!focus.isEmpty()) {
        ShowEditor(3);
        Control(focus.toStdString())->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(FocusName(), focus);
        if (qobject_cast<QLineEdit*>(Control(focus.toStdString()))) TypeText(QStringLiteral("ab"));
    }
    PressKey(Qt::Key_Escape, modifiers);
    if (closes) {
        QTRY_VERIFY(!platform::WindowExists());
    } else {
        QTest::qWait(20);
        QVERIFY(platform::WindowExists());
        QVERIFY(MainWindowWidget()->isVisible());
    }
}

void WindowTest::enterChangesNothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return in the edit box") << QStringLiteral("编辑框3") << Qt::Key_Return;
    QTest::newRow("keypad Enter in the edit box") << QStringLiteral("编辑框3") << Qt::Key_Enter;
    QTest::newRow("Return on the button") << QStringLiteral("按钮3") << Qt::Key_Return;
    QTest::newRow("keypad Enter on the button") << QStringLiteral("按钮3") << Qt::Key_Enter;
}

void WindowTest::enterChangesNothing() {
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);
    ClickOnPage(CentreOnPage(Control("透明标签3")));
    QVERIFY(EditorShown(3));
    auto* edit = static_cast<QLineEdit*>(Control("编辑框3"));
    ClickOnPage(CentreOnPage(edit));
    QTRY_VERIFY(edit->hasFocus());
    TypeText(QStringLiteral("xy"));
    const QString before = FieldLabel(3)->text();
    Control(focus.toStdString())->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusName(), focus);

    PressKey(key);
    QTest::qWait(20);
    QVERIFY(platform::WindowExists());
    QCOMPARE(FieldLabel(3)->text(), before);
    QCOMPARE(edit->text(), QStringLiteral("xy"));
    QCOMPARE(VisibleEditorParts(), QStringList({"E3", "B3"}));
    QCOMPARE(FocusName(), focus);
}

void WindowTest::tabVisitsVisibleControlsInOrder_data() {
    QTest::addColumn<QList<int>>("fields");
    QTest::newRow("every editor shown") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("fields 3 and 7") << QList<int>{7, 3};
    QTest::newRow("fields 10, 9 and 1") << QList<int>{10, 9, 1};
    for (int n = 1; n <= 10; ++n) QTest::addRow("field %d alone", n) << QList<int>{n};
}

void WindowTest::tabVisitsVisibleControlsInOrder() {
    QFETCH(QList<int>, fields);
    QStringList cycle;
    for (const QString& name : kTabOrder) {
        const int field = name.mid(name.startsWith(QStringLiteral("编辑框")) ? 3 : 2).toInt();
        if (fields.contains(field)) cycle << name;
    }
    for (int field : fields) ShowEditor(field);
    Control(cycle.first().toStdString())->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusName(), cycle.first());

    // Once round and back to the start.
    QStringList visited;
    for (qsizetype step = 1; step <= cycle.size(); ++step) {
        PressKey(Qt::Key_Tab);
        visited << FocusName();
    }
    QCOMPARE(visited, cycle.mid(1) << cycle.first());
}

void WindowTest::shiftTabDoesNothing_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Shift+Tab in an edit box") << QStringLiteral("编辑框2") << Qt::Key_Tab;
    QTest::newRow("Backtab in an edit box") << QStringLiteral("编辑框2") << Qt::Key_Backtab;
    QTest::newRow("Shift+Tab on a button") << QStringLiteral("按钮2") << Qt::Key_Tab;
    QTest::newRow("Backtab on the first control") << QStringLiteral("编辑框1") << Qt::Key_Backtab;
}

void WindowTest::shiftTabDoesNothing() {
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);
    for (int n = 1; n <= 10; ++n) ShowEditor(n);
    Control(focus.toStdString())->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusName(), focus);
    PressKey(key, Qt::ShiftModifier);
    QCOMPARE(FocusName(), focus);
}

void WindowTest::spaceOnButtonCommitsItsField_data() {
    QTest::addColumn<int>("field");
    for (int n = 1; n <= 10; ++n) QTest::addRow("field %d", n) << n;
}

void WindowTest::spaceOnButtonCommitsItsField() {
    QFETCH(int, field);
    ClickOnPage(CentreOnPage(Control("透明标签", field)));
    QCOMPARE(VisibleEditorParts(), QStringList({QStringLiteral("E%1").arg(field), QStringLiteral("B%1").arg(field)}));
    ClickOnPage(CentreOnPage(Control("编辑框", field)));
    QTRY_COMPARE(QApplication::focusWidget(), Control("编辑框", field));
    TypeText(QStringLiteral("新"));  // fits every edit box
    Control("按钮", field)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), Control("按钮", field));

    PressKey(Qt::Key_Space);
    const QString expected = field == 1 ? QStringLiteral("你好,  新") : QStringLiteral("新");
    QCOMPARE(FieldLabel(field)->text(), expected);
    QCOMPARE(VisibleEditorParts(), QStringList());
}

void WindowTest::buttonClicksOnlyWhenReleasedOnIt_data() {
    QTest::addColumn<QPoint>("release");  // relative to the button's top-left corner
    QTest::addColumn<bool>("commits");
    QTest::newRow("released on the button") << QPoint(47, 23) << true;
    QTest::newRow("released left of it") << QPoint(-1, 12) << false;
    QTest::newRow("released below it") << QPoint(20, 24) << false;
    QTest::newRow("released far away") << QPoint(300, -200) << false;
}

void WindowTest::buttonClicksOnlyWhenReleasedOnIt() {
    QFETCH(QPoint, release);
    QFETCH(bool, commits);
    ShowEditor(6);
    Control("编辑框6")->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusName(), QStringLiteral("编辑框6"));
    TypeText(QStringLiteral("cc"));
    const QString before = FieldLabel(6)->text();

    QWidget* button = Control("按钮6");
    const QPoint target = button->geometry().topLeft() + release;
    PressOnPage(CentreOnPage(button));
    QTest::mouseMove(MainWindowHandle(), PageToWindow(target));
    ReleaseOnPage(target);
    QCOMPARE(FieldLabel(6)->text(), commits ? QStringLiteral("cc") : before);
    QCOMPARE(EditorShown(6), !commits);
}

// ---------------------------------------------------------------------------

void WindowTest::pressAnywhereOnLabelShowsItsEditor_data() {
    QTest::addColumn<int>("label");
    QTest::addColumn<QPoint>("at");  // relative to the label
    QTest::addColumn<bool>("empty");
    QTest::addColumn<int>("field");  // whose editor appears
    for (const ControlDefinition& row : MainWindow().controls) {
        if (row.kind != ControlKind::TransparentLabel) continue;
        const int n = row.field;
        QTest::addRow("%d top-left, empty", n) << n << QPoint(0, 0) << true << n;
        // The bottom-right corner of 透明标签7 lies under 透明标签9.
        QTest::addRow("%d bottom-right, empty", n)
            << n << QPoint(row.width - 1, row.height - 1) << true << (n == 7 ? 9 : n);
        QTest::addRow("%d centre, start-up text", n) << n << QPoint(row.width / 2, row.height / 2) << false << n;
    }
}

void WindowTest::pressAnywhereOnLabelShowsItsEditor() {
    QFETCH(int, label);
    QFETCH(QPoint, at);
    QFETCH(bool, empty);
    QFETCH(int, field);
    if (empty) WriteField(label, QString());
    const QString text = FieldLabel(label)->text();
    QCOMPARE(text.isEmpty(), empty);

    const QPoint page = Control("透明标签", label)->geometry().topLeft() + at;
    PressOnPage(page);
    QCOMPARE(VisibleEditorParts(), QStringList({QStringLiteral("E%1").arg(field), QStringLiteral("B%1").arg(field)}));
    ReleaseOnPage(page);
    QCOMPARE(FieldLabel(label)->text(), text);
    QCOMPARE(QApplication::focusWidget(), nullptr);  // shown, not focused
}

void WindowTest::onlyTheLeftButtonPresses_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("shows");
    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << true;
    QTest::newRow("left with Ctrl+Shift+Alt")
        << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << true;
    QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers() << false;
    QTest::newRow("right with Ctrl") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
}

void WindowTest::onlyTheLeftButtonPresses() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, shows);
    const QPoint page = CentreOnPage(Control("透明标签5"));
    ClickOnPage(page, button, modifiers);
    QCOMPARE(VisibleEditorParts(), shows ? QStringList({"E5", "B5"}) : QStringList());
}

void WindowTest::upperControlTakesPressOnCoveredPart_data() {
    QTest::addColumn<QString>("shown");     // the upper control, shown alone ("" for none)
    QTest::addColumn<QPoint>("at");         // page coordinates
    QTest::addColumn<QString>("receiver");  // the control under the pointer
    QTest::addColumn<int>("pressed");       // the field whose press handler runs, 0 for none

    struct Overlap {
        const char* upper;
        const char* lower;
        int lowerField;
        QList<QPoint> points;
    };
    const Overlap overlaps[] = {
        {"编辑框1", "透明标签1", 1, {{494, 20}, {557, 23}}},
        {"按钮1", "透明标签1", 1, {{566, 20}, {577, 23}}},
        {"编辑框5", "透明标签4", 4, {{114, 608}, {127, 608}}},
        {"按钮5", "透明标签4", 4, {{136, 608}, {183, 608}}},
        {"编辑框8", "透明标签8", 8, {{368, 608}, {407, 621}}},
        {"编辑框9", "透明标签9", 9, {{529, 588}, {533, 606}, {531, 590}}},
    };
    for (const Overlap& o : overlaps) {
        for (const QPoint& p : o.points) {
            QTest::addRow("%s at %d,%d", o.upper, p.x(), p.y())
                << QString::fromUtf8(o.upper) << p << QString::fromUtf8(o.upper) << 0;
            QTest::addRow("%s hidden at %d,%d", o.upper, p.x(), p.y())
                << QString() << p << QString::fromUtf8(o.lower) << o.lowerField;
        }
    }
    // Two labels overlap: the upper one takes the press, its neighbour keeps the rest.
    for (int y : {588, 603}) {
        for (int x : {486, 487}) QTest::addRow("透明标签9 over 透明标签7 at %d,%d", x, y) << QString() << QPoint(x, y) << QStringLiteral("透明标签9") << 9;
        QTest::addRow("透明标签7 beside at 485,%d", y) << QString() << QPoint(485, y) << QStringLiteral("透明标签7") << 7;
    }
}

void WindowTest::upperControlTakesPressOnCoveredPart() {
    QFETCH(QString, shown);
    QFETCH(QPoint, at);
    QFETCH(QString, receiver);
    QFETCH(int, pressed);
    if (!shown.isEmpty()) platform::SetControlShown(shown.toStdString(), true);

    QWidget* under = PageArea()->childAt(at);
    QCOMPARE(under ? under->objectName() : QString(), receiver);

    PressOnPage(at);
    QStringList expected;
    for (int n = 1; n <= 10; ++n) {
        const QString edit = QStringLiteral("编辑框%1").arg(n), button = QStringLiteral("按钮%1").arg(n);
        if (shown == edit || pressed == n) expected << QStringLiteral("E%1").arg(n);
        if (shown == button || pressed == n) expected << QStringLiteral("B%1").arg(n);
    }
    QCOMPARE(VisibleEditorParts(), expected);
    if (qobject_cast<QLineEdit*>(Control(receiver.toStdString()))) QCOMPARE(FocusName(), receiver);
    ReleaseOnPage(QPoint(900, 300));  // away from every control: no click
}

void WindowTest::pressReachesHandlerWithPositionAndKeys_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("at");  // relative to the label
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("keyState");
    using M = Qt::KeyboardModifiers;
    QTest::newRow("top-left, no key") << Qt::LeftButton << M() << QPoint(0, 0) << 1 << 0;
    QTest::newRow("bottom-right, Ctrl") << Qt::LeftButton << M(Qt::ControlModifier) << QPoint(59, 19) << 1 << 1;
    QTest::newRow("Shift") << Qt::LeftButton << M(Qt::ShiftModifier) << QPoint(7, 3) << 1 << 2;
    QTest::newRow("Alt") << Qt::LeftButton << M(Qt::AltModifier) << QPoint(30, 10) << 1 << 4;
    QTest::newRow("Ctrl+Shift+Alt") << Qt::LeftButton
                                    << M(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << QPoint(1, 18)
                                    << 1 << 7;
    QTest::newRow("right button") << Qt::RightButton << M() << QPoint(5, 5) << 0 << -1;
    QTest::newRow("outside the label") << Qt::LeftButton << M() << QPoint(-1, 5) << 0 << -1;
}

void WindowTest::pressReachesHandlerWithPositionAndKeys() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, at);
    QFETCH(int, count);
    QFETCH(int, keyState);
    QVERIFY(OpenProbeWindow());

    QTest::mouseClick(MainWindowHandle(), button, modifiers, kProbeLabel.topLeft() + at);
    QCOMPARE(presses.count, count);
    if (count == 0) return;
    QCOMPARE(presses.field, 6);
    QCOMPARE(QPoint(presses.x, presses.y), at);
    QCOMPARE(presses.keyState, keyState);
}

void WindowTest::doubleClickRunsPressHandlerOnce() {
    // On the program's window: the second press of a double click leaves the
    // field and its editor as the first press left them.
    const QPoint page = CentreOnPage(Control("透明标签2"));
    const QString text = FieldLabel(2)->text();
    QTest::mouseDClick(MainWindowHandle(), Qt::LeftButton, Qt::NoModifier, PageToWindow(page));
    QCOMPARE(VisibleEditorParts(), QStringList({"E2", "B2"}));
    QCOMPARE(FieldLabel(2)->text(), text);
    QCOMPARE(QApplication::focusWidget(), nullptr);

    // Counted on a one-label window: one double click, one press event.
    QVERIFY(OpenProbeWindow());
    QTest::mouseDClick(MainWindowHandle(), Qt::LeftButton, Qt::NoModifier, kProbeLabel.center());
    QCOMPARE(presses.count, 1);
    // A later single click is a press of its own.
    QTest::mouseClick(MainWindowHandle(), Qt::LeftButton, Qt::NoModifier, kProbeLabel.center());
    QCOMPARE(presses.count, 2);
}

// ---------------------------------------------------------------------------

void WindowTest::emptyFieldsShowTheBarePicture() {
    // The start-up texts are on screen; emptying every field must leave the
    // picture exactly as it is, with no remainder of any text.
    for (int n = 1; n <= 10; ++n) {
        QVERIFY(!FieldLabel(n)->text().isEmpty());
        WriteField(n, QString());
    }
    const QList<QPoint> differences = DifferencesFromPicture(PageScreen(QRect(0, 0, 993, 636)), QRect(0, 0, 993, 636));
    QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("%1 pixels differ, the first at %2,%3")
                                                   .arg(differences.size())
                                                   .arg(differences.value(0).x())
                                                   .arg(differences.value(0).y())));
}

void WindowTest::shorterTextLeavesNoTrace_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("longer");
    QTest::addColumn<QString>("shorter");
    QTest::newRow("field 4") << 4 << QStringLiteral("付款-仅供娱乐付款") << QStringLiteral("a");
    QTest::newRow("field 1, right-aligned") << 1 << QStringLiteral("你好,  张三李四王五") << QStringLiteral("1");
    QTest::newRow("field 7") << 7 << QStringLiteral("    marrowfen.example") << QStringLiteral("x");
    QTest::newRow("field 10, bold") << 10 << QStringLiteral("-999.00") << QStringLiteral("-1");
    QTest::newRow("field 9 over field 7") << 9 << QStringLiteral("Marrowfen论坛") << QStringLiteral("M");
}

void WindowTest::shorterTextLeavesNoTrace() {
    QFETCH(int, field);
    QFETCH(QString, longer);
    QFETCH(QString, shorter);
    for (int n = 1; n <= 10; ++n) WriteField(n, QString());
    const QRect label = Control("透明标签", field)->geometry();
    const QRect page(0, 0, 993, 636);

    WriteField(field, longer);
    const QList<QPoint> longDrawn = DifferencesFromPicture(PageScreen(page), label);
    WriteField(field, shorter);
    const QList<QPoint> shortDrawn = DifferencesFromPicture(PageScreen(page), page);
    QVERIFY(!shortDrawn.isEmpty());

    // Only the shorter text's own extent may differ from the picture.
    const int advance = QFontMetrics(FieldLabel(field)->font()).horizontalAdvance(shorter) + 2;
    const bool right = field == 1;
    const QRect extent = right ? QRect(label.right() - advance, label.top(), advance + 1, label.height())
                               : QRect(label.left(), label.top(), advance + 1, label.height());
    int longestX = right ? label.right() : label.left();
    for (const QPoint& p : longDrawn) longestX = right ? std::min(longestX, p.x()) : std::max(longestX, p.x());
    QVERIFY2(!extent.contains(longestX, label.top()), "the longer text was not wider than the shorter");
    for (const QPoint& p : shortDrawn) {
        QVERIFY2(extent.contains(p), qPrintable(QStringLiteral("trace at %1,%2").arg(p.x()).arg(p.y())));
    }
}

void WindowTest::overlongTextKeepsItsAlignedEnd_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("overlong");
    QTest::addColumn<QString>("visiblePart");  // the end that stays in view
    const QString digits = QStringLiteral("012345678901234567890123456789");
    QTest::newRow("field 1 keeps the end") << 1 << QStringLiteral("你好,  ") + digits << QStringLiteral("23456789");
    QTest::newRow("field 4 keeps the start") << 4 << digits << QStringLiteral("01234567");
    QTest::newRow("field 9 keeps the start") << 9 << digits << QStringLiteral("0123");
}

void WindowTest::overlongTextKeepsItsAlignedEnd() {
    QFETCH(int, field);
    QFETCH(QString, overlong);
    QFETCH(QString, visiblePart);
    const bool right = field == 1;
    const QRect label = Control("透明标签", field)->geometry();
    for (int n = 1; n <= 10; ++n) WriteField(n, QString());
    const int width = QFontMetrics(FieldLabel(field)->font()).horizontalAdvance(visiblePart);
    QVERIFY(QFontMetrics(FieldLabel(field)->font()).horizontalAdvance(overlong) > label.width());

    WriteField(field, visiblePart);
    const QImage alone = PageScreen(label);
    WriteField(field, overlong);
    const QImage cut = PageScreen(label);

    // The aligned end looks as the part alone looks there ...
    const QRect end = right ? QRect(label.width() - width, 0, width, label.height()) : QRect(0, 0, width, label.height());
    QCOMPARE(cut.copy(end), alone.copy(end));
    // ... and the text runs to the far edge, where it is cut.
    const QRect farEdge = right ? QRect(0, 0, 6, label.height()) : QRect(label.width() - 6, 0, 6, label.height());
    QVERIFY2(cut.copy(farEdge) != PagePicture().copy(farEdge.translated(label.topLeft())),
             "no text at the far edge");
}

void WindowTest::editorStaysOverTheFieldBeneathIt() {
    // 编辑框8 covers most of 透明标签8: writing the field repaints beneath
    // the edit box, which must still show on top afterwards.
    ShowEditor(8);
    Control("编辑框8")->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(FocusName(), QStringLiteral("编辑框8"));
    TypeText(QStringLiteral("0123"));
    QWidget* edit = Control("编辑框8");
    const QRect covered = edit->geometry().intersected(Control("透明标签8")->geometry());
    QVERIFY(covered.width() > 30);
    const QImage before = PageScreen(edit->geometry());
    WriteField(8, QStringLiteral("8888888888888888888888"));
    QCOMPARE(PageScreen(edit->geometry()), before);
    // Beside the edit box the new text is drawn.
    const QRect beside(297, 606, 368 - 297, 16);
    QVERIFY(!DifferencesFromPicture(PageScreen(QRect(0, 0, 993, 636)), beside).isEmpty());
}

RECEIPT_WIDGET_TEST_MAIN(WindowTest)
#include "window_test.moc"
