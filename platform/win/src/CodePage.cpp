#ifndef _WIN32

#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wincodepage.h"

namespace winreg {

namespace {

constexpr const char* kAnsiCodePage = "CP936";

// One iconv conversion state, closed with its owner.
class Converter {
  public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (!Valid()) throw std::runtime_error(std::string("iconv lacks ") + from + " or " + to);
    }
    // Without throwing: Valid() tells whether iconv knows both.
    Converter(const std::string& to, const std::string& from, std::nothrow_t)
        : m_handle(iconv_open(to.c_str(), from.c_str())) {}
    bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    ~Converter() {
        if (Valid()) iconv_close(m_handle);
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

// iconv's name of a Windows code page.
std::string IconvName(UINT codePage) {
    if (codePage == CP_ACP) codePage = GetACP();
    if (codePage == 65001) return "UTF-8";
    if (codePage == 10000) return "MACINTOSH";
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    return "CP" + std::to_string(codePage);
}

std::wstring ToWide(Converter& converter, std::string_view bytes) {
    const std::wstring question = L"?";
    const std::string raw = converter.Convert(
        std::string(bytes), 1,
        std::string(reinterpret_cast<const char*>(question.data()), sizeof(wchar_t)));
    return std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
}

}  // namespace

std::wstring AnsiToWide(const std::string& text) {
    Converter converter("WCHAR_T", kAnsiCodePage);
    return ToWide(converter, text);
}

std::string WideToAnsi(const std::wstring& text) {
    Converter converter(kAnsiCodePage, "WCHAR_T");
    const std::string raw(reinterpret_cast<const char*>(text.data()),
                          text.size() * sizeof(wchar_t));
    return converter.Convert(raw, sizeof(wchar_t), "?");
}

}  // namespace winreg

UINT GetACP() {
    const char* chosen = std::getenv("KAVREL_ANSI_CODEPAGE");
    if (chosen != nullptr) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(chosen, &end, 10);
        if (end != chosen && *end == 0 && number > 0 && number <= 65535)
            return static_cast<UINT>(number);
    }
    return 936;
}

bool CodePageToWide(UINT codePage, std::string_view bytes, std::wstring& text) {
    text.clear();
    winreg::Converter converter("WCHAR_T", winreg::IconvName(codePage), std::nothrow);
    if (!converter.Valid()) return false;
    text = winreg::ToWide(converter, bytes);
    return true;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount) {
    if (bytes == nullptr || wideCount < 0 || (wideCount > 0 && wide == nullptr)) return 0;
    const size_t size = byteCount < 0 ? std::strlen(bytes) + 1 : static_cast<size_t>(byteCount);
    winreg::Converter converter("WCHAR_T", winreg::IconvName(codePage), std::nothrow);
    if (!converter.Valid()) return 0;
    const wchar_t replacement = L'\uFFFD';
    bool invalid = false;
    const std::string raw = converter.Convert(
        std::string(bytes, size), 1,
        std::string(reinterpret_cast<const char*>(&replacement), sizeof replacement), &invalid);
    if (invalid && (flags & MB_ERR_INVALID_CHARS) != 0) return 0;
    const int count = static_cast<int>(raw.size() / sizeof(wchar_t));
    if (wideCount == 0) return count;
    if (count > wideCount) return 0;
    std::memcpy(wide, raw.data(), raw.size());
    return count;
}

#endif
