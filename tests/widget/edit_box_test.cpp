// The ten edit boxes as the user types into them: GBK byte limits, characters
// GBK cannot encode, pasting, input methods and long texts.

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "platform/gbk.h"
#include "tests/widget/widget_helpers.h"

using namespace receipt;
using namespace receipt::test;

namespace {

QLineEdit* EditBox(const QString& name) { return qobject_cast<QLineEdit*>(Control(name.toStdString())); }

// Shows the edit box and gives it the keyboard focus, as a click into it would.
QLineEdit* FocusEditBox(const QString& name) {
    QLineEdit* edit = EditBox(name);
    if (!edit) return nullptr;
    platform::SetControlShown(name.toStdString(), true);
    edit->setFocus(Qt::MouseFocusReason);
    return edit;
}

std::size_t GbkSize(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const auto gbk = platform::Utf8ToGbk(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    return gbk ? gbk->size() : std::size_t(-1);
}

enum class Input { Typed, Pasted, InputMethod };

void Enter(QLineEdit* edit, Input how, const QString& text) {
    switch (how) {
        case Input::Typed: TypeText(text); break;
        case Input::Pasted:
            QGuiApplication::clipboard()->setText(text);
            PressKey(Qt::Key_V, Qt::ControlModifier);
            break;
        case Input::InputMethod: {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(edit, &commit);
            break;
        }
    }
}

// Where the edit box draws its cursor, in its own coordinates, with a few
// pixels of margin on either side.
QRect CursorRect(QLineEdit* edit) { return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }

const QString kEmoji = QStringLiteral("😀");

}  // namespace

Q_DECLARE_METATYPE(Input)

class EditBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(OpenMainWindow()); }
    void cleanup() { DestroyMainWindow(); }

    void inputKeepsToGbkAndTheByteLimit_data();
    void inputKeepsToGbkAndTheByteLimit();
    void everyBoxKeepsItsLimitFromTheDefinition_data();
    void everyBoxKeepsItsLimitFromTheDefinition();
    void longTextScrolls();
    void textSurvivesHidingAndReadsAsGbk();
};

void EditBoxTest::inputKeepsToGbkAndTheByteLimit_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");  // typed first
    QTest::addColumn<int>("cursor");  // where the input goes: a position, -1 the end, -2 over all, -3 over the last character
    QTest::addColumn<Input>("how");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QString box2 = QStringLiteral("编辑框2"), box7 = QStringLiteral("编辑框7");
    const QString ones20(20, QLatin1Char('1')), x19(19, QLatin1Char('x'));
    const QString wide10 = QStringLiteral("中").repeated(10);

    // 编辑框2: two bytes.
    QTest::newRow("2: third digit typed") << box2 << QString() << -1 << Input::Typed << "123" << "12";
    QTest::newRow("2: narrow after wide typed") << box2 << QString() << -1 << Input::Typed << "中a" << "中";
    QTest::newRow("2: wide after narrow typed") << box2 << QString() << -1 << Input::Typed << "a中" << "a";
    QTest::newRow("2: digits pasted") << box2 << QString() << -1 << Input::Pasted << "12345" << "12";
    QTest::newRow("2: narrow and wide pasted") << box2 << QString() << -1 << Input::Pasted << "a中" << "a";
    QTest::newRow("2: input method commit") << box2 << QString() << -1 << Input::InputMethod << "中文" << "中";
    QTest::newRow("2: typed into a full box") << box2 << "中" << 0 << Input::Typed << "1" << "中";
    QTest::newRow("2: pasted into a full box") << box2 << "1" << 0 << Input::Pasted << "中" << "1";
    QTest::newRow("2: pasted over the whole text") << box2 << "中" << -2 << Input::Pasted << "12345" << "12";
    QTest::newRow("2: typed over the whole text") << box2 << "12" << -2 << Input::Typed << "中" << "中";
    // A paste replaces the selection and is cut to what then fits.
    QTest::newRow("2: paste over the whole text, cut") << box2 << "12" << -2 << Input::Pasted << "1中" << "1";
    QTest::newRow("2: paste over the last character, cut") << box2 << "ab" << -3 << Input::Pasted << "中" << "a";
    QTest::newRow("7: paste over the whole text, cut")
        << box7 << wide10 + "1" << -2 << Input::Pasted << wide10 + "中" << wide10;

    // 编辑框7: 21 bytes, never half a character.
    QTest::newRow("7: wide 22nd byte typed") << box7 << QString() << -1 << Input::Typed << ones20 + "中" << ones20;
    QTest::newRow("7: wide 22nd byte pasted") << box7 << QString() << -1 << Input::Pasted << ones20 + "中" << ones20;
    QTest::newRow("7: eleven wide pasted") << box7 << QString() << -1 << Input::Pasted << wide10 + "中" << wide10;
    QTest::newRow("7: narrow fills the last byte")
        << box7 << QString() << -1 << Input::Typed << wide10 + "ab" << wide10 + "a";
    QTest::newRow("7: pasted in front") << box7 << x19 << 0 << Input::Pasted << "中中" << "中" + x19;
    QTest::newRow("7: pasted in the middle") << box7 << x19 << 5 << Input::Pasted << "ab中" << "xxxxxab" + x19.mid(5);

    // Characters that GBK cannot encode are refused, the rest of the input stays.
    QTest::newRow("emoji typed") << "编辑框3" << QString() << -1 << Input::Typed << "ab" + kEmoji + "c" << "abc";
    QTest::newRow("emoji pasted") << "编辑框3" << QString() << -1 << Input::Pasted << "ab" + kEmoji + "c" << "abc";
    QTest::newRow("emoji by input method")
        << "编辑框5" << QString() << -1 << Input::InputMethod << "中" + kEmoji + "文" << "中文";
    QTest::newRow("emoji pasted in the middle") << "编辑框10" << "ac" << 1 << Input::Pasted << kEmoji + "b" << "abc";
    QTest::newRow("2: emoji does not count") << box2 << QString() << -1 << Input::Pasted << kEmoji + "12" << "12";
    QTest::newRow("only an emoji") << "编辑框1" << "ab" << -1 << Input::Pasted << kEmoji << "ab";
}

