// Values of a site outline ("场区") and of a slope ("边坡"). Each operation
// opens the entity, reads or rewrites its values and closes it again.
// Readers are true when the key was present; writers when the write took.
#pragma once

#include <string>

#include "dbmain.h"

// "场区编号"; "1" when missing.
bool GetFieldNumber(AcDbObjectId site, std::wstring& number);
// "场区类型" ("外框" outer outline, "内框" hole); "外框" when missing.
bool GetFieldType(AcDbObjectId site, std::wstring& type);
// "方格角度", radians as text; "0.0" when missing.
bool GetPaneAngle(AcDbObjectId site, std::wstring& angle);
// "方格间距"; empty when missing.
bool GetPaneSpacing(AcDbObjectId site, std::wstring& spacing);

// "场区填方量" and "场区挖方量" in the elevation precision.
bool SetFieldVolumes(AcDbObjectId site, double fill, double cut);

// Marks the outer outline "外框" and each inner outline "内框", all with the
// site number. True when any write took; an inner outline that cannot be
// opened is skipped.
bool SetFieldOutlines(AcDbObjectId outer, const AcDbObjectIdArray& inners, const ACHAR* number);

// The slope's "填方量" and "挖方量" (both 0 first); true when either is present.
bool GetSlopeVolumes(AcDbObjectId slope, double& fill, double& cut);
