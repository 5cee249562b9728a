#include "platform/gbk.h"

#include <cerrno>
#include <iconv.h>

namespace receipt::platform {
namespace {

// iconv descriptors are opened once and kept: opening one loads a converter
// module, and the program converts on every control text change.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> Convert(std::string_view in) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out(in.size() * 2 + 4, '\0');
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        while (inLeft > 0) {
            if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
            if (errno != E2BIG) return std::nullopt;  // unencodable, invalid or incomplete
            const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        out.resize(static_cast<std::size_t>(outPtr - out.data()));
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    static Converter converter("CP936", "UTF-8");
    std::optional<std::string> gbk = converter.Convert(utf8);
    // The converter writes nothing for a few characters (the tags, U+E0000 to
    // U+E007F) and calls that success: only a text that reads back as itself
    // was really written.
    if (gbk && GbkToUtf8(*gbk) != utf8) return std::nullopt;
    return gbk;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    static Converter converter("UTF-8", "CP936");
    return converter.Convert(gbk);
}

}  // namespace receipt::platform
