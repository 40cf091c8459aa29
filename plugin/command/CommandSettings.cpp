#include "CommandSettings.h"

#include "ArxHelpers.h"
#include "wcrt.h"

std::wstring ReadSetting(const ACHAR* name, const ACHAR* fallback, bool writeBack) {
    std::wstring value;
    ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, name, value);
    if (!value.empty()) return value;
    if (writeBack) ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, name, fallback);
    return fallback;
}

int ReadColourSetting(const ACHAR* name, const ACHAR* fallback) {
    return _wtoi(ReadSetting(name, fallback, true).c_str());
}
