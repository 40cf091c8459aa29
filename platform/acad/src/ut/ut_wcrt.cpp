#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <string_view>
#include <vector>

#include "wcrt.h"

#ifndef _WIN32
double _wtof(const wchar_t* text) {
    if (text == nullptr) return 0.0;
    return std::wcstod(text, nullptr);
}

int _wtoi(const wchar_t* text) {
    if (text == nullptr) return 0;
    long long v = std::wcstoll(text, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int _wcsnicmp(const wchar_t* a, const wchar_t* b, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        wint_t ca = std::towlower(static_cast<wint_t>(a[i]));
        wint_t cb = std::towlower(static_cast<wint_t>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
    return 0;
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) {
    return _wcsnicmp(a, b, static_cast<size_t>(-1));
}
#endif

std::wstring wcrtFoldCase(const std::wstring& text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return folded;
}

namespace {

// Rewrites a host-style wide format for the platform's vswprintf: a "%s" or
// "%c" without a size prefix takes a wide argument on the host.
std::wstring portableFormat(const wchar_t* format) {
    std::wstring out;
#ifdef _WIN32
    out = format;
#else
    for (const wchar_t* p = format; *p != 0; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        bool sized = false;
        while (*p != 0 && std::wcschr(L"-+ #0123456789.*hlLqjzt", *p) != nullptr) {
            if (std::wcschr(L"hlLqjzt", *p) != nullptr) sized = true;
            out += *p++;
        }
        if (*p == 0) break;
        if (!sized && (*p == L's' || *p == L'c')) out += L'l';
        out += *p;
    }
#endif
    return out;
}

}  // namespace

std::wstring wcrtVFormat(const wchar_t* format, va_list args) {
    const std::wstring fmt = portableFormat(format);
    // Most texts are short: a buffer on the stack spares an allocation.
    std::array<wchar_t, 256> local;
    {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(local.data(), local.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < local.size()) return std::wstring(local.data(), n);
    }
    std::vector<wchar_t> buffer(local.size() * 4);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) return std::wstring(buffer.data(), n);
        // vswprintf reports only failure, not the needed size: grow and retry,
        // up to a bound so that a bad format cannot loop forever.
        if (buffer.size() >= (1u << 24)) return std::wstring();
        buffer.resize(buffer.size() * 4);
    }
}

std::wstring wcrtFixed(double value, int decimals) {
    // to_chars rounds the exact binary value as printf does; a finite double
    // with 16 decimals needs at most 309 + 1 + 16 characters and a sign.
    if (decimals < 0 || decimals > 16 || !std::isfinite(value))
        return wcrtFormat(L"%.*f", decimals, value);
    std::array<char, 340> text;
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc()) return wcrtFormat(L"%.*f", decimals, value);
    return std::wstring(text.data(), end);
}

std::wstring wcrtFormat(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring s = wcrtVFormat(format, args);
    va_end(args);
    return s;
}

namespace {

// The code point wcrtToUtf8 writes for a wide character: characters that are
// no Unicode scalar value become U+FFFD.
char32_t utf8CodePoint(char32_t c) {
    return c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? 0xFFFD : c;
}

}  // namespace

size_t wcrtUtf8Length(const wchar_t* text) {
    size_t length = 0;
    for (const wchar_t* p = text; p != nullptr && *p != 0; ++p) {
        const char32_t c = utf8CodePoint(static_cast<char32_t>(*p));
        length += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    return length;
}

namespace {

template <typename Text>
void appendUtf8(std::string& out, const Text& text) {
    for (wchar_t wc : text) wcrtAppendCodePoint(out, static_cast<char32_t>(wc));
}

}  // namespace

void wcrtAppendCodePoint(std::string& out, char32_t code) {
    const char32_t c = utf8CodePoint(code);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string wcrtToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    appendUtf8(out, text);
    return out;
}

void wcrtAppendUtf8(std::string& out, const wchar_t* text) {
    if (text != nullptr) appendUtf8(out, std::wstring_view(text));
}

std::wstring wcrtFromUtf8(const std::string& text) {
    std::wstring out;
    wcrtAssignFromUtf8(out, text);
    return out;
}

void wcrtAssignFromUtf8(std::wstring& out, std::string_view text) {
    out.clear();
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < n) {
        unsigned char b = byte(i);
        char32_t c = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b >> 5) == 0x6) {
            len = 2;
        } else if ((b >> 4) == 0xE) {
            len = 3;
        } else if ((b >> 3) == 0x1E) {
            len = 4;
        }
        if (len > 1) {
            bool ok = i + len <= n;
            char32_t v = b & (0x7F >> len);
            for (size_t k = 1; ok && k < len; ++k) {
                if ((byte(i + k) & 0xC0) != 0x80)
                    ok = false;
                else
                    v = (v << 6) | (byte(i + k) & 0x3F);
            }
            static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
            if (ok && v >= minimum[len] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                c = v;
            } else {
                len = 1;
                c = 0xFFFD;
            }
        }
        out += static_cast<wchar_t>(c);
        i += len;
    }
}

std::wstring wcrtTrim(const std::wstring& text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && std::iswspace(static_cast<wint_t>(text[b]))) ++b;
    while (e > b && std::iswspace(static_cast<wint_t>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}
