// Reading the plug-in's string settings. The pane calculations read their
// settings afresh for every pane through SettingsReader, so they run without a
// registry in tests and tools; the plug-in hands in the registry
// (RegistrySettings.h). Defaults and write-back come from the settings table.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "SettingsTable.h"

class SettingsReader {
  public:
    virtual ~SettingsReader() = default;
    // The stored text of the named setting, or nothing when it is not set.
    virtual std::optional<std::wstring> value(const std::wstring& name) const = 0;
    // Told by the calculations when a user formula setting they use is empty
    // (`error` empty) or stops the evaluator (`error` its error text); the
    // volume is still the one the formula gives. Ignored unless overridden.
    virtual void formulaFailed(const std::wstring& setting, const std::wstring& error) const {
        (void)setting;
        (void)error;
    }
};

// A reader that can also store, so that defaults can be written back.
class SettingsStore : public SettingsReader {
  public:
    virtual void write(const std::wstring& name, const std::wstring& text) = 0;
};

// Settings held in memory: for tests, tools and callers that already hold values.
class MapSettingsReader : public SettingsStore {
  public:
    MapSettingsReader() = default;
    explicit MapSettingsReader(std::map<std::wstring, std::wstring> values);

    std::optional<std::wstring> value(const std::wstring& name) const override;
    void write(const std::wstring& name, const std::wstring& text) override;
    void set(const std::wstring& name, const std::wstring& text);
    void erase(const std::wstring& name);

  private:
    std::map<std::wstring, std::wstring> mValues;
};

// The setting's text: the stored one, or the row's default when the stored
// text gives way to it (the row's Fallback). Never writes.
std::wstring SettingText(const SettingsReader& settings, Setting setting);

// As SettingText, and when the default is used and the row says so, the
// default is stored, so that the user finds it among the settings.
std::wstring ReadSetting(SettingsStore& settings, Setting setting);

// The number of decimals of a decimals setting: its leading integer ("_wtoi":
// 0 for a text that is not a number) within 0 ... 16.
int PrecisionDecimals(const SettingsReader& settings, Setting setting);

// The printf format of numbers stored with a decimals setting: "%0.nf", n its
// PrecisionDecimals.
std::wstring PrecisionFormat(const SettingsReader& settings, Setting setting);
