// The corner texts: the stored layer-1 elevation written as a text at each
// corner of a pane.
#pragma once

#include <optional>
#include <string>

#include "FieldData.h"
#include "PointList.h"
#include "dbmain.h"

// What the corner texts of one site share: the settings, read when its first
// text is written and then kept for the rest of the site.
class SiteCornerTexts {
  public:
    int decimals();  // of the elevations' precision
    int colour();
    // The annotation style; looked up again after a failed lookup.
    AcDbObjectId style();

  private:
    std::optional<int> mDecimals;
    std::optional<int> mColour;
    AcDbObjectId mStyle;
};

// Writes the stored layer-1 value of every corner not yet in annotatedCorners
// as a text (height, rotation angle in radians) on the layer
// "场区<n>方格标高标注", n being the pane's site number (siteNumber when the
// pane has none), and adds the corner to annotatedCorners. `stored`, when
// given, is what the pane's number and lists read now; else they are read.
void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         PointList& annotatedCorners, const std::wstring& siteNumber,
                         SiteCornerTexts& look, const PaneCornerLists* stored = nullptr);
