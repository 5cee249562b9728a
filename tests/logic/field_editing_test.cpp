#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/gbk.h"
#include "platform/window_definition.h"
#include "tests/logic/fake_platform.h"
#include "window/control_names.h"
#include "window/field_editing.h"
#include "window/field_values.h"

namespace receipt {
namespace {

std::string Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8).value(); }

class FieldEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        // Every field shows a value and every editor starts hidden and empty.
        for (int n = 1; n <= 10; ++n) {
            Label(n).text = "old " + std::to_string(n);
            EditBox(n);
            Button(n);
        }
    }

    static fake::Control& Label(int n) { return Control(ControlName(kFieldLabel, n)); }
    static fake::Control& EditBox(int n) { return Control(ControlName(kFieldEditBox, n)); }
    static fake::Control& Button(int n) { return Control(ControlName(kFieldButton, n)); }
    static fake::Control& Control(const std::string& name) { return fake::State().controls[name]; }

    using Snapshot = std::map<std::string, std::pair<std::string, bool>>;
    static Snapshot Controls() {
        Snapshot snapshot;
        for (const auto& [name, control] : fake::State().controls) snapshot[name] = {control.text, control.visible};
        return snapshot;
    }
};

TEST_F(FieldEditingTest, PressShowsTheEditorAndChangesNothingElse) {
    EditBox(3).text = "typed";
    Snapshot expected = Controls();
    expected[ControlName(kFieldEditBox, 3)].second = true;
    expected[ControlName(kFieldButton, 3)].second = true;

    OnFieldLabelPressed(3, 17, 4, platform::kKeyCtrl | platform::kKeyShift);
    EXPECT_EQ(Controls(), expected);
    OnFieldLabelPressed(3, 0, 0, 0);  // a press while shown changes nothing
    EXPECT_EQ(Controls(), expected);
    EXPECT_TRUE(fake::State().labelWrites.empty());
}

TEST_F(FieldEditingTest, EditorsOfDifferentFieldsAreIndependent) {
    OnFieldLabelPressed(4, 0, 0, 0);
    OnFieldLabelPressed(7, 0, 0, 0);
    EditBox(7).text = "seven";
    OnFieldButtonClicked(7);

    EXPECT_TRUE(EditBox(4).visible);
    EXPECT_TRUE(Button(4).visible);
    EXPECT_EQ(Label(4).text, "old 4");
    EXPECT_FALSE(EditBox(7).visible);
    EXPECT_FALSE(Button(7).visible);
    EXPECT_EQ(Label(7).text, "seven");
    EXPECT_EQ(fake::State().labelWrites, std::vector<std::string>{ControlName(kFieldLabel, 7)});
}

TEST_F(FieldEditingTest, CommitCopiesTheTextAndHidesTheEditor) {
    const std::string greeting = Gbk("你好,  ");
    struct Case { int field; std::string typed, shown; };
    const Case cases[] = {
        {1, Gbk("张三"), greeting + Gbk("张三")},
        {1, "", greeting},
        {1, greeting + Gbk("张三"), greeting + greeting + Gbk("张三")},
        {2, "", ""},
        {5, "14:30", "14:30"},
        {10, "-1.00", "-1.00"},
    };
    for (const Case& c : cases) {
        SetUp();
        OnFieldLabelPressed(c.field, 0, 0, 0);
        EditBox(c.field).text = c.typed;
        OnFieldButtonClicked(c.field);
        EXPECT_EQ(Label(c.field).text, c.shown) << c.field << " " << c.typed;
        EXPECT_FALSE(EditBox(c.field).visible) << c.field;
        EXPECT_FALSE(Button(c.field).visible) << c.field;
        EXPECT_EQ(EditBox(c.field).text, c.typed) << "the edit box keeps its text";
    }
}

TEST_F(FieldEditingTest, EditBoxStillHoldsTheCommittedTextWhenShownAgain) {
    OnFieldLabelPressed(9, 0, 0, 0);
    EditBox(9).text = Gbk("新论坛");
    OnFieldButtonClicked(9);
    OnFieldLabelPressed(9, 0, 0, 0);
    EXPECT_TRUE(EditBox(9).visible);
    EXPECT_EQ(EditBox(9).text, Gbk("新论坛"));
    EXPECT_EQ(Label(9).text, Gbk("新论坛"));
}

}  // namespace
}  // namespace receipt
