#include "platform/qt/fonts.h"

#include <QApplication>
#include <QStringList>

namespace receipt::platform {
namespace {

struct FaceMapping {
    QString face;
    QStringList standIns;  // the first installed one is used
    // The Song faces are drawn from their hand-tuned bitmaps at these sizes,
    // crisp and in the full text colour; the outline faces are smoothed.
    bool smoothed;
};

const FaceMapping& Mapping(QStringView face) {
    static const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                  QStringLiteral("Noto Serif CJK SC")};
    static const FaceMapping faces[] = {
        {QStringLiteral("宋体"), song, false},
        {QStringLiteral("新宋体"), song, false},
        {QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")}, true},
        {QStringLiteral("Cambria"), {QStringLiteral("Caladea"), QStringLiteral("Noto Serif")}, true},
    };
    for (const FaceMapping& mapping : faces) {
        if (mapping.face == face) return mapping;
    }
    return faces[0];  // the system's default face
}

QFont FontOf(const FaceMapping& mapping, int pixelSize, int weight) {
    QFont font(mapping.face);
    font.setPixelSize(pixelSize);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(mapping.smoothed ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

}  // namespace

void MapFontFaces() {
    for (const QString& face : {QStringLiteral("宋体"), QStringLiteral("新宋体"), QStringLiteral("微软雅黑"),
                                QStringLiteral("Cambria")}) {
        QFont::insertSubstitutions(face, Mapping(face).standIns);
    }
    // The default GUI font: the Song face at 12 pixels.
    QApplication::setFont(FontOf(Mapping(u"宋体"), 12, 400));
}

QFont ToQFont(const Font& font) {
    if (font.defaultGui) return QApplication::font();
    const QString face = QString::fromUtf8(font.face.data(), qsizetype(font.face.size()));
    return FontOf(Mapping(face), font.pixelSize, font.weight);
}

}  // namespace receipt::platform
