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
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return fold(x) == fold(y); });
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
        names.push_back(
            text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (names.back().empty()) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

bool RegNameOrder::operator()(const std::wstring& a, const std::wstring& b) const {
    return RegNameLess(a, b);
}

namespace {

// The first subkey not ordered before the name.
template <typename Keys>
auto subkeyPlace(Keys& subkeys, const std::wstring& name) {
    return std::lower_bound(
        subkeys.begin(), subkeys.end(), name,
        [](const RegKey& key, const std::wstring& n) { return RegNameLess(key.name, n); });
}

}  // namespace

RegKey* RegKey::FindSubkey(const std::wstring& subkeyName) {
    const auto it = subkeyPlace(subkeys, subkeyName);
    return it != subkeys.end() && RegNamesEqual(it->name, subkeyName) ? &*it : nullptr;
}

const RegKey* RegKey::FindSubkey(const std::wstring& subkeyName) const {
    return const_cast<RegKey*>(this)->FindSubkey(subkeyName);
}

RegKey& RegKey::SubkeyOrNew(const std::wstring& subkeyName, bool* created) {
    if (created != nullptr) *created = false;
    const auto place = subkeyPlace(subkeys, subkeyName);
    if (place != subkeys.end() && RegNamesEqual(place->name, subkeyName)) return *place;
    if (created != nullptr) *created = true;
    RegKey key;
    key.name = subkeyName;
    return *subkeys.insert(place, std::move(key));
}

bool RegKey::RemoveSubkey(const std::wstring& subkeyName) {
    const auto it = subkeyPlace(subkeys, subkeyName);
    if (it == subkeys.end() || !RegNamesEqual(it->name, subkeyName)) return false;
    subkeys.erase(it);
    return true;
}

const RegValue* RegKey::FindValue(const std::wstring& valueName) const {
    const auto it = valueIndex.find(valueName);
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

// A value set again keeps its place and the case of its first name, as on
// Windows.
void RegKey::SetValue(RegValue value) {
    const auto it = valueIndex.find(value.name);
    if (it != valueIndex.end()) {
        values[it->second].type = value.type;
        values[it->second].data = std::move(value.data);
        return;
    }
    valueIndex.emplace(value.name, values.size());
    values.push_back(std::move(value));
}

bool RegKey::RemoveValue(const std::wstring& valueName) {
    const auto it = valueIndex.find(valueName);
    if (it == valueIndex.end()) return false;
    const size_t place = it->second;
    valueIndex.erase(it);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(place));
    for (auto& [name, index] : valueIndex)
        if (index > place) --index;
    return true;
}

void RegKey::InsertValue(size_t place, RegValue value) {
    for (auto& [name, index] : valueIndex)
        if (index >= place) ++index;
    valueIndex.emplace(value.name, place);
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(place), std::move(value));
}

}  // namespace winreg

#endif
