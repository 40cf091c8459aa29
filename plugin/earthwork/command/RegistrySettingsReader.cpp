#include "RegistrySettingsReader.h"

#include "aced.h"
#include "wcrt.h"

void RegistrySettingsReader::formulaFailed(const std::wstring& setting,
                                           const std::wstring& error) const {
    if (!mTold.insert(setting).second) return;
    if (error.empty())
        acutPrintf(L"\n土方公式%s为空!", setting.c_str());
    else
        acutPrintf(L"\n土方公式%s计算出错:%s", setting.c_str(), wcrtTrim(error).c_str());
}
