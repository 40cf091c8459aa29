#ifndef _WIN32

#include <cwctype>
#include <optional>
#include <vector>

#include "RegFile.h"
#include "TextCodec.h"
#include "winreg_standin.h"

namespace winreg {

namespace {

const std::wstring kHeader = L"Windows Registry Editor Version 5.00";

// A failure on one line; the parser stops at the first one.
struct LineError {
    std::string message;
};

struct Line {
    int number;
    std::wstring text;
};

// The lines without their line breaks; a final line break ends the last
// line rather than starting an empty one.
std::vector<Line> splitLines(const std::wstring& text) {
    std::vector<Line> lines;
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back({number, std::move(line)});
        start = end + 1;
    }
    if (lines.empty()) lines.push_back({1, L""});
    return lines;
}

std::wstring trim(const std::wstring& text) {
    size_t first = 0, last = text.size();
    while (first < last && std::iswspace(static_cast<wint_t>(text[first]))) ++first;
    while (last > first && std::iswspace(static_cast<wint_t>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

// A quoted text at `at` (which is the opening quote) with the escapes \\ and
// \"; `at` ends after the closing quote.
std::wstring readQuoted(const std::wstring& text, size_t& at) {
    std::wstring out;
    for (++at; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (c == L'"') {
            ++at;
            return out;
        }
        if (c == L'\\') {
            if (at + 1 >= text.size() || (text[at + 1] != L'\\' && text[at + 1] != L'"')) {
                throw LineError{"unknown escape in a quoted text (only \\\\ and \\\" are allowed)"};
            }
            ++at;
        }
        out += text[at];
    }
    throw LineError{"quoted text without its closing quote"};
}

std::optional<std::uint32_t> parseHexNumber(const std::wstring& digits, size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (wchar_t c : digits) {
        if (!std::iswxdigit(static_cast<wint_t>(c))) return std::nullopt;
        const wchar_t d = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        value = value << 4 | static_cast<std::uint32_t>(d <= L'9' ? d - L'0' : d - L'a' + 10);
    }
    return value;
}

std::vector<std::uint8_t> parseHexBytes(const std::wstring& list) {
    std::vector<std::uint8_t> bytes;
    if (trim(list).empty()) return bytes;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(L',', start);
        const std::wstring item = trim(
            list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        const auto byte = parseHexNumber(item, 2);
        if (!byte) throw LineError{"bad byte \"" + WideToUtf8(item) + "\" in a hex list"};
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::wstring::npos) return bytes;
        start = comma + 1;
    }
}

std::vector<std::uint8_t> stringData(const std::wstring& text) {
    std::vector<std::uint8_t> data = WideToUtf16le(text);
    data.push_back(0);
    data.push_back(0);
    return data;
}

// The part after "=": "text", dword:n, hex:bytes or hex(type):bytes.
void parseData(const std::wstring& data, RegValue& value) {
    if (!data.empty() && data[0] == L'"') {
        size_t at = 0;
        const std::wstring text = readQuoted(data, at);
        if (!trim(data.substr(at)).empty())
            throw LineError{"unexpected text after the closing quote"};
        value.type = REG_SZ;
        value.data = stringData(text);
    } else if (data.rfind(L"dword:", 0) == 0) {
        const auto number = parseHexNumber(trim(data.substr(6)), 8);
        if (!number) throw LineError{"a dword needs 1 to 8 hex digits"};
        value.type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8)
            value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    } else if (data.rfind(L"hex:", 0) == 0) {
        value.type = REG_BINARY;
        value.data = parseHexBytes(data.substr(4));
    } else if (data.rfind(L"hex(", 0) == 0 && data.find(L"):") != std::wstring::npos) {
        const size_t close = data.find(L"):");
        const auto type = parseHexNumber(data.substr(4, close - 4), 8);
        if (!type) throw LineError{"bad value type in hex(...)"};
        value.type = *type;
        value.data = parseHexBytes(data.substr(close + 2));
    } else if (trim(data) == L"-") {
        throw LineError{"value deletion (=-) is not supported in a registry file"};
    } else {
        throw LineError{"unknown kind of value (expected \"text\", dword:, hex: or hex(n):)"};
    }
}

RegKey& openKeyLine(RegistryTree& tree, const std::wstring& line) {
    const std::wstring text = trim(line);
    if (text.size() < 2 || text.back() != L']') throw LineError{"key line without its closing ]"};
    const std::wstring path = text.substr(1, text.size() - 2);
    if (!path.empty() && path[0] == L'-')
        throw LineError{"key deletion ([-...]) is not supported in a registry file"};
    std::vector<std::wstring> names;
    if (!SplitRegPath(path, names) || names.empty())
        throw LineError{"empty key name in the key path"};
    // Deeper trees would cost every walk over the registry its stack.
    if (names.size() - 1 > kMaxRegKeyDepth)
        throw LineError{"key path deeper than " + std::to_string(kMaxRegKeyDepth) + " levels"};
    const int root = RegRootIndex(names[0]);
    if (root < 0) throw LineError{"unknown root key \"" + WideToUtf8(names[0]) + "\""};
    RegKey* key = &tree.roots[root];
    for (size_t i = 1; i < names.size(); ++i) key = &key->SubkeyOrNew(names[i]);
    return *key;
}

// `"name"=data` or `@=data`.
RegValue parseValueLine(const std::wstring& line) {
    RegValue value;
    size_t at = 0;
    if (line[0] == L'@') {
        at = 1;
    } else {
        value.name = readQuoted(line, at);
    }
    while (at < line.size() && (line[at] == L' ' || line[at] == L'\t')) ++at;
    if (at >= line.size() || line[at] != L'=') throw LineError{"expected = after the value name"};
    parseData(trim(line.substr(at + 1)), value);
    return value;
}

// A hex list ending in "\" goes on in the next line.
bool continues(const std::wstring& line) {
    const std::wstring text = trim(line);
    return !text.empty() && text.back() == L'\\' && text.find(L"=hex") != std::wstring::npos;
}

void parseBody(const std::vector<Line>& lines, RegistryTree& tree, int& lineNumber) {
    RegKey* key = nullptr;
    for (size_t i = 1; i < lines.size(); ++i) {
        lineNumber = lines[i].number;
        std::wstring text = trim(lines[i].text);
        while (continues(text)) {
            text.pop_back();
            if (++i >= lines.size()) throw LineError{"hex list goes on past the end of the file"};
            text += trim(lines[i].text);
        }
        if (text.empty() || text[0] == L';') continue;
        if (text[0] == L'[') {
            key = &openKeyLine(tree, text);
        } else if (text[0] == L'"' || text[0] == L'@') {
            if (key == nullptr) throw LineError{"value line before the first key line"};
            key->SetValue(parseValueLine(text));
        } else {
            throw LineError{
                "expected a [key] line, a \"name\"=value or @=value line, or a ; comment"};
        }
    }
}

}  // namespace

RegFileParse ParseRegFile(const std::wstring& text) {
    RegFileParse result;
    const std::vector<Line> lines = splitLines(text);
    if (trim(lines[0].text) != kHeader) {
        result.errorLine = 1;
        result.message = "the first line must be \"Windows Registry Editor Version 5.00\"";
        return result;
    }
    int lineNumber = 1;
    try {
        parseBody(lines, result.tree, lineNumber);
    } catch (const LineError& error) {
        result.errorLine = lineNumber;
        result.message = error.message;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace winreg

#endif
