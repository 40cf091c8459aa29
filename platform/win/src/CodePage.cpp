#ifndef _WIN32

#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <vector>

namespace winreg {

namespace {

constexpr const char* kAnsiCodePage = "CP936";

// One iconv conversion state, closed with its owner.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv lacks code page 936");
    }
    ~Converter() { iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; at a sequence that cannot be converted, `skip`
    // input bytes are dropped and `substitute` is written instead.
    std::string Convert(const std::string& in, size_t skip, const std::string& substitute) {
        std::string out;
        std::vector<char> buffer(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer.data();
            size_t dstLeft = buffer.size();
            const size_t done = iconv(m_handle, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), buffer.size() - dstLeft);
            if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
            const size_t dropped = std::min(skip, srcLeft);  // EILSEQ or EINVAL
            src += dropped;
            srcLeft -= dropped;
            out += substitute;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_handle;
};

}  // namespace

std::wstring AnsiToWide(const std::string& text) {
    Converter converter("WCHAR_T", kAnsiCodePage);
    const std::wstring question = L"?";
    const std::string raw = converter.Convert(
        text, 1, std::string(reinterpret_cast<const char*>(question.data()), sizeof(wchar_t)));
    return std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
}

std::string WideToAnsi(const std::wstring& text) {
    Converter converter(kAnsiCodePage, "WCHAR_T");
    const std::string raw(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return converter.Convert(raw, sizeof(wchar_t), "?");
}

}  // namespace winreg

#endif
