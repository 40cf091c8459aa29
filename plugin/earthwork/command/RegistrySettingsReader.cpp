#include "RegistrySettingsReader.h"

#include "ArxHelpers.h"
#include "aced.h"
#include "wcrt.h"

std::optional<std::wstring> RegistrySettingsReader::value(const std::wstring& name) const {
    std::wstring text;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name.c_str(), text) == 0)
        return std::nullopt;
    return text;
}

void RegistrySettingsReader::formulaFailed(const std::wstring& setting, const std::wstring& error) const {
    if (!mTold.insert(setting).second) return;
    if (error.empty())
        acutPrintf(L"\n土方公式%s为空!", setting.c_str());
    else
        acutPrintf(L"\n土方公式%s计算出错:%s", setting.c_str(), wcrtTrim(error).c_str());
}
