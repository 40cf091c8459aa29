// Layers of the layer drawing extraction, all formed with the
// number of the new site ("1-2" for layer pair 2 of site 1).
#pragma once

#include "adesk.h"

// The new site's number: the source site's number and the layer pair.
inline constexpr const ACHAR* kNewSiteNumberFormat = L"%s-%d";

// Outline layer: the FieldLayer setting followed by the site number.
// New panes lie on "场区" + number + "方格", where the site's panes are found.
inline constexpr const ACHAR* kPaneLayerStem = L"方格";
// Pane-number labels lie on "场区" + number + PaneLayer + "编号".
inline constexpr const ACHAR* kPaneLabelLayerFormat = L"场区%s%s编号";

// Elevation dimensions at the corners and the layers of their three texts.
inline constexpr const ACHAR* kNaturalTextLayerFormat = L"场区%s自然标注";
inline constexpr const ACHAR* kDesignTextLayerFormat = L"场区%s设计标注";
inline constexpr const ACHAR* kDifferenceTextLayerFormat = L"场区%s差值标注";
