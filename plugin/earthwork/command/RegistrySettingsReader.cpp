#include "RegistrySettingsReader.h"

#include "aced.h"
#include "wcrt.h"

std::optional<std::wstring> RegistrySettingsReader::value(const std::wstring& name) const {
    auto known = mRead.find(name);
    if (known != mRead.end()) return known->second;
    std::optional<std::wstring> read = RegistrySettings::value(name);
    mRead.emplace(name, read);
    return read;
}

// A value written back during the run (a default the table writes back) is
// what later reads of the run must see.
void RegistrySettingsReader::write(const std::wstring& name, const std::wstring& text) {
    RegistrySettings::write(name, text);
    mRead[name] = text;
}

void RegistrySettingsReader::formulaFailed(const std::wstring& setting,
                                           const std::wstring& error) const {
    if (!mTold.insert(setting).second) return;
    if (error.empty())
        acutPrintf(L"\n土方公式%s为空!", setting.c_str());
    else
        acutPrintf(L"\n土方公式%s计算出错:%s", setting.c_str(), wcrtTrim(error).c_str());
}
