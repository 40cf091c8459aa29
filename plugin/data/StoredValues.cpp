#include "StoredValues.h"

#include <cmath>
#include <cwchar>

#include "XdataStore.h"
#include "wcrt.h"

bool IsNumberText(const std::wstring& text) {
    const std::wstring trimmed = wcrtTrim(text);
    if (trimmed.empty()) return false;
    wchar_t* end = nullptr;
    const double value = std::wcstod(trimmed.c_str(), &end);
    return end == trimmed.c_str() + trimmed.size() && std::isfinite(value);
}

StoredNumber MakeStoredNumber(const std::wstring& key, const std::wstring& text) {
    return {key, text, _wtof(text.c_str()), IsNumberText(text)};
}

std::optional<StoredNumber> GetStoredNumber(AcDbObjectId id, const ACHAR* app, const ACHAR* key) {
    std::wstring text;
    if (!ReadText(id, app, key, text, L"")) return std::nullopt;
    return MakeStoredNumber(key, text);
}
