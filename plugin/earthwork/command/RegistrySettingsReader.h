// The pane calculations' settings as the plug-in stores them: string values
// under the product's registry key, read through the suite's helper module.
#pragma once

#include <map>

#include "SettingsReader.h"

// A reader lives for one command run, in which nothing changes these values:
// each is read from the registry once and then remembered.
class RegistrySettingsReader : public SettingsReader {
public:
    std::optional<std::wstring> value(const std::wstring& name) const override;

private:
    mutable std::map<std::wstring, std::optional<std::wstring>> mRead;
};
