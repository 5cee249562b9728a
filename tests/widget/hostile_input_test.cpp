// Hostile input through the real widgets: random Unicode of every awkward
// kind typed, pasted and committed by input method into every field, then
// committed with its "修改" button; a long run of edits that must not grow
// the memory; and a picture box whose picture did not decode.

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <unistd.h>

#include "platform/gbk.h"
#include "tests/widget/widget_helpers.h"
#include "window/control_names.h"

#if defined(__SANITIZE_ADDRESS__)
#define RECEIPT_UNDER_ASAN 1
#endif

using namespace receipt;
using namespace receipt::test;

namespace {

constexpr int kFields = 10;
constexpr int kCommitsPerField = 300;

QLineEdit* EditBox(int field) { return qobject_cast<QLineEdit*>(Control(kFieldEditBox, field)); }
QPushButton* Button(int field) { return qobject_cast<QPushButton*>(Control(kFieldButton, field)); }

// The byte limit of a field's edit box, from the window definition.
int ByteLimit(int field) {
    const std::string name = ControlName(kFieldEditBox, field);
    for (const platform::ControlDefinition& row : MainWindow().controls) {
        if (row.name == name) return row.textLimit;
    }
    return -1;
}

// GBK bytes of a text counted without the codec: one for ASCII and the euro
// sign (0x80), two for every other character. -1 when the codec refuses it or
// it holds a surrogate (GBK has nothing beyond the basic plane).
int GbkBytes(const QString& text) {
    for (QChar c : text) {
        if (c.isSurrogate()) return -1;
    }
    const QByteArray utf8 = text.toUtf8();
    if (!platform::Utf8ToGbk(std::string_view(utf8.constData(), std::size_t(utf8.size())))) return -1;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) bytes += text[i].unicode() < 0x80 || text[i] == QChar(0x20AC) ? 1 : 2;
    return bytes;
}

// A point of the page area where a press reaches `control` and nothing above it.
QPoint PointOf(QWidget* control) {
    const QRect r = control->geometry();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (PageArea()->childAt(x, y) == control) return {x, y};
        }
    }
    return {-1, -1};
}

// Random text of the kinds that break text handling.
class HostileText {
public:
    explicit HostileText(quint32 seed) : random_(seed) {}

    int below(int n) { return int(random_.bounded(n)); }

    QString piece() {
        QString s;
        const int count = 1 + below(12);
        for (int i = 0; i < count; ++i) s += character();
        return s;
    }

    // Mostly short; now and then many lines, or a text of about 100 KB.
    QString text() {
        const int kind = below(100);
        if (kind < 2) return longText(50000);  // 50,000 UTF-16 units: about 100 KB
        if (kind < 12) {
            QString lines;
            const QString breaks[] = {"\n", "\r\n", "\r", QString(QChar(0x2028)), QString(QChar(0x2029))};
            for (int n = 1 + below(6); n > 0; --n) lines += piece() + breaks[below(5)];
            return lines;
        }
        QString s;
        for (int n = 1 + below(3); n > 0; --n) s += piece();
        return s;
    }

private:
    QString longText(qsizetype units) {
        QString s;
        s.reserve(units + 16);
        while (s.size() < units) s += below(4) == 0 ? piece() : QStringLiteral("中文abc数字123");
        return s;
    }

    QString codePoint(char32_t c) { return QString::fromUcs4(&c, 1); }

