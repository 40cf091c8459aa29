#include "RegistrySettingsReader.h"

#include "ArxHelpers.h"

std::optional<std::wstring> RegistrySettingsReader::value(const std::wstring& name) const {
    auto known = mRead.find(name);
    if (known != mRead.end()) return known->second;
    std::wstring text;
    std::optional<std::wstring> read;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name.c_str(), text) != 0) read = text;
    mRead.emplace(name, read);
    return read;
}
