#include "platform/qt/builder.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/embedded_assets.h"
#include "platform/jpeg_image.h"
#include "platform/qt/gbk_validator.h"
#include "platform/qt/main_window_widget.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/tab_control.h"
#include "platform/qt/text_label.h"
#include "platform/qt/text_painting.h"
#include "platform/qt/transparent_label.h"

namespace receipt::platform {
namespace {

QImage LoadPicture(Picture picture) {
    if (picture == Picture::None) return QImage();
    // Decoded straight into the screen's own format, so that painting copies
    // without converting; the image takes over the decoded rows.
    RgbImage decoded =
        DecodeJpeg(picture == Picture::Page ? PagePictureJpeg() : HandPictureJpeg(), PixelLayout::Xrgb32);
    if (decoded.empty()) return QImage();
    auto* rows = new std::vector<std::uint8_t>(std::move(decoded.rgb));
    return QImage(
        rows->data(), decoded.width, decoded.height, decoded.width * 4, QImage::Format_RGB32,
        [](void* owned) { delete static_cast<std::vector<std::uint8_t>*>(owned); }, rows);
}

QLineEdit* MakeEditBox(const ControlDefinition& definition, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new GbkValidator(definition.textLimit, edit));
    edit->setFont(ToQFont(definition.font));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, ToQColor(definition.textColour));
    palette.setColor(QPalette::Base, Qt::white);
    // The selection shows only while the box has the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, ToQColor(definition.textColour));
    edit->setPalette(palette);
    return edit;
}

QPushButton* MakeButton(const ControlDefinition& definition, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(definition.text.data(), qsizetype(definition.text.size())),
                                   parent);
    button->setFont(ToQFont(definition.font));
    button->setAutoDefault(false);
    if (definition.onClick) {
        QObject::connect(button, &QPushButton::clicked, button,
                         [&definition] { definition.onClick(definition.field); });
    }
    return button;
}

QWidget* MakeControl(const ControlDefinition& definition, QWidget* parent) {
    switch (definition.kind) {
        case ControlKind::TabControl: return new TabControl(definition, parent);
        case ControlKind::PictureBox: return new PictureBox(definition, LoadPicture(definition.picture), parent);
        case ControlKind::Label: return new TextLabel(definition, parent);
        case ControlKind::TransparentLabel: return new TransparentLabel(definition, parent);
        case ControlKind::EditBox: return MakeEditBox(definition, parent);
        case ControlKind::Button: return MakeButton(definition, parent);
    }
    return nullptr;
}

// Where the children of a control go.
QWidget* ChildArea(QWidget* control) {
    if (auto* box = dynamic_cast<PictureBox*>(control)) return box->clientArea();
    return control;
}

}  // namespace

MainWindowWidget* BuildWindow(const WindowDefinition& definition) {
    auto* window = new MainWindowWidget(definition);
    for (const ControlDefinition& row : definition.controls) {
        QWidget* parent = row.parent.empty() ? window : ChildArea(window->control(row.parent));
        QWidget* control = MakeControl(row, parent);
        control->setObjectName(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
        control->setGeometry(row.left, row.top, row.width, row.height);
        if (!row.focusable) control->setFocusPolicy(Qt::NoFocus);
        if (!row.visible) control->hide();
        window->addControl(row.name, control, row.focusable);
    }
    // An earlier row lies above a later sibling: raise from the last row up.
    for (auto row = definition.controls.rbegin(); row != definition.controls.rend(); ++row) {
        window->control(row->name)->raise();
    }
    return window;
}

}  // namespace receipt::platform
