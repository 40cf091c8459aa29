#include "RegistrySettings.h"

#include "ArxHelpers.h"
#include "wcrt.h"

std::optional<std::wstring> RegistrySettings::value(const std::wstring& name) const {
    std::wstring text;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name.c_str(), text) == 0)
        return std::nullopt;
    return text;
}

void RegistrySettings::write(const std::wstring& name, const std::wstring& text) {
    ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, name.c_str(), text.c_str());
}

std::wstring ReadSetting(Setting setting) {
    RegistrySettings registry;
    return ReadSetting(registry, setting);
}

int ReadIntegerSetting(Setting setting) { return _wtoi(ReadSetting(setting).c_str()); }

double ReadRealSetting(Setting setting) { return _wtof(ReadSetting(setting).c_str()); }

void WriteSetting(Setting setting, const std::wstring& text) {
    RegistrySettings().write(RowOf(setting).name, text);
}

std::wstring GetPrecisionFormat(Setting setting) {
    return PrecisionFormat(RegistrySettings(), setting);
}

int GetPrecisionDecimals(Setting setting) { return PrecisionDecimals(RegistrySettings(), setting); }

std::wstring FormatWithPrecision(Setting setting, double value) {
    return wcrtFixed(value, GetPrecisionDecimals(setting));
}
