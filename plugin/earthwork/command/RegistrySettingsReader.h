// The pane calculations' settings as the plug-in stores them: string values
// under the product's registry key, read through the suite's helper module.
#pragma once

#include "SettingsReader.h"

class RegistrySettingsReader : public SettingsReader {
public:
    std::optional<std::wstring> value(const std::wstring& name) const override;
};
