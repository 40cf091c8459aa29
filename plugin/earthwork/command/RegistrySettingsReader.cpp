#include "RegistrySettingsReader.h"

#include "ArxHelpers.h"
#include "aced.h"
#include "wcrt.h"

std::optional<std::wstring> RegistrySettingsReader::value(const std::wstring& name) const {
    auto known = mRead.find(name);
    if (known != mRead.end()) return known->second;
    std::wstring text;
    std::optional<std::wstring> read;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name.c_str(), text) != 0) read = text;
    mRead.emplace(name, read);
    return read;
}

void RegistrySettingsReader::formulaFailed(const std::wstring& setting, const std::wstring& error) const {
    if (!mTold.insert(setting).second) return;
    if (error.empty())
        acutPrintf(L"\n土方公式%s为空!", setting.c_str());
    else
        acutPrintf(L"\n土方公式%s计算出错:%s", setting.c_str(), wcrtTrim(error).c_str());
}
