#include "ShadeButton.h"

namespace {
// The system's 3-D colours the shades are made of.
constexpr COLORREF k3dHighlight = RGB(255, 255, 255);
constexpr COLORREF k3dFace = RGB(240, 240, 240);
constexpr COLORREF k3dShadow = RGB(160, 160, 160);
constexpr COLORREF k3dSoftShadow = RGB(205, 205, 205);
}  // namespace

void CxShadeButton::SetShade(int shadeStyle, int granularity, int highlight) {
    mShade = shadeStyle;
    mGranularity = granularity;
    mHighlight = highlight;
}

bool CxShadeButton::GetFace(CButtonFace& face) const {
    face.light = k3dHighlight;
    face.face = k3dFace;
    // A soft bump falls off to a lighter shadow than a hard one.
    face.shadow = mShade == SHS_SOFTBUMP ? k3dSoftShadow : k3dShadow;
    face.granularity = mGranularity;
    face.highlight = mHighlight;
    return true;
}
