#include "dxf_groups.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "wcrt.h"

namespace {

struct CodeRange {
    int first;
    int last;
    DxfValueType type;
};

// Group code ranges of the DXF reference. Codes outside every range (80-89,
// 1072 and above, negative codes that only exist in memory) are unknown.
constexpr CodeRange kCodeRanges[] = {
    {0, 9, DxfValueType::String},       {10, 39, DxfValueType::Double},
    {40, 59, DxfValueType::Double},     {60, 79, DxfValueType::Int16},
    {90, 99, DxfValueType::Int32},      {100, 100, DxfValueType::String},
    {102, 102, DxfValueType::String},   {105, 105, DxfValueType::Handle},
    {110, 149, DxfValueType::Double},   {160, 169, DxfValueType::Int64},
    {170, 179, DxfValueType::Int16},    {210, 239, DxfValueType::Double},
    {270, 289, DxfValueType::Int16},    {290, 299, DxfValueType::Bool},
    {300, 309, DxfValueType::String},   {310, 319, DxfValueType::Binary},
    {320, 369, DxfValueType::Handle},   {370, 389, DxfValueType::Int16},
    {390, 399, DxfValueType::Handle},   {400, 409, DxfValueType::Int16},
    {410, 419, DxfValueType::String},   {420, 429, DxfValueType::Int32},
    {430, 439, DxfValueType::String},   {440, 459, DxfValueType::Int32},
    {460, 469, DxfValueType::Double},   {470, 479, DxfValueType::String},
    {480, 481, DxfValueType::Handle},   {999, 999, DxfValueType::String},
    {1000, 1003, DxfValueType::String}, {1004, 1004, DxfValueType::Binary},
    {1005, 1005, DxfValueType::Handle}, {1006, 1009, DxfValueType::String},
    {1010, 1059, DxfValueType::Double}, {1060, 1070, DxfValueType::Int16},
    {1071, 1071, DxfValueType::Int32},
};

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isHexText(std::string_view text) {
    for (char c : text)
        if (!isHexDigit(c)) return false;
    return true;
}

// For a number text out of a double's range: true when it is too small
// rather than too large (strtod then gives 0 or a subnormal, not HUGE_VAL).
bool isUnderflow(std::string_view text) {
    const std::string copy(text);
    return std::fabs(std::strtod(copy.c_str(), nullptr)) < 1.0;
}

}  // namespace

DxfValueType dxfValueType(int code) {
    // Every group read or written asks: one table entry per code.
    static const std::array<DxfValueType, 1072> kByCode = [] {
        std::array<DxfValueType, 1072> table;
        table.fill(DxfValueType::Unknown);
        for (const CodeRange& r : kCodeRanges)
            for (int c = r.first; c <= r.last; ++c) table[static_cast<size_t>(c)] = r.type;
        return table;
    }();
    if (code < 0 || code >= static_cast<int>(kByCode.size())) return DxfValueType::Unknown;
    return kByCode[static_cast<size_t>(code)];
}

