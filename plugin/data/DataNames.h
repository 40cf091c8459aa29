// Names under which the suite keeps site, pane and slope data in the drawing:
// the extended-data applications, their keys and the per-site layer name
// formats.
#pragma once

#include "adesk.h"

// Extended-data applications.
inline constexpr const ACHAR* kFieldApp = L"场区";
inline constexpr const ACHAR* kPaneApp = L"方格";
inline constexpr const ACHAR* kSlopeApp = L"边坡";

// Site keys ("场区").
inline constexpr const ACHAR* kFieldNumberKey = L"场区编号";
inline constexpr const ACHAR* kFieldTypeKey = L"场区类型";
inline constexpr const ACHAR* kPaneAngleKey = L"方格角度";
inline constexpr const ACHAR* kPaneSpacingKey = L"方格间距";
inline constexpr const ACHAR* kFieldFillKey = L"场区填方量";
inline constexpr const ACHAR* kFieldCutKey = L"场区挖方量";
inline constexpr const ACHAR* kOuterOutline = L"外框";
inline constexpr const ACHAR* kInnerOutline = L"内框";

// Pane keys ("方格"); the site number key is shared with the site.
inline constexpr const ACHAR* kPaneMarkKey = L"方格类";
inline constexpr const ACHAR* kPaneMarkValue = L"是";
inline constexpr const ACHAR* kPaneNumberKey = L"方格编号";
inline constexpr const ACHAR* kPaneRowKey = L"行数";
inline constexpr const ACHAR* kPaneColumnKey = L"列数";
inline constexpr const ACHAR* kFillVolumeKey = L"填方量";  // also a slope key
inline constexpr const ACHAR* kCutVolumeKey = L"挖方量";   // also a slope key
inline constexpr const ACHAR* kFillAreaKey = L"填方面积";
inline constexpr const ACHAR* kCutAreaKey = L"挖方面积";
inline constexpr const ACHAR* kFillFormulaKey = L"填方公式";
inline constexpr const ACHAR* kFillProcessKey = L"填方过程";
inline constexpr const ACHAR* kCutFormulaKey = L"挖方公式";
inline constexpr const ACHAR* kCutProcessKey = L"挖方过程";
// Stems of the numbered pane lists: the stem followed by the item number.
inline constexpr const ACHAR* kNaturalElevationStem = L"点自然标高";
inline constexpr const ACHAR* kDesignElevationStem = L"点设计标高";
inline constexpr const ACHAR* kLayerFillStem = L"填方组";
inline constexpr const ACHAR* kLayerCutStem = L"挖方组";
// Layer elevations of corner i: "标高组" + i + "_" + layer.
inline constexpr const ACHAR* kCornerLayerStem = L"标高组";

// Per-site layers, formed with the site number.
inline constexpr const ACHAR* kPaneLayerFormat = L"场区%s%s";  // number, "方格"
inline constexpr const ACHAR* kCornerTextLayerFormat = L"场区%s方格标高标注";
inline constexpr const ACHAR* kFillTextLayerFormat = L"场区%s填方标注";
inline constexpr const ACHAR* kCutTextLayerFormat = L"场区%s挖方标注";
