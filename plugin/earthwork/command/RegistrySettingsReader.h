// The pane calculations' settings as the plug-in stores them: string values
// under the product's registry key, read through the suite's helper module.
#pragma once

#include <set>
#include <string>

#include "SettingsReader.h"

// One reader serves one command run: a user formula that is empty or fails
// is told once per run, naming the setting.
class RegistrySettingsReader : public SettingsReader {
public:
    std::optional<std::wstring> value(const std::wstring& name) const override;
    void formulaFailed(const std::wstring& setting, const std::wstring& error) const override;

private:
    mutable std::set<std::wstring> mTold;
};
