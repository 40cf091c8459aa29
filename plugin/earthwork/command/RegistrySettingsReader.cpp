#include "RegistrySettingsReader.h"

#include "ArxHelpers.h"

std::optional<std::wstring> RegistrySettingsReader::value(const std::wstring& name) const {
    std::wstring text;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name.c_str(), text) == 0)
        return std::nullopt;
    return text;
}