    QString character() {
        switch (below(16)) {
            case 0: return QString(QChar(char16_t(0x20 + below(0x5F))));                   // printable ASCII
            case 1: return codePoint(0x4E00 + below(0x9FA5 - 0x4E00));                     // common hanzi
            case 2: return codePoint(0x1F300 + below(0x700));                              // emoji
            case 3: return QStringLiteral("👨‍👩‍👧") + codePoint(0x1F3FB + below(5));   // joiner sequence, skin tone
            case 4: return QString(QChar(char16_t(0xD800 + below(0x800))));                // a lone surrogate
            case 5: return QString(QChar(char16_t(below(0x20))));                          // C0 control, NUL too
            case 6: return QString(QChar(char16_t(0x7F + below(0x21))));                   // DEL and C1 controls
            case 7: {                                                                       // direction marks
                const char16_t marks[] = {0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2069};
                return QString(QChar(marks[below(9)]));
            }
            case 8: return QString(QChar(char16_t(0x0590 + below(0x170))));                // Hebrew, Arabic
            case 9: return QString(QChar(char16_t(0x0300 + below(0x70))));                 // combining marks
            case 10: {                                                                      // invisible and special
                const char16_t odd[] = {0x200B, 0x200D, 0xFEFF, 0xFFFD, 0xFFFE, 0xFFFF, 0x00AD, 0x034F};
                return QString(QChar(odd[below(8)]));
            }
            case 11: return codePoint(0xE0000 + below(0x80));                              // tag characters
            case 12: return codePoint(0x20000 + below(0xA6D7));                            // hanzi beyond GBK
            case 13: return QString(QChar(char16_t(0xE000 + below(0x1900))));              // private use
            case 14: {                                                                      // GBK's odd corners
                const char16_t corners[] = {0x20AC, 0x00B7, 0x2014, 0x2015, 0xFF5E, 0x3000, 0xFFE5, 0x00A4};
                return QString(QChar(corners[below(8)]));
            }
            default: return codePoint(0x80 + below(0x10000 - 0x80));                       // anything in the BMP
        }
    }

    QRandomGenerator random_;
};

// What a paste over the whole text leaves: the characters GBK can hold, in
// order, up to the first that no longer fits the limit. The toolkit keeps at
// most 32767 UTF-16 units of any text.
QString PastedOverAll(const QString& clip, int limit) {
    const QString kept = clip.left(32767);
    QString result;
    int bytes = 0;
    for (qsizetype i = 0; i < kept.size();) {
        const qsizetype length = kept[i].isHighSurrogate() && i + 1 < kept.size() && kept[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = kept.mid(i, length);
        i += length;
        const int size = character[0].unicode() < 0x20 || character[0].unicode() == 0x7F ? -1 : GbkBytes(character);
        if (size < 0) continue;
        if (limit > 0 && bytes + size > limit) break;
        bytes += size;
        result += character;
    }
    return result;
}

// A text as its UTF-16 units in hex, for failure messages.
QString Units(const QString& text) {
    QStringList units;
    for (QChar c : text.left(60)) units << QString::number(c.unicode(), 16);
    return units.join(QLatin1Char(' ')) + (text.size() > 60 ? QStringLiteral(" ...") : QString());
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(OpenMainWindow());
        for (int field = 1; field <= kFields; ++field) {
            labelPoint_[field] = PointOf(FieldLabel(field));
            QVERIFY2(labelPoint_[field].x() >= 0, "a field label that no press reaches");
        }
    }
    void cleanupTestCase() { DestroyMainWindow(); }

    void loneSurrogatesAreRefused_data();
    void loneSurrogatesAreRefused();
    void longPasteWithARefusedCharacterIsQuick();
    void everyFieldShowsExactlyWhatItsBoxAccepted();
    void manyEditsKeepTheMemoryFlat();
    void pictureThatDidNotDecodeLeavesItsBoxEmpty();

private:
    // Presses the field's label, which shows its edit box and button.
    void open(int field) {
        ClickOnPage(labelPoint_[field]);
        QVERIFY(EditBox(field)->isVisible());
        QVERIFY(Button(field)->isVisible());
    }

    // Clicks "修改" and checks the label against what the box holds.
    void commit(int field, const QString& what) {
        ClickOnPage(CentreOnPage(Button(field)));
        QLineEdit* edit = EditBox(field);
        const QString text = edit->text();
        const QString expected = field == 1 ? QStringLiteral("你好,  ") + text : text;
        QVERIFY2(FieldLabel(field)->text() == expected,
                 qPrintable(QStringLiteral("field %1 after %2: label [%3], edit box [%4]")
                                .arg(field).arg(what, Units(FieldLabel(field)->text()), Units(text))));
        QVERIFY2(!edit->isVisible() && !Button(field)->isVisible(), qPrintable(what));

        const int bytes = GbkBytes(text);
        QVERIFY2(bytes >= 0, qPrintable(QStringLiteral("field %1 holds text GBK cannot write after %2").arg(field).arg(what)));
        const int limit = ByteLimit(field);
        QVERIFY2(limit == 0 || bytes <= limit,
                 qPrintable(QStringLiteral("field %1 holds %2 bytes after %3").arg(field).arg(bytes).arg(what)));
        for (QChar c : text) QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x7F, qPrintable(what));
    }

    QPoint labelPoint_[kFields + 1];
};

