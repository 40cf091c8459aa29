#include "DataSettings.h"

#include <algorithm>

#include "ArxHelpers.h"
#include "DataNames.h"
#include "wcrt.h"

namespace {

constexpr const ACHAR* kDefaultPrecision = L"2";
// A negative count would make the format invalid; more than 16 decimals
// adds only noise to a 64-bit real and soon exceeds the 255 bytes one
// extended-data string can hold.
constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 16;

}  // namespace

int GetPrecisionDecimals(const ACHAR* settingName) {
    std::wstring text;
    if (ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, settingName, text) == 0)
        text = kDefaultPrecision;
    return std::clamp(_wtoi(text.c_str()), kMinDecimals, kMaxDecimals);
}

std::wstring GetPrecisionFormat(const ACHAR* settingName) {
    return wcrtFormat(L"%%0.%df", GetPrecisionDecimals(settingName));
}

std::wstring FormatWithPrecision(const ACHAR* settingName, double value) {
    return wcrtFormat(GetPrecisionFormat(settingName).c_str(), value);
}

std::wstring GetElevationPointLayer() {
    std::wstring layer;
    ArxRegedit::Arx_GetValueToReg(kQuarnSettingsKey, kPointLayerSetting, layer);
    if (!layer.empty()) return layer;
    ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, kPointLayerSetting, kDefaultPointLayer);
    return kDefaultPointLayer;
}
