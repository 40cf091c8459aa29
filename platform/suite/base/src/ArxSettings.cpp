#include "ArxSettings.h"

#include <cstring>
#include <vector>

#include "aced.h"
#include "acutads.h"
#include "winreg_standin.h"

namespace {

// Largest string value read, in characters with the terminator; the suite's
// settings are short, and the bound keeps a damaged value from exhausting memory.
constexpr DWORD kMaxValueChars = 32768;

// Opens (creating when missing) HKEY_CURRENT_USER\key; null on failure.
HKEY OpenUserKey(const ACHAR* key) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return handle;
}

// The bytes of a string value as wide text, up to its first terminator.
std::wstring TextOf(const std::vector<BYTE>& bytes, DWORD size) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

}  // namespace

int ArxRegedit::Arx_GetValueToReg(const ACHAR* key, const ACHAR* valueName, std::wstring& value) {
    value.clear();
    if (key == nullptr || valueName == nullptr) return 0;
    HKEY handle = OpenUserKey(key);
    if (handle == nullptr) return 0;
    // One buffer for every read: settings are read per pane and per corner,
    // and clearing a fresh buffer of the largest size each time cost more than
    // the rest of a pane's calculation.
    thread_local std::vector<BYTE> bytes(kMaxValueChars * sizeof(wchar_t));
    DWORD size = static_cast<DWORD>(bytes.size());
    DWORD type = REG_NONE;
    const LONG rc = RegQueryValueExW(handle, valueName, nullptr, &type, bytes.data(), &size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
    value = TextOf(bytes, size);
    return 1;
}

int ArxRegedit::Arx_SetValueToReg(const ACHAR* key, const ACHAR* valueName, const ACHAR* value) {
    if (key == nullptr || valueName == nullptr) return 0;
    HKEY handle = OpenUserKey(key);
    if (handle == nullptr) return 0;
    const std::wstring text = value != nullptr ? value : L"";
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const LONG rc = RegSetValueExW(handle, valueName, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()), size);
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS ? 1 : 0;
}

int ArxSystemVar::Arx_getSysVar(const ACHAR* name, int& value) {
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM) return 0;
    if (rb.restype == RTSHORT)
        value = rb.resval.rint;
    else if (rb.restype == RTLONG)
        value = rb.resval.rlong;
    else {
        if (rb.restype == RTSTR) acutDelString(rb.resval.rstring);
        return 0;
    }
    return 1;
}

int ArxSystemVar::Arx_setSysVar(const ACHAR* name, int value) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return acedSetVar(name, &rb) == RTNORM ? 1 : 0;
}