// Half of a surrogate pair is no character: it reached the label as "?".
void HostileInputTest::loneSurrogatesAreRefused_data() {
    QTest::addColumn<int>("how");  // 0 pasted, 1 typed, 2 by input method
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QString high(QChar(0xD898)), low(QChar(0xDC01));
    QTest::newRow("pasted high") << 0 << "a" + high + "b" << "ab";
    QTest::newRow("pasted low") << 0 << low + "中" << "中";
    QTest::newRow("pasted reversed pair") << 0 << low + high << "";
    QTest::newRow("typed high") << 1 << high << "";
    QTest::newRow("typed low after text") << 1 << "x" + low << "x";
    QTest::newRow("input method") << 2 << "中" + high + "文" << "中文";
}

void HostileInputTest::loneSurrogatesAreRefused() {
    QFETCH(int, how);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    open(3);
    QLineEdit* edit = EditBox(3);
    edit->clear();
    if (how == 0) {
        QGuiApplication::clipboard()->setText(input);
        edit->paste();
    } else if (how == 1) {
        for (QChar c : input) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    } else {
        QInputMethodEvent commitEvent;
        commitEvent.setCommitString(input);
        QApplication::sendEvent(edit, &commitEvent);
    }
    QCOMPARE(edit->text(), expected);
    commit(3, QStringLiteral("a lone surrogate"));
    QCOMPARE(FieldLabel(3)->text(), expected);
}

// A paste that is not taken whole is weighed character by character; that
// once cost time growing with the square of its length (seconds for 30,000
// characters, with the window frozen).
void HostileInputTest::longPasteWithARefusedCharacterIsQuick() {
    open(4);
    QLineEdit* edit = EditBox(4);
    edit->clear();
    const QString half = QStringLiteral("中文ab").repeated(4000);
    QGuiApplication::clipboard()->setText(half + QStringLiteral("😀") + half);
    QElapsedTimer timer;
    timer.start();
    edit->paste();
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(edit->text(), half + half);
    QVERIFY2(elapsed < 2000, qPrintable(QStringLiteral("the paste took %1 ms").arg(elapsed)));
    commit(4, QStringLiteral("a long paste"));
}

