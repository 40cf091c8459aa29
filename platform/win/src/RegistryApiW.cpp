// The registry functions on wide texts. Off Windows wchar_t holds UTF-32, so
// string data handed in and out counts sizeof(wchar_t) bytes per character;
// it is stored as UTF-16LE like on Windows.
#ifndef _WIN32

#include <cstring>

#include "RegistryOps.h"
#include "RegistryStore.h"
#include "TextCodec.h"

using namespace winreg;

namespace {

std::wstring text(LPCWSTR value) { return value == nullptr ? std::wstring() : std::wstring(value); }

std::vector<std::uint8_t> wideBytes(const std::wstring& value) {
    std::vector<std::uint8_t> bytes(value.size() * sizeof(wchar_t));
    if (!bytes.empty()) std::memcpy(bytes.data(), value.data(), bytes.size());
    return bytes;
}

}  // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    return Guarded([&] { return CreateKey(key, text(subKey), result, disposition); });
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    return Guarded([&] { return OpenKey(key, text(subKey), result); });
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return Guarded([&] {
        RegValue value;
        if (const LONG status = QueryValue(key, text(valueName), value); status != ERROR_SUCCESS)
            return status;
        if (!IsStringType(value.type))
            return CopyValueOut(value.data, value.type, type, data, dataSize);
        const std::wstring characters = Utf16leToWide(value.data.data(), value.data.size());
        return CopyValueOut(wideBytes(characters), value.type, type, data, dataSize);
    });
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return Guarded([&] {
        if (data == nullptr && dataSize > 0) return ERROR_INVALID_PARAMETER;
        std::vector<std::uint8_t> bytes(data, data + (data == nullptr ? 0 : dataSize));
        if (IsStringType(type)) {
            if (dataSize % sizeof(wchar_t) != 0) return ERROR_INVALID_PARAMETER;
            std::wstring characters(dataSize / sizeof(wchar_t), L'\0');
            if (dataSize > 0) std::memcpy(characters.data(), data, dataSize);
            bytes = WideToUtf16le(characters);
        }
        return SetValue(key, text(valueName), type, std::move(bytes));
    });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    return Guarded([&] { return DeleteValue(key, text(valueName)); });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
    return Guarded([&] { return DeleteKey(key, subKey); });
}

LONG RegCloseKey(HKEY key) {
    return Guarded([&] { return CloseKey(key); });
}

void RegStandInSetFile(const char* path) {
    RegistryStore& store = RegistryStore::Instance();
    std::lock_guard<std::mutex> guard(store.Lock());
    store.SetFile(path == nullptr ? std::string() : std::string(path));
}

const char* RegStandInLastError() {
    thread_local std::string copy;
    RegistryStore& store = RegistryStore::Instance();
    std::lock_guard<std::mutex> guard(store.Lock());
    copy = store.LastError();
    return copy.c_str();
}

#endif
