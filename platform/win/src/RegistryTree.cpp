#ifndef _WIN32

#include "RegistryTree.h"

#include <algorithm>
#include <cwctype>

namespace winreg {

const RegRoot kRegRoots[4] = {
    {L"HKEY_CLASSES_ROOT", 0x80000000u},
    {L"HKEY_CURRENT_USER", 0x80000001u},
    {L"HKEY_LOCAL_MACHINE", 0x80000002u},
    {L"HKEY_USERS", 0x80000003u},
};

namespace {

wint_t fold(wchar_t c) { return std::towupper(static_cast<wint_t>(c)); }

}  // namespace

bool RegNamesEqual(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return fold(x) == fold(y);
           });
}

bool RegNameLess(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return fold(x) < fold(y); });
}

RegistryTree::RegistryTree() {
    for (size_t i = 0; i < 4; ++i) roots[i].name = kRegRoots[i].name;
}

int RegRootIndex(const std::wstring& name) {
    for (int i = 0; i < 4; ++i) {
        if (RegNamesEqual(name, kRegRoots[i].name)) return i;
    }
    return -1;
}

bool SplitRegPath(const std::wstring& path, std::vector<std::wstring>& names) {
    names.clear();
    std::wstring text = path;
    if (!text.empty() && text.back() == L'\\') text.pop_back();
    if (text.empty()) return path.empty();
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L'\\', start);
        names.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (names.back().empty()) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

RegKey* RegKey::FindSubkey(const std::wstring& subkeyName) {
    for (RegKey& key : subkeys) {
        if (RegNamesEqual(key.name, subkeyName)) return &key;
    }
    return nullptr;
}

const RegKey* RegKey::FindSubkey(const std::wstring& subkeyName) const {
    return const_cast<RegKey*>(this)->FindSubkey(subkeyName);
}

RegKey& RegKey::SubkeyOrNew(const std::wstring& subkeyName, bool* created) {
    if (created != nullptr) *created = false;
    if (RegKey* existing = FindSubkey(subkeyName)) return *existing;
    if (created != nullptr) *created = true;
    const auto place = std::lower_bound(subkeys.begin(), subkeys.end(), subkeyName,
                                        [](const RegKey& key, const std::wstring& n) { return RegNameLess(key.name, n); });
    RegKey key;
    key.name = subkeyName;
    return *subkeys.insert(place, std::move(key));
}

bool RegKey::RemoveSubkey(const std::wstring& subkeyName) {
    const auto it = std::find_if(subkeys.begin(), subkeys.end(),
                                 [&](const RegKey& key) { return RegNamesEqual(key.name, subkeyName); });
    if (it == subkeys.end()) return false;
    subkeys.erase(it);
    return true;
}

const RegValue* RegKey::FindValue(const std::wstring& valueName) const {
    for (const RegValue& value : values) {
        if (RegNamesEqual(value.name, valueName)) return &value;
    }
    return nullptr;
}

// A value set again keeps its place and the case of its first name, as on
// Windows.
void RegKey::SetValue(RegValue value) {
    for (RegValue& existing : values) {
        if (!RegNamesEqual(existing.name, value.name)) continue;
        existing.type = value.type;
        existing.data = std::move(value.data);
        return;
    }
    values.push_back(std::move(value));
}

bool RegKey::RemoveValue(const std::wstring& valueName) {
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const RegValue& value) { return RegNamesEqual(value.name, valueName); });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

}  // namespace winreg

#endif