void HostileInputTest::everyFieldShowsExactlyWhatItsBoxAccepted() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    int commits = 0;
    for (int field = 1; field <= kFields; ++field) {
        HostileText random(quint32(field) * 7919u);
        QLineEdit* edit = EditBox(field);
        const int limit = ByteLimit(field);
        for (int round = 0; round < kCommitsPerField; ++round) {
            open(field);
            if (QTest::currentTestFailed()) return;
            edit->setFocus(Qt::MouseFocusReason);
            const QString text = random.text();
            QString what;
            switch (random.below(6)) {
                case 0: {  // a paste over the whole text
                    clipboard->setText(text);
                    edit->selectAll();
                    edit->paste();
                    const QString expected = PastedOverAll(text, limit);
                    // Where nothing fits, the box may keep or drop its old text.
                    if (!expected.isEmpty()) QCOMPARE(edit->text(), expected);
                    what = QStringLiteral("a paste over all of %1 units").arg(text.size());
                    break;
                }
                case 1:  // a paste at a random place
                    clipboard->setText(text);
                    edit->setCursorPosition(random.below(int(edit->text().size()) + 1));
                    edit->paste();
                    what = QStringLiteral("a paste of %1 units").arg(text.size());
                    break;
                case 2: {  // typed, a few UTF-16 units a key: pairs get split
                    const QString keys = text.left(200);
                    for (qsizetype i = 0; i < keys.size();) {
                        const qsizetype n = 1 + random.below(3);
                        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, keys.mid(i, n), Qt::NoModifier);
                        i += n;
                    }
                    what = QStringLiteral("typing %1 units").arg(keys.size());
                    break;
                }
                case 3: {  // an input method commit, with a preedit first
                    QInputMethodEvent preedit(text.left(40), {});
                    QApplication::sendEvent(edit, &preedit);
                    QInputMethodEvent commitEvent;
                    commitEvent.setCommitString(text.left(1000));
                    QApplication::sendEvent(edit, &commitEvent);
                    what = QStringLiteral("an input method commit");
                    break;
                }
                case 4: {  // editing keys, undo and redo
                    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
                        {Qt::Key_Backspace, {}}, {Qt::Key_Delete, {}}, {Qt::Key_Home, {}},
                        {Qt::Key_End, Qt::ShiftModifier}, {Qt::Key_Z, Qt::ControlModifier},
                        {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_A, Qt::ControlModifier},
                        {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
                        {Qt::Key_Left, Qt::ShiftModifier}};
                    for (int n = 1 + random.below(8); n > 0; --n) {
                        const auto& [key, modifiers] = keys[random.below(10)];
                        QTest::keyClick(edit, key, modifiers);
                    }
                    what = QStringLiteral("editing keys");
                    break;
                }
                default:  // nothing typed: the box keeps what it held
                    what = QStringLiteral("no edit");
                    break;
            }
            commit(field, what);
            if (QTest::currentTestFailed()) return;
            ++commits;
        }
    }
    QCOMPARE(commits, kFields * kCommitsPerField);
}

void HostileInputTest::manyEditsKeepTheMemoryFlat() {
#ifdef RECEIPT_UNDER_ASAN
    QSKIP("the address sanitizer holds freed memory back, so the resident size says nothing here");
#endif
    // Texts from a fixed stock, so that the toolkit's caches of glyphs and
    // text layouts are full after the first thousand cycles: what grows after
    // that is memory the program keeps.
    HostileText random(4242);
    QStringList stock;
    for (int i = 0; i < 50; ++i) stock << random.piece();
    QClipboard* clipboard = QGuiApplication::clipboard();
    long afterWarmUp = 0;
    for (int cycle = 1; cycle <= 10000; ++cycle) {
        const int field = 1 + random.below(kFields);
        open(field);
        if (QTest::currentTestFailed()) return;
        clipboard->setText(stock[random.below(int(stock.size()))]);
        EditBox(field)->selectAll();
        EditBox(field)->paste();
        commit(field, QStringLiteral("cycle %1").arg(cycle));
        if (QTest::currentTestFailed()) return;
        if (cycle == 1000) afterWarmUp = ResidentBytes();
    }
    const long growth = ResidentBytes() - afterWarmUp;
    qInfo("resident memory grew by %ld bytes from cycle 1,000 to 10,000", growth);
    QVERIFY(afterWarmUp > 0);
    QVERIFY2(growth < 1024 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
}

void HostileInputTest::pictureThatDidNotDecodeLeavesItsBoxEmpty() {
    // The builder gives a picture box an empty picture when its data does not decode.
    const unsigned char corrupt[] = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x27, 0x10, 0x27, 0x10, 0x03};
    QVERIFY(platform::DecodeJpeg(corrupt).empty());

    const platform::ControlDefinition row{.kind = platform::ControlKind::PictureBox, .name = "corrupt", .parent = {},
                                          .left = 0, .top = 0, .width = 60, .height = 40,
                                          .picture = platform::Picture::Page, .frameBorder = true};
    platform::PictureBox box(row, QImage(), nullptr);
    box.resize(60, 40);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb face = box.palette().color(QPalette::Button).rgb();
    const QRgb frame = box.palette().color(QPalette::WindowText).rgb();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool border = x == 0 || y == 0 || x == shown.width() - 1 || y == shown.height() - 1;
            QCOMPARE(shown.pixel(x, y), border ? frame : face);
        }
    }
    // The program's window goes on working.
    open(4);
    commit(4, QStringLiteral("the picture check"));
}

RECEIPT_WIDGET_TEST_MAIN(HostileInputTest)

#include "hostile_input_test.moc"
