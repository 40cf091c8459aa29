#include "SettingsReader.h"

#include <utility>

MapSettingsReader::MapSettingsReader(std::map<std::wstring, std::wstring> values)
    : mValues(std::move(values)) {}

std::optional<std::wstring> MapSettingsReader::value(const std::wstring& name) const {
    auto it = mValues.find(name);
    if (it == mValues.end()) return std::nullopt;
    return it->second;
}

void MapSettingsReader::set(const std::wstring& name, const std::wstring& text) {
    mValues[name] = text;
}

void MapSettingsReader::erase(const std::wstring& name) { mValues.erase(name); }
