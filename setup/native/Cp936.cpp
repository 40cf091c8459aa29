#include "Cp936.h"

#include <iconv.h>

namespace setup {
namespace {

std::string Convert(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &next, &outLeft);
        out.append(buffer, next);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += '?';  // an invalid or cut-off sequence: skip one byte
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Cp936ToUtf8(const std::string& text) { return Convert("UTF-8", "GBK", text); }
std::string Utf8ToCp936(const std::string& text) { return Convert("GBK", "UTF-8", text); }

}  // namespace setup
