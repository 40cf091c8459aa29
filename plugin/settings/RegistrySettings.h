// The plug-in's settings as the plug-in stores them: string values under the
// product's registry key, read and written through the suite's helper module.
// Commands read every setting through these functions; the rows of
// SettingsTable.h give each one's default and write-back.
#pragma once

#include <string>

#include "SettingsReader.h"

class RegistrySettings : public SettingsStore {
  public:
    std::optional<std::wstring> value(const std::wstring& name) const override;
    void write(const std::wstring& name, const std::wstring& text) override;
};

// The setting's text, its default when the stored text gives way to it
// (written back when its row says so).
std::wstring ReadSetting(Setting setting);
// The same text as a number ("_wtoi", "_wtof"): colours, modes, heights.
int ReadIntegerSetting(Setting setting);
double ReadRealSetting(Setting setting);

// Stores the user's choice of a setting.
void WriteSetting(Setting setting, const std::wstring& text);

// The printf format of numbers stored with a decimals setting (PrecisionFormat),
// read anew on every call, its number of decimals, and a value formatted with it.
std::wstring GetPrecisionFormat(Setting setting);
int GetPrecisionDecimals(Setting setting);
std::wstring FormatWithPrecision(Setting setting, double value);
