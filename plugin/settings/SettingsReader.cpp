#include "SettingsReader.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "wcrt.h"

namespace {

// A negative count would make the format invalid; more than 16 decimals
// adds only noise to a 64-bit real and soon exceeds the 255 bytes one
// extended-data string can hold.
constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 16;

// The stored text as the row's Fallback reads it, nothing when the default applies.
std::optional<std::wstring> Effective(const SettingRow& row, std::optional<std::wstring> stored) {
    if (!stored) return std::nullopt;
    switch (row.fallbackWhen) {
        case Fallback::WhenMissing:
            return stored;
        case Fallback::WhenEmpty:
            return stored->empty() ? std::nullopt : stored;
        case Fallback::WhenBlank: {
            std::wstring trimmed = wcrtTrim(*stored);
            if (trimmed.empty()) return std::nullopt;
            return trimmed;
        }
    }
    return stored;
}

}  // namespace

MapSettingsReader::MapSettingsReader(std::map<std::wstring, std::wstring> values)
    : mValues(std::move(values)) {}

std::optional<std::wstring> MapSettingsReader::value(const std::wstring& name) const {
    auto it = mValues.find(name);
    if (it == mValues.end()) return std::nullopt;
    return it->second;
}

void MapSettingsReader::write(const std::wstring& name, const std::wstring& text) {
    set(name, text);
}

void MapSettingsReader::set(const std::wstring& name, const std::wstring& text) {
    mValues[name] = text;
}

void MapSettingsReader::erase(const std::wstring& name) { mValues.erase(name); }

std::wstring SettingText(const SettingsReader& settings, Setting setting) {
    const SettingRow& row = RowOf(setting);
    return Effective(row, settings.value(row.name)).value_or(row.fallback);
}

std::wstring ReadSetting(SettingsStore& settings, Setting setting) {
    const SettingRow& row = RowOf(setting);
    if (auto text = Effective(row, settings.value(row.name))) return *text;
    if (row.writeBack == WriteBack::Default) settings.write(row.name, row.fallback);
    return row.fallback;
}

int PrecisionDecimals(const SettingsReader& settings, Setting setting) {
    assert(RowOf(setting).type == SettingType::Decimals);
    const std::wstring text = SettingText(settings, setting);
    return std::clamp(_wtoi(text.c_str()), kMinDecimals, kMaxDecimals);
}

std::wstring PrecisionFormat(const SettingsReader& settings, Setting setting) {
    return wcrtFormat(L"%%0.%df", PrecisionDecimals(settings, setting));
}
