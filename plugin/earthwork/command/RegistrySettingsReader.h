// The settings of one earthwork run: the registry (RegistrySettings) read once
// per run, and the messages about user formulas that are empty or fail.
#pragma once

#include <map>
#include <set>
#include <string>

#include "RegistrySettings.h"

// One reader serves one command run, in which only the run itself changes the
// settings: each is read from the registry once and then remembered, and a
// user formula that is empty or fails is told once per run, naming the setting.
class RegistrySettingsReader : public RegistrySettings {
  public:
    std::optional<std::wstring> value(const std::wstring& name) const override;
    void write(const std::wstring& name, const std::wstring& text) override;
    void formulaFailed(const std::wstring& setting, const std::wstring& error) const override;

  private:
    mutable std::map<std::wstring, std::optional<std::wstring>> mRead;
    mutable std::set<std::wstring> mTold;
};
