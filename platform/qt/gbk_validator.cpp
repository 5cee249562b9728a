#include "platform/qt/gbk_validator.h"

#include <optional>

#include "platform/gbk.h"

namespace receipt::platform {
namespace {

std::optional<std::size_t> GbkSize(QStringView text) {
    // GBK holds nothing beyond the basic plane, so no surrogate, paired or
    // not, belongs in its text; toUtf8() would turn an unpaired one into "?".
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate()) return std::nullopt;
    }
    const QByteArray utf8 = text.toUtf8();
    const auto gbk = Utf8ToGbk(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    if (!gbk) return std::nullopt;
    return gbk->size();
}

}  // namespace

GbkValidator::GbkValidator(int byteLimit, QObject* parent) : QValidator(parent), byteLimit_(byteLimit) {}

QValidator::State GbkValidator::validate(QString& input, int& pos) const {
    auto fits = [this](std::optional<std::size_t> size) {
        return size && (byteLimit_ == 0 || *size <= std::size_t(byteLimit_));
    };
    if (fits(GbkSize(input))) {
        lastAccepted_ = input;
        return Acceptable;
    }
    // The edit replaced a stretch of the last accepted text by what now stands
    // between `start` and the cursor. Keep what of that fits, in order.
    const QString& before = lastAccepted_;
    const qsizetype keptAfter = input.size() - pos;
    qsizetype start = 0;
    const qsizetype maxStart = std::min<qsizetype>(pos, before.size() - keptAfter);
    while (start < maxStart && before[start] == input[start]) ++start;
    const QString head = input.left(start);
    const QString tail = input.mid(pos);
    const QStringView inserted = QStringView(input).mid(start, pos - start);
    const std::optional<std::size_t> keptSize = GbkSize(QString(head + tail));
    if (!fits(keptSize)) return Invalid;

    // GBK has no shift states: a text's bytes are its characters' bytes added
    // up, so each character is weighed alone, never the whole text again (that
    // made a long paste take seconds).
    std::size_t size = *keptSize;
    QString accepted;
    for (qsizetype i = 0; i < inserted.size();) {
        const qsizetype length =
            inserted[i].isHighSurrogate() && i + 1 < inserted.size() && inserted[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = inserted.mid(i, length);
        i += length;
        const std::optional<std::size_t> characterSize = GbkSize(character);
        if (!characterSize) continue;  // refused, the rest may still fit
        if (!fits(size + *characterSize)) break;
        size += *characterSize;
        accepted += character;
    }
    // Nothing of it fits: the edit still removes what it replaced, unless it
    // changes nothing at all.
    if (accepted.isEmpty() && head + tail == lastAccepted_) return Invalid;
    input = head + accepted + tail;
    pos = int(start + accepted.size());
    lastAccepted_ = input;
    return Acceptable;
}

}  // namespace receipt::platform
