#include "SiteData.h"

#include "DataNames.h"
#include "RegistrySettings.h"
#include "XdataStore.h"

bool GetFieldNumber(AcDbObjectId site, std::wstring& number) {
    return ReadText(site, kFieldApp, kFieldNumberKey, number, L"1");
}

bool GetFieldType(AcDbObjectId site, std::wstring& type) {
    return ReadText(site, kFieldApp, kFieldTypeKey, type, kOuterOutline);
}

bool GetPaneAngle(AcDbObjectId site, std::wstring& angle) {
    return ReadText(site, kFieldApp, kPaneAngleKey, angle, L"0.0");
}

bool GetPaneSpacing(AcDbObjectId site, std::wstring& spacing) {
    return ReadText(site, kFieldApp, kPaneSpacingKey, spacing, L"");
}

bool SetFieldVolumes(AcDbObjectId site, double fill, double cut) {
    if (RefuseNonFinite({fill, cut})) return false;
    return WriteTexts(site, kFieldApp,
                      {{kFieldFillKey, FormatWithPrecision(Setting::ElevationPrecision, fill)},
                       {kFieldCutKey, FormatWithPrecision(Setting::ElevationPrecision, cut)}});
}

bool SetFieldOutlines(AcDbObjectId outer, const AcDbObjectIdArray& inners, const ACHAR* number) {
    const std::wstring text = number != nullptr ? number : L"";
    bool any =
        WriteTexts(outer, kFieldApp, {{kFieldTypeKey, kOuterOutline}, {kFieldNumberKey, text}});
    for (int i = 0; i < inners.length(); ++i)
        any = WriteTexts(inners[i], kFieldApp,
                         {{kFieldTypeKey, kInnerOutline}, {kFieldNumberKey, text}}) ||
              any;
    return any;
}

bool GetSlopeVolumes(AcDbObjectId slope, double& fill, double& cut) {
    return ReadRealPair(slope, kSlopeApp, kFillVolumeKey, fill, kCutVolumeKey, cut);
}