void EditBoxTest::inputKeepsToGbkAndTheByteLimit() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(Input, how);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QLineEdit* edit = FocusEditBox(box);
    QVERIFY(edit);
    QTRY_VERIFY(edit->hasFocus());
    TypeText(before);
    QCOMPARE(edit->text(), before);
    if (cursor == -2) edit->selectAll();
    if (cursor == -3) edit->setSelection(int(before.size()) - 1, 1);
    if (cursor >= 0) edit->setCursorPosition(cursor);

    Enter(edit, how, input);
    QCOMPARE(edit->text(), expected);
    // A refusal leaves the box taking input as before.
    edit->selectAll();
    TypeText(QStringLiteral("z"));
    QCOMPARE(edit->text(), QStringLiteral("z"));
}

void EditBoxTest::everyBoxKeepsItsLimitFromTheDefinition_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    for (const platform::ControlDefinition& row : MainWindow().controls) {
        if (row.kind != platform::ControlKind::EditBox) continue;
        const QString name = Utf8(row.name);
        QTest::newRow(name.toUtf8().constData()) << name << row.textLimit;
    }
}

void EditBoxTest::everyBoxKeepsItsLimitFromTheDefinition() {
    QFETCH(QString, box);
    QFETCH(int, limit);
    QLineEdit* edit = FocusEditBox(box);
    QTRY_VERIFY(edit->hasFocus());

    const QString encodable = QStringLiteral("中").repeated(12) + QStringLiteral("1中");
    const QString input = QStringLiteral("中").repeated(12) + QStringLiteral("1") + kEmoji + QStringLiteral("中");
    auto fits = [limit](const QString& text) { return limit == 0 || GbkSize(text) <= std::size_t(limit); };

    // Typed: each key is taken when its character still fits.
    QString typed;
    for (QChar c : encodable) {
        if (fits(typed + c)) typed += c;
    }
    TypeText(input);
    QCOMPARE(edit->text(), typed);

    // Pasted into the emptied box: cut where the next character no longer fits.
    QString pasted;
    for (QChar c : encodable) {
        if (!fits(pasted + c)) break;
        pasted += c;
    }
    edit->selectAll();
    PressKey(Qt::Key_Delete);
    QCOMPARE(edit->text(), QString());
    Enter(edit, Input::Pasted, input);
    QCOMPARE(edit->text(), pasted);
}

void EditBoxTest::longTextScrolls() {
    // No limit but the toolkit's own: 200 characters typed, the end in view.
    QLineEdit* edit = FocusEditBox(QStringLiteral("编辑框4"));
    QTRY_VERIFY(edit->hasFocus());
    QString text;
    for (int i = 0; i < 200; ++i) text += QChar(u'a' + i % 26);
    TypeText(text);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), 200);
    QVERIFY(edit->rect().contains(CursorRect(edit).center()));
    QCOMPARE(platform::EditBoxText("编辑框4"), text.toStdString());

    // Back at the start, the start is in view again.
    PressKey(Qt::Key_Home);
    QVERIFY(edit->rect().contains(CursorRect(edit).center()));
    QVERIFY(CursorRect(edit).center().x() < 8);
}

void EditBoxTest::textSurvivesHidingAndReadsAsGbk() {
    QLineEdit* edit = FocusEditBox(QStringLiteral("编辑框8"));
    QTRY_VERIFY(edit->hasFocus());
    TypeText(QStringLiteral("中a"));
    platform::SetControlShown("编辑框8", false);
    QCOMPARE(platform::EditBoxText("编辑框8"), std::string("\xD6\xD0" "a"));
    platform::SetControlShown("编辑框8", true);
    QCOMPARE(edit->text(), QStringLiteral("中a"));
}

RECEIPT_WIDGET_TEST_MAIN(EditBoxTest)
#include "edit_box_test.moc"
