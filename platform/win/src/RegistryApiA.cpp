// The registry functions on texts in code page 936, the installer's. Names
// and string data are converted to and from the wide form, as Windows does.
#ifndef _WIN32

#include "CodePage.h"
#include "RegistryOps.h"
#include "TextCodec.h"

using namespace winreg;

namespace {

std::wstring text(LPCSTR value) { return value == nullptr ? std::wstring() : AnsiToWide(value); }

}  // namespace

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    return Guarded([&] { return CreateKey(key, text(subKey), result, disposition); });
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    return Guarded([&] { return OpenKey(key, text(subKey), result); });
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return Guarded([&] {
        RegValue value;
        if (const LONG status = QueryValue(key, text(valueName), value); status != ERROR_SUCCESS)
            return status;
        if (!IsStringType(value.type))
            return CopyValueOut(value.data, value.type, type, data, dataSize);
        const std::string ansi = WideToAnsi(Utf16leToWide(value.data.data(), value.data.size()));
        return CopyValueOut(std::vector<std::uint8_t>(ansi.begin(), ansi.end()), value.type, type,
                            data, dataSize);
    });
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return Guarded([&] {
        if (data == nullptr && dataSize > 0) return ERROR_INVALID_PARAMETER;
        std::vector<std::uint8_t> bytes(data, data + (data == nullptr ? 0 : dataSize));
        if (IsStringType(type))
            bytes = WideToUtf16le(AnsiToWide(std::string(bytes.begin(), bytes.end())));
        return SetValue(key, text(valueName), type, std::move(bytes));
    });
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return Guarded([&] { return DeleteValue(key, text(valueName)); });
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
    return Guarded([&] { return DeleteKey(key, text(subKey)); });
}

#endif
