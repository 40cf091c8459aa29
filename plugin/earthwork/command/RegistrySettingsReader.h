// The settings of one earthwork run: the registry (RegistrySettings), and the
// messages about user formulas that are empty or fail.
#pragma once

#include <set>
#include <string>

#include "RegistrySettings.h"

// One reader serves one command run: a user formula that is empty or fails
// is told once per run, naming the setting.
class RegistrySettingsReader : public RegistrySettings {
  public:
    void formulaFailed(const std::wstring& setting, const std::wstring& error) const override;

  private:
    mutable std::set<std::wstring> mTold;
};
