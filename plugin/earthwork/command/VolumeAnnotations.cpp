#include "VolumeAnnotations.h"

#include <cmath>
#include <string>
#include <vector>

#include "AnnotationText.h"
#include "ArxHelpers.h"
#include "FieldData.h"
#include "RegistrySettings.h"
#include "TextStyles.h"
#include "wcrt.h"

namespace {

// Sides that agree to a millimetre are taken as the equal sides of a square.
constexpr double kEqualSide = 0.001;
// Volumes below this are nothing: far below the 0.01 m³ the results show.
constexpr double kNoVolume = 1e-7;
// The quarter turn across the grid as the suite writes it, a little short of
// π/2 (not std::numbers::pi / 2), so that texts land where the suite's do.
constexpr double kAcrossGrid = 1.5707963;

AcGePoint3d Mid(const AcGePoint3d& a, const AcGePoint3d& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

// Text height: a tenth of the grid spacing, or of the distance from the
// outline's last to its first vertex when the site has no spacing; the
// TextHeight setting when that gives 0.
double VolumeTextHeight(AcDbObjectId site) {
    std::wstring spacing;
    double t = 0.0;
    if (GetPaneSpacing(site, spacing)) {
        t = _wtof(spacing.c_str());
    } else {
        AcGePoint3dArray outline;
        ArxPolyline::Arx_TakeAllPLinePtArr(site, outline);
        if (!outline.isEmpty()) t = outline[outline.length() - 1].distanceTo(outline[0]);
    }
    if (t / 10.0 != 0.0) return t / 10.0;
    return ReadRealSetting(Setting::TextHeight);
}

struct VolumeText {
    const ACHAR* layerFormat;
    Setting colour;
    const ACHAR* prefix;
};
const VolumeText kFillText{kFillTextLayerFormat, Setting::FillTextColour, L"T="};
const VolumeText kCutText{kCutTextLayerFormat, Setting::CutTextColour, L"W="};

void WriteText(const VolumeText& kind, int colour, const std::wstring& siteNumber,
               AnnotationText text, const std::wstring& value, AcDbObjectId group) {
    text.text = kind.prefix + value;
    const AcDbObjectId id =
        CreateAnnotationText(wcrtFormat(kind.layerFormat, siteNumber.c_str()), colour, text);
    if (!id.isNull() && !group.isNull()) ArxGroup::Arx_addEntToGroup(id, group);
}

AcGePoint3d Moved(const AcGePoint3d& p, double distance, double direction) {
    return {p.x + distance * std::cos(direction), p.y + distance * std::sin(direction), p.z};
}

}  // namespace

std::optional<AcGePoint3d> VolumeTextPosition(std::span<const AcGePoint3d> v) {
    const size_t n = v.size();
    if (n < 3) return std::nullopt;
    if (n == 3) return Mid(Mid(v[0], v[1]), v[2]);
    auto d = [&](size_t i, size_t j) { return v[i - 1].distanceTo(v[j - 1]); };
    auto equal = [&](double a, double b) { return std::abs(a - b) < kEqualSide; };
    if (equal(d(1, 2), d(2, 3))) return Mid(v[0], v[2]);
    if (equal(d(2, 3), d(3, 4))) return Mid(v[1], v[3]);
    if (n == 4 && equal(d(3, 4), d(4, 1))) return Mid(v[2], v[0]);
    if (n >= 5 && equal(d(3, 4), d(4, 5))) return Mid(v[2], v[4]);
    if (n >= 5 && equal(d(4, 5), d(5, 1))) return Mid(v[3], v[0]);
    return Mid(Mid(v[0], v[1]), Mid(v[2], v[3]));
}

const SiteVolumeTexts::Shared& SiteVolumeTexts::shared() {
    if (!mShared) {
        Shared s;
        s.height = VolumeTextHeight(mSite);
        s.decimals = GetPrecisionDecimals(Setting::AnnotationPrecision);
        GetFieldNumber(mSite, s.number);
        s.fillColour = ReadIntegerSetting(kFillText.colour);
        s.cutColour = ReadIntegerSetting(kCutText.colour);
        mShared = std::move(s);
    }
    return *mShared;
}

AcDbObjectId SiteVolumeTexts::style() {
    if (mStyle.isNull()) MakeTextStyle(kAnnotationStyleName, mStyle);
    return mStyle;
}

void AnnotatePaneVolumes(AcDbObjectId pane, double angle, double fill, double cut,
                         SiteVolumeTexts& site) {
    AcGePoint3dArray outline;
    ArxPolyline::Arx_TakeAllPLinePtArr(pane, outline);
    std::vector<AcGePoint3d> vertices;
    for (int i = 0; i < outline.length(); ++i) vertices.push_back(outline[i]);
    const std::optional<AcGePoint3d> at = VolumeTextPosition(vertices);
    if (!at) return;
    const SiteVolumeTexts::Shared& shared = site.shared();
    AnnotationText text;
    text.height = shared.height;
    text.rotation = angle;
    const bool none = fill <= kNoVolume && cut <= kNoVolume;
    const bool showFill = fill > kNoVolume || none, showCut = cut > kNoVolume || none;
    text.style = site.style();
    AcDbObjectId group;
    ArxGroup::Arx_CreateGroup(L"*NoName", group);
    const double offset = showFill && showCut ? 0.7 * text.height : 0.0;
    if (showFill) {
        text.position = Moved(*at, offset, angle + kAcrossGrid);
        WriteText(kFillText, shared.fillColour, shared.number, text,
                  wcrtFixed(fill, shared.decimals), group);
    }
    if (showCut) {
        text.position = Moved(*at, offset, angle - kAcrossGrid);
        WriteText(kCutText, shared.cutColour, shared.number, text, wcrtFixed(cut, shared.decimals),
                  group);
    }
}
