#ifndef _WIN32

#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "winnls_standin.h"

namespace winreg {

namespace {

constexpr const char* kAnsiCodePage = "CP936";

// One iconv conversion state, closed with its owner.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv lacks code page 936");
    }
    // A converter that may be missing (an unknown code page): check Ready().
    Converter(const char* to, const char* from, std::nothrow_t) : m_handle(iconv_open(to, from)) {}
    bool Ready() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    ~Converter() {
        if (Ready()) iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; at a sequence that cannot be converted, `skip`
    // input bytes are dropped and `substitute` is written instead, and
    // `invalid` (when given) is set.
    std::string Convert(const std::string& in, size_t skip, const std::string& substitute,
                        bool* invalid = nullptr) {
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
            if (invalid != nullptr) *invalid = true;
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

// The iconv name of a Windows code page number.
std::string IconvName(UINT codePage) {
    if (codePage == CP_ACP) codePage = GetACP();
    if (codePage == CP_UTF8) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

}  // namespace winreg

UINT GetACP() {
    const char* named = std::getenv("KAVREL_ANSI_CODEPAGE");
    if (named != nullptr && *named != '\0') {
        char* end = nullptr;
        const unsigned long page = std::strtoul(named, &end, 10);
        if (*end == '\0' && page > 0 && page < 65536) return static_cast<UINT>(page);
    }
    return 936;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount) {
    if (bytes == nullptr || wideCount < 0 || (wideCount > 0 && wide == nullptr)) return 0;
    const size_t size = byteCount < 0 ? std::strlen(bytes) + 1 : static_cast<size_t>(byteCount);
    winreg::Converter converter("WCHAR_T", winreg::IconvName(codePage).c_str(), std::nothrow);
    if (!converter.Ready()) return 0;
    const wchar_t replacement = L'\uFFFD';
    bool invalid = false;
    const std::string raw =
        converter.Convert(std::string(bytes, size), 1,
                          std::string(reinterpret_cast<const char*>(&replacement), sizeof replacement),
                          &invalid);
    if (invalid && (flags & MB_ERR_INVALID_CHARS) != 0) return 0;
    const int count = static_cast<int>(raw.size() / sizeof(wchar_t));
    if (wideCount == 0) return count;
    if (count > wideCount) return 0;
    std::memcpy(wide, raw.data(), raw.size());
    return count;
}

#endif
