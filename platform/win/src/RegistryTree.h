// The registry's keys and values in memory. A key's subkeys are kept sorted
// without regard to case, as Windows keeps them; values keep the order in
// which they were first set. Names compare without regard to case and keep
// the case they were created with.
#pragma once

#ifndef _WIN32

#include <cstdint>
#include <map>
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

// Windows keeps a key path to at most 512 levels below its root; the limit
// also bounds the recursion of every walk over the tree.
constexpr size_t kMaxRegKeyDepth = 512;

// Orders names as Windows compares them: without regard to case.
struct RegNameOrder {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

// Subkeys are found by binary search, values through an index by name; the
// values themselves stay in the order they were set. Change them only through
// the members below, which keep the index.
struct RegKey {
    std::wstring name;
    std::vector<RegValue> values;
    std::vector<RegKey> subkeys;
    std::map<std::wstring, size_t, RegNameOrder> valueIndex;  // name -> place in values

    RegKey* FindSubkey(const std::wstring& subkeyName);
    const RegKey* FindSubkey(const std::wstring& subkeyName) const;
    // The subkey of that name, created in sorted place when missing.
    RegKey& SubkeyOrNew(const std::wstring& subkeyName, bool* created = nullptr);
    bool RemoveSubkey(const std::wstring& subkeyName);

    const RegValue* FindValue(const std::wstring& valueName) const;
    void SetValue(RegValue value);
    bool RemoveValue(const std::wstring& valueName);
    // Puts a removed value back at its old place.
    void InsertValue(size_t place, RegValue value);
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
