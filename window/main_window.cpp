#include "window/main_window.h"

#include <array>

#include "window/field_editing.h"
#include "window/field_values.h"
#include "window/site.h"

namespace receipt {
namespace {

using platform::Alignment;
using platform::Colour;
using platform::ControlDefinition;
using platform::ControlKind;
using platform::NamedFont;
using platform::Picture;
using platform::TextLayout;
using platform::kDefaultGuiFont;

#define RECEIPT_SITE "marrowfen.example"
static_assert(kSiteAddress == RECEIPT_SITE);

constexpr char kTitle[] =
    "QuonvelPC端付款成功截图生成工具 V2.0               Marrowfen论坛  " RECEIPT_SITE "   纸上谈兵，截图为证";

constexpr char kUsageNotes[] =
    "使用说明：\r\n"
    "    鼠标停留后，会出现     图标的地方都是可以修改的\r\n"
    "    \r\n"
    "    哪里想改点哪里，妈妈再也不用担心我的...\r\n"
    "    \r\n"
    "    请注意，本工具仅供娱乐，请勿用于非法用途，产生一切后果与作者无关！\r\n"
    "\r\n"
    "    先写这么多吧，图片里面还有很多地方都是可以修改的，我会继续完善软件的\r\n"
    "\r\n"
    "    请大家支持Marrowfen！\r\n"
    "\r\n"
    "    ";

constexpr char kNotice[] =
    "本软件用C++与Qt编写，无壳无后门\r\n"
    "\r\n"
    "报毒请自行选择信任或删除\r\n"
    "\r\n"
    "软件失效或更新请到QQ交流群讨论：000000000";

constexpr char kCredit[] =
    "Marrowfen论坛首发\r\n"
    "\r\n"
    " " RECEIPT_SITE "\r\n"
    "\r\n"
    "   paper_crane\r\n"
    "\r\n";

constexpr char kDisclaimer[] =
    "         本工具仅供娱乐\r\n"
    "\r\n"
    "        请勿用于非法用途\r\n"
    " \r\n"
    "产生的一切后果与作者无关";

#undef RECEIPT_SITE

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kDark{77, 77, 77};
constexpr Colour kGrey{154, 154, 154};

// One row a control. Rows of the window's own children come first, in stacking
// order (top first); then the tab control's page and the page's children.
constexpr ControlDefinition Label(const char* name, int left, int top, int width, int height,
                                  const char* text, Colour colour, platform::Font font,
                                  TextLayout layout = TextLayout::Wrapping) {
    return {.kind = ControlKind::Label, .name = name, .parent = {}, .left = left, .top = top,
            .width = width, .height = height, .text = text, .font = font, .textColour = colour,
            .layout = layout};
}

constexpr ControlDefinition Field(int field, const char* name, int left, int top, int width, int height,
                                  Colour colour, platform::Font font,
                                  Alignment alignment = Alignment::Left) {
    return {.kind = ControlKind::TransparentLabel, .name = name, .parent = "图片框1", .left = left,
            .top = top, .width = width, .height = height, .font = font, .textColour = colour,
            .alignment = alignment, .layout = TextLayout::OneLine, .field = field,
            .onPress = &OnFieldLabelPressed};
}

constexpr ControlDefinition EditBox(int field, const char* name, int left, int top, int textLimit = 0) {
    return {.kind = ControlKind::EditBox, .name = name, .parent = "图片框1", .left = left, .top = top,
            .width = 64, .height = 24, .textColour = kBlack, .layout = TextLayout::OneLine,
            .textLimit = textLimit, .visible = false, .focusable = true, .field = field};
}

constexpr ControlDefinition Button(int field, const char* name, int left, int top) {
    return {.kind = ControlKind::Button, .name = name, .parent = "图片框1", .left = left, .top = top,
            .width = 48, .height = 24, .text = "修改", .visible = false, .focusable = true,
            .field = field, .onClick = &OnFieldButtonClicked};
}

constexpr auto kSong12 = NamedFont("宋体", 12);
constexpr auto kSong14 = NamedFont("宋体", 14);

const std::array kControls{
    ControlDefinition{.kind = ControlKind::PictureBox, .name = "图片框2", .parent = {}, .left = 1153,
                      .top = 32, .width = 20, .height = 24, .picture = Picture::Hand},
    Label("标签1", 1016, 32, 176, 200, kUsageNotes, kBlack, kDefaultGuiFont),
    Label("标签4", 1016, 260, 169, 80, kNotice, Colour{0, 96, 192}, kDefaultGuiFont),
    Label("标签5", 1052, 359, 108, 63, kCredit, Colour{255, 0, 0}, NamedFont("", 12)),
    Label("标签11", 1056, 460, 104, 64, "注意：", Colour{255, 0, 0}, NamedFont("微软雅黑", 35),
          TextLayout::OneLine),
    Label("标签10", 1006, 544, 196, 120, kDisclaimer, Colour{255, 80, 128}, NamedFont("微软雅黑", 16)),
    ControlDefinition{.kind = ControlKind::TabControl, .name = "选择夹1", .parent = {}, .left = -2,
                      .top = 8, .width = 1006, .height = 670, .text = "交易记录"},
    ControlDefinition{.kind = ControlKind::PictureBox, .name = "图片框1", .parent = "选择夹1", .left = 5,
                      .top = 25, .width = 995, .height = 640, .picture = Picture::Page,
                      .frameBorder = true},

    Button(10, "按钮10", 752, 560),
    EditBox(10, "编辑框10", 680, 560),
    Field(10, "透明标签10", 682, 587, 56, 16, Colour{243, 120, 0}, NamedFont("Cambria", 14, 700)),
    EditBox(9, "编辑框9", 529, 587),
    Button(9, "按钮9", 601, 587),
    Field(9, "透明标签9", 486, 588, 48, 19, kDark, kDefaultGuiFont),
    EditBox(8, "编辑框8", 368, 608),
    Button(8, "按钮8", 440, 608),
    Field(8, "透明标签8", 297, 606, 111, 16, kGrey, kSong14),
    Button(7, "按钮7", 496, 560),
    EditBox(7, "编辑框7", 424, 560, 21),
    Field(7, "透明标签7", 337, 588, 151, 16, kGrey, kSong14),
    Button(6, "按钮6", 360, 560),
    EditBox(6, "编辑框6", 288, 560),
    Field(6, "透明标签6", 297, 590, 39, 15, kGrey, kDefaultGuiFont),
    EditBox(5, "编辑框5", 64, 608),
    Button(5, "按钮5", 136, 608),
    Field(5, "透明标签5", 21, 607, 43, 16, kGrey, kSong12),
    Button(4, "按钮4", 216, 560),
    EditBox(4, "编辑框4", 144, 560),
    Field(4, "透明标签4", 114, 585, 96, 24, kDark, kSong12),
    EditBox(3, "编辑框3", 16, 560),
    Button(3, "按钮3", 88, 560),
    Field(3, "透明标签3", 20, 588, 76, 16, kDark, NamedFont("新宋体", 14)),
    Field(2, "透明标签2", 632, 0, 24, 24, kWhite, kSong14),
    Button(2, "按钮2", 736, 16),
    EditBox(2, "编辑框2", 664, 16, 2),
    Button(1, "按钮1", 566, 20),
    EditBox(1, "编辑框1", 494, 20),
    Field(1, "透明标签1", 450, 0, 128, 24, kWhite, kSong12, Alignment::Right),
};

}  // namespace

const platform::WindowDefinition& MainWindow() {
    static const platform::WindowDefinition definition{
        .name = "MainWindow",
        .title = kTitle,
        .outerWidth = 1208,
        .outerHeight = 703,
        .onCreated = &OnMainWindowCreated,
        .controls = kControls,
    };
    return definition;
}

}  // namespace receipt
