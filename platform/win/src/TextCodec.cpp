#ifndef _WIN32

#include "TextCodec.h"

#include <algorithm>

namespace winreg {

namespace {

bool isHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void appendUnit(std::vector<std::uint8_t>& out, std::uint32_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

// UTF-16 code units to wide text, pairing surrogates.
std::wstring unitsToWide(const std::vector<std::uint32_t>& units) {
    std::wstring text;
    for (size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t u = units[i];
        if (isHighSurrogate(u) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            text += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            text += static_cast<wchar_t>(u);
        }
    }
    return text;
}

std::vector<std::uint32_t> utf16Units(const std::string& bytes, size_t start, bool bigEndian) {
    std::vector<std::uint32_t> units;
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<std::uint8_t>(bytes[i]),
                   b = static_cast<std::uint8_t>(bytes[i + 1]);
        units.push_back(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return units;
}

// Length of the UTF-8 sequence a lead byte starts, 0 for an invalid lead.
int sequenceLength(std::uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes one sequence at `at`; 0 when it is malformed, overlong or a
// surrogate.
std::uint32_t decodeSequence(const std::string& bytes, size_t at, int length) {
    static constexpr std::uint32_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static constexpr std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (at + static_cast<size_t>(length) > bytes.size()) return 0;
    std::uint32_t code = static_cast<std::uint8_t>(bytes[at]) & kLeadMask[length];
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<std::uint8_t>(bytes[at + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) return 0;
        code = code << 6 | (b & 0x3F);
    }
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return code;
}

int lineOfOffset(const std::string& bytes, size_t offset) {
    return 1 + static_cast<int>(
                   std::count(bytes.begin(), bytes.begin() + static_cast<long>(offset), '\n'));
}

}  // namespace

std::vector<std::uint8_t> WideToUtf16le(const std::wstring& text) {
    std::vector<std::uint8_t> out;
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x10000) {
            appendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
            appendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            appendUnit(out, code);
        }
    }
    return out;
}

std::wstring Utf16leToWide(const std::uint8_t* bytes, std::size_t size) {
    std::vector<std::uint32_t> units;
    for (size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<std::uint32_t>(bytes[i] | bytes[i + 1] << 8));
    return unitsToWide(units);
}

std::string WideToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        auto code = static_cast<std::uint32_t>(c);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

bool Utf8ToWide(const std::string& bytes, std::wstring& text, std::size_t& badOffset) {
    text.clear();
    for (size_t i = 0; i < bytes.size();) {
        const int length = sequenceLength(static_cast<std::uint8_t>(bytes[i]));
        const std::uint32_t code = length == 1
                                       ? static_cast<std::uint8_t>(bytes[i])
                                       : (length == 0 ? 0 : decodeSequence(bytes, i, length));
        if (length == 0 || (length > 1 && code == 0)) {
            badOffset = i;
            return false;
        }
        text += static_cast<wchar_t>(code);
        i += static_cast<size_t>(length);
    }
    return true;
}

DecodedFile DecodeRegFile(const std::string& bytes) {
    DecodedFile file;
    const bool utf16le = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool utf16be = bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF';
    if (utf16le || utf16be) {
        file.text = unitsToWide(utf16Units(bytes, 2, utf16be));
        file.ok = bytes.size() % 2 == 0;
        if (!file.ok)
            file.errorLine =
                1 + static_cast<int>(std::count(file.text.begin(), file.text.end(), L'\n'));
        if (!file.ok) file.problem = "UTF-16 text with an odd number of bytes";
        return file;
    }
    // Text of the header's letters has a zero byte beside each one only in
    // UTF-16; without its mark the byte order is unknown.
    if (bytes.size() >= 2 && (bytes[0] == 0 || bytes[1] == 0)) {
        file.errorLine = 1;
        file.problem =
            "UTF-16 text without a byte-order mark (save it as UTF-16 with BOM or as UTF-8)";
        return file;
    }
    const size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t badOffset = 0;
    file.ok = Utf8ToWide(bytes.substr(start), file.text, badOffset);
    if (!file.ok) file.errorLine = lineOfOffset(bytes, start + badOffset);
    if (!file.ok) file.problem = "not valid UTF-8 or UTF-16 text";
    return file;
}

std::string EncodeRegFile(const std::wstring& text) {
    const std::vector<std::uint8_t> units = WideToUtf16le(text);
    std::string out = "\xFF\xFE";
    out.append(units.begin(), units.end());
    return out;
}

}  // namespace winreg

#endif
