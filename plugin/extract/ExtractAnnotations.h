// Annotations of an extracted layer drawing: at each pane corner an elevation
// dimension (natural elevation = upper layer, design elevation = lower
// layer, and their difference), and at each pane's centre its fill ("T=")
// and cut ("W=") volume. Layers are formed with the new site's number N.
#pragma once

#include <span>
#include <string>

#include "dbmain.h"

// The three texts of a corner's dimension in the elevation precision; the
// difference is design − natural.
struct ElevationDimTexts {
    std::wstring natural, design, difference;
};
ElevationDimTexts FormatElevationDim(double natural, double design);

// One AcDbPtEleDim at the corner on "场区<N>方格标高标注", its texts on
// "场区<N>自然标注", "场区<N>设计标注" and "场区<N>差值标注" in the colours
// DimPtEleColor, DimPtDesignEleColor and DimPtVarEleColor. A height of 0
// takes the TextHeight setting. The drawing's current layer and text style
// are what they were before.
void DrawCornerElevationDim(const std::wstring& siteNumber, double natural, double design,
                            const AcGePoint3d& corner, double angle, double height);

// The texts shown for a pane's volumes in the annotation precision: a volume
// above 1e-7 is shown, a side without volume is not; when neither side has
// any, both are shown (as zeros), so every pane says what it holds.
struct FillCutTexts {
    std::wstring fill, cut;  // empty: not shown
};
FillCutTexts FormatFillCut(double fill, double cut);

// The pane's stored "填方量"/"挖方量" as texts at its centre (corners without
// a closing repeat; see VolumeTextPosition). Fewer than three corners: none.
void AnnotatePaneEarthwork(AcDbObjectId pane, const std::wstring& siteNumber,
                           std::span<const AcGePoint3d> corners, double angle, double height);

// Where the texts go: with both, "T=" 0.7·height across the grid direction
// above the centre and "W=" as far below; a single text at the centre.
struct FillCutPlaces {
    AcGePoint3d fill, cut;
};
FillCutPlaces PlaceFillCut(const FillCutTexts& texts, const AcGePoint3d& centre, double angle,
                           double height);

// "T=<fill>" on "场区<N>填方标注" and "W=<cut>" on "场区<N>挖方标注" (both
// layers made when missing, in the colours FieldTuFFillColor and
// FieldTuFDigColor); empty texts are left out.
void DrawFillCutTexts(const std::wstring& siteNumber, const FillCutTexts& texts,
                      const AcGePoint3d& centre, double angle, double height);
