#include "Registry.h"

#include "winreg_standin.h"

namespace setup {
namespace {

// Values are read into a buffer of this size; a longer value is not found.
constexpr DWORD kValueBufferSize = 2048;

HKEY RootKey(Root root) {
    return root == Root::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Creates or opens `key` for writing; null when that fails.
HKEY OpenForWriting(Root root, const std::string& key) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    const LONG status =
        RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &handle, &disposition);
    return status == ERROR_SUCCESS ? handle : nullptr;
}

}  // namespace

std::optional<std::string> SystemRegistry::ReadString(Root root, const std::string& key,
                                                      const std::string& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &handle) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // One byte more than the value may fill, so that the text always ends.
    char buffer[kValueBufferSize + 1] = {};
    DWORD size = kValueBufferSize;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                         reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::string(buffer);
}

void SystemRegistry::WriteString(Root root, const std::string& key, const std::string& name,
                                 const std::string& text) {
    HKEY handle = OpenForWriting(root, key);
    if (!handle) return;
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
}

void SystemRegistry::WriteDword(Root root, const std::string& key, const std::string& name,
                                unsigned value) {
    HKEY handle = OpenForWriting(root, key);
    if (!handle) return;
    const DWORD data = value;
    RegSetValueExA(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
    RegCloseKey(handle);
}

}  // namespace setup
