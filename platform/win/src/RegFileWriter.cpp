#ifndef _WIN32

#include "RegFile.h"
#include "TextCodec.h"
#include "winreg_standin.h"

namespace winreg {

namespace {

const wchar_t* const kNewline = L"\r\n";

// Hex lists are wrapped before this column, as the registry editor does.
constexpr size_t kHexLineWidth = 77;

// Lower-case hex digits, at least `digits` of them, as the editor writes.
std::wstring hex(std::uint32_t number, size_t digits) {
    std::wstring out;
    do {
        out.insert(out.begin(), L"0123456789abcdef"[number & 0xF]);
        number >>= 4;
    } while (number != 0);
    if (out.size() < digits) out.insert(0, digits - out.size(), L'0');
    return out;
}

std::wstring quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"') out += L'\\';
        out += c;
    }
    return out + L"\"";
}

// A REG_SZ that reads back unchanged from "text": whole UTF-16 units, one
// terminating zero and no other, no line breaks.
bool isPlainString(const RegValue& value) {
    const auto& d = value.data;
    if (value.type != REG_SZ || d.size() < 2 || d.size() % 2 != 0) return false;
    if (d[d.size() - 2] != 0 || d[d.size() - 1] != 0) return false;
    for (size_t i = 0; i + 2 < d.size(); i += 2) {
        const unsigned unit = d[i] | d[i + 1] << 8;
        if (unit == 0 || unit == L'\r' || unit == L'\n') return false;
    }
    return true;
}

std::wstring hexList(const std::wstring& prefix, const std::vector<std::uint8_t>& bytes) {
    std::wstring out = prefix;
    size_t column = prefix.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::wstring item = hex(bytes[i], 2);
        if (i + 1 < bytes.size()) item += L',';
        if (column + item.size() > kHexLineWidth && i > 0) {
            out += L'\\';
            out += kNewline;
            out += L"  ";
            column = 2;
        }
        out += item;
        column += item.size();
    }
    return out;
}

std::wstring valueLine(const RegValue& value) {
    const std::wstring name = value.name.empty() ? L"@" : quoted(value.name);
    if (isPlainString(value)) {
        const std::wstring text = Utf16leToWide(value.data.data(), value.data.size() - 2);
        return name + L"=" + quoted(text);
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                     static_cast<std::uint32_t>(value.data[3]) << 24;
        return name + L"=dword:" + hex(number, 8);
    }
    const std::wstring type =
        value.type == REG_BINARY ? L"hex:" : L"hex(" + hex(value.type, 1) + L"):";
    return hexList(name + L"=" + type, value.data);
}

void appendKey(std::wstring& out, const RegKey& key, const std::wstring& path, bool always) {
    if (always || !key.values.empty()) {
        out += L"[" + path + L"]" + kNewline;
        for (const RegValue& value : key.values) out += valueLine(value) + kNewline;
        out += kNewline;
    }
    for (const RegKey& subkey : key.subkeys)
        appendKey(out, subkey, path + L"\\" + subkey.name, true);
}

}  // namespace

std::wstring FormatRegFile(const RegistryTree& tree) {
    std::wstring out = std::wstring(L"Windows Registry Editor Version 5.00") + kNewline + kNewline;
    for (size_t i = 0; i < 4; ++i) appendKey(out, tree.roots[i], kRegRoots[i].name, false);
    return out;
}

}  // namespace winreg

#endif
