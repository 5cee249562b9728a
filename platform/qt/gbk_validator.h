#pragma once

#include <QValidator>

namespace receipt::platform {

// Keeps an edit box's text writable in GBK and within a limit of GBK bytes.
// Characters that GBK cannot encode, and control characters, are refused as
// they are typed or pasted; a paste that does not fit is cut at a character
// boundary. A limit of 0 means no limit.
class GbkValidator : public QValidator {
public:
    GbkValidator(int byteLimit, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int byteLimit_;
    mutable QString lastAccepted_;
};

}  // namespace receipt::platform
