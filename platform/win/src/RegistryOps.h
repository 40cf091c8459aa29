// The registry operations on wide names and on value data in its stored form
// (strings as UTF-16LE). The "W" and "A" functions convert their arguments
// and call these.
#pragma once

#ifndef _WIN32

#include <cstdint>
#include <string>
#include <vector>

#include "RegistryTree.h"
#include "winreg_standin.h"

namespace winreg {

bool IsStringType(DWORD type);

LONG CreateKey(HKEY base, const std::wstring& subKey, PHKEY result, LPDWORD disposition);
LONG OpenKey(HKEY base, const std::wstring& subKey, PHKEY result);
LONG QueryValue(HKEY key, const std::wstring& name, RegValue& value);
LONG SetValue(HKEY key, const std::wstring& name, DWORD type, std::vector<std::uint8_t> data);
LONG DeleteValue(HKEY key, const std::wstring& name);
LONG DeleteKey(HKEY base, const std::wstring& subKey);
LONG CloseKey(HKEY key);

// Hands out value data as RegQueryValueEx does: the size is always reported,
// the data only when the buffer holds it (ERROR_MORE_DATA otherwise).
LONG CopyValueOut(const std::vector<std::uint8_t>& bytes, DWORD type, LPDWORD typeOut, LPBYTE data,
                  LPDWORD dataSize);

// Runs an operation so that no exception leaves the registry functions.
template <typename Operation>
LONG Guarded(Operation operation) {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (...) {
        return ERROR_GEN_FAILURE;
    }
}

}  // namespace winreg

#endif