std::string_view dxfTrim(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool dxfParseDouble(std::string_view text, double& value) {
    text = dxfTrim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double parsed = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || end != text.data() + text.size()) return false;
    // A number too small for a double reads as 0, as the C library reads it;
    // one too large, infinities and NaN are not numbers a drawing can hold.
    if (ec == std::errc::result_out_of_range && isUnderflow(text))
        parsed = 0.0;
    else if (ec != std::errc() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool dxfParseInteger(std::string_view text, int64_t minValue, int64_t maxValue, int64_t& value) {
    text = dxfTrim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return false;
    if (parsed < minValue || parsed > maxValue) return false;
    value = parsed;
    return true;
}

bool dxfParseHandle(std::string_view text, uint64_t& value) {
    text = dxfTrim(text);
    if (text.empty() || text.size() > 16 || !isHexText(text)) return false;
    uint64_t parsed = 0;
    std::from_chars(text.data(), text.data() + text.size(), parsed, 16);
    // Handles are given out upwards from the seed; a file naming one near the
    // top of the range would leave no room above it and wrap the seed to 0.
    if (parsed > kDxfMaxHandle) return false;
    value = parsed;
    return true;
}

bool dxfValueIsValid(DxfValueType type, std::string_view text) {
    int64_t i = 0;
    double d = 0.0;
    uint64_t h = 0;
    switch (type) {
        case DxfValueType::String:
            return true;
        case DxfValueType::Double:
            return dxfParseDouble(text, d);
        case DxfValueType::Int16:
            return dxfParseInteger(text, INT16_MIN, INT16_MAX, i);
        case DxfValueType::Int32:
            return dxfParseInteger(text, INT32_MIN, INT32_MAX, i);
        case DxfValueType::Int64:
            return dxfParseInteger(text, std::numeric_limits<int64_t>::min(),
                                   std::numeric_limits<int64_t>::max(), i);
        // Booleans are written 0 or 1; other writers put any small integer.
        case DxfValueType::Bool:
            return dxfParseInteger(text, INT16_MIN, INT16_MAX, i);
        case DxfValueType::Handle:
            return dxfParseHandle(text, h);
        case DxfValueType::Binary: {
            std::string_view t = dxfTrim(text);
            return t.size() % 2 == 0 && isHexText(t);
        }
        case DxfValueType::Unknown:
            return false;
    }
    return false;
}

std::string dxfFormatDouble(double value) {
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;  // 64 characters hold every double in shortest form
    return std::string(buffer.data(), end);
}

std::string dxfFormatHandle(uint64_t value) {
    std::array<char, 17> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
    (void)ec;
    std::string text(buffer.data(), end);
    for (char& c : text)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

namespace {

// "^" followed by one of these characters stands for that character - 64.
bool isCaretLetter(char c) { return c >= '@' && c <= '_'; }

}  // namespace

std::string dxfEscapeString(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    dxfAppendEscaped(out, text);
    return out;
}

void dxfAppendEscaped(std::string& out, std::string_view text) {
    // Most texts hold neither a control character nor a caret.
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '^';
    });
    if (plain) {
        out += text;
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (static_cast<unsigned char>(c) < 0x20) {
            out += '^';
            out += static_cast<char>(c + 64);
        } else if (c == '^' && i + 1 < text.size() &&
                   (isCaretLetter(text[i + 1]) || text[i + 1] == ' ' ||
                    static_cast<unsigned char>(text[i + 1]) < 0x20)) {
            // A control character after it is written as "^X" too, and
            // "^^" would read as one.
            out += "^ ";
        } else {
            out += c;
        }
    }
}

namespace {

struct UnicodeEscape {
    uint32_t code = 0;  // 0: no escape here
    size_t length = 0;
};

uint32_t hexValue(std::string_view digits) {
    uint32_t code = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), code, 16);
    return code;
}

// The "\U+XXXX" escape at `at`. Some writers give characters beyond U+FFFF
// as eight digits ("\U+0001F600"); four digits of a control character below
// U+0011 followed by four more are read so, since nobody escapes those.
UnicodeEscape unicodeEscapeAt(std::string_view text, size_t at) {
    if (text.substr(at, 3) != "\\U+" || text.size() < at + 7) return {};
    const std::string_view four = text.substr(at + 3, 4), eight = text.substr(at + 3, 8);
    if (!isHexText(four)) return {};
    const uint32_t code = hexValue(four);
    if (code >= 1 && code <= 0x10 && eight.size() == 8 && isHexText(eight))
        return {hexValue(eight), 11};
    return {code, 7};
}

// Decodes the escape at `at` (a surrogate pair as two escapes) into `out`;
// the number of characters it took, 0 when there is no character to decode
// (no escape, NUL, a lone surrogate): those stay as written.
size_t decodeUnicodeEscape(std::string_view text, size_t at, std::string& out) {
    const UnicodeEscape first = unicodeEscapeAt(text, at);
    const uint32_t code = first.code;
    if (code == 0 || code > 0x10FFFF || (code >= 0xDC00 && code <= 0xDFFF)) return 0;
    if (code < 0xD800 || code > 0xDBFF) {
        wcrtAppendCodePoint(out, code);
        return first.length;
    }
    const UnicodeEscape low = unicodeEscapeAt(text, at + first.length);
    if (low.code < 0xDC00 || low.code > 0xDFFF) return 0;
    wcrtAppendCodePoint(out, 0x10000 + ((code - 0xD800) << 10) + (low.code - 0xDC00));
    return first.length + low.length;
}

}  // namespace

bool dxfHasEscapes(std::string_view text) {
    return text.find_first_of("\\^") != std::string_view::npos;
}

std::string dxfUnescapeString(std::string_view text) {
    // Most values hold neither an escape nor a caret.
    if (!dxfHasEscapes(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            if (const size_t taken = decodeUnicodeEscape(text, i, out)) {
                i += taken - 1;
                continue;
            }
        }
        // "^@" would be a NUL, which no string can hold: it stays as written.
        if (c == '^' && i + 1 < text.size() && isCaretLetter(text[i + 1]) && text[i + 1] != '@') {
            out += static_cast<char>(text[++i] - 64);
        } else if (c == '^' && i + 1 < text.size() && text[i + 1] == ' ') {
            out += '^';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
