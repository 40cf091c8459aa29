// The registry's keys and values in memory. A key's subkeys are kept sorted
// without regard to case, as Windows keeps them; values keep the order in
// which they were first set. Names compare without regard to case and keep
// the case they were created with.
#pragma once

#ifndef _WIN32

#include <cstdint>
#include <string>
#include <vector>

namespace winreg {

// Value data as Windows stores it: strings (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) as UTF-16LE bytes, numbers little-endian.
struct RegValue {
    std::wstring name;  // empty: the key's default value, "@" in the file
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

struct RegKey {
    std::wstring name;
    std::vector<RegValue> values;
    std::vector<RegKey> subkeys;

    RegKey* FindSubkey(const std::wstring& subkeyName);
    const RegKey* FindSubkey(const std::wstring& subkeyName) const;
    // The subkey of that name, created in sorted place when missing.
    RegKey& SubkeyOrNew(const std::wstring& subkeyName, bool* created = nullptr);
    bool RemoveSubkey(const std::wstring& subkeyName);

    const RegValue* FindValue(const std::wstring& valueName) const;
    void SetValue(RegValue value);
    bool RemoveValue(const std::wstring& valueName);
};

// The predefined root keys, in the order of their handle numbers.
struct RegRoot {
    const wchar_t* name;
    std::uintptr_t handle;
};
extern const RegRoot kRegRoots[4];

struct RegistryTree {
    RegKey roots[4];  // indexed like kRegRoots

    RegistryTree();
};

// Index into kRegRoots of a root name (case-insensitive), -1 when unknown.
int RegRootIndex(const std::wstring& name);

bool RegNamesEqual(const std::wstring& a, const std::wstring& b);
bool RegNameLess(const std::wstring& a, const std::wstring& b);

// Splits "A\B\C" into its names; false when a name is empty ("A\\B", "\A").
// One trailing backslash is allowed.
bool SplitRegPath(const std::wstring& path, std::vector<std::wstring>& names);

}  // namespace winreg

#endif
