#include "ExtractAnnotations.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "AcDbPtEleDim.h"
#include "ArxHelpers.h"
#include "ExtractNames.h"
#include "FieldData.h"
#include "RegistrySettings.h"
#include "TextStyles.h"
#include "VolumeAnnotations.h"
#include "dbapserv.h"
#include "wcrt.h"

namespace {

// Volumes up to this are nothing: far below the 0.01 m³ the texts show.
constexpr double kNoVolume = 0.0000001;
// A little short of a right angle, as the suite's other drawings turn it.
constexpr double kAcrossGrid = 1.5707963;
constexpr int kMiddleCentre = 2;

struct DimColours {
    int natural, design, difference;
};

DimColours ReadDimColours() {
    return {ReadIntegerSetting(Setting::ElevationTextColour),
            ReadIntegerSetting(Setting::DesignTextColour),
            ReadIntegerSetting(Setting::DifferenceTextColour)};
}

AcDbDatabase* WorkingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

// The annotation style and the dimension layer are current while the
// dimension is made; the previous ones come back afterwards.
class CurrentLayerAndStyle {
  public:
    CurrentLayerAndStyle(const std::wstring& layer, AcDbObjectId style)
        : mStyle(WorkingDatabase()->textstyle()) {
        if (!style.isNull()) WorkingDatabase()->setTextstyle(style);
        mLayer = ArxLayer::Arx_setLayer(layer.c_str());
    }
    ~CurrentLayerAndStyle() {
        if (!mLayer.isNull()) WorkingDatabase()->setClayer(mLayer);
        if (!mStyle.isNull()) WorkingDatabase()->setTextstyle(mStyle);
    }
    CurrentLayerAndStyle(const CurrentLayerAndStyle&) = delete;
    CurrentLayerAndStyle& operator=(const CurrentLayerAndStyle&) = delete;

  private:
    AcDbObjectId mStyle;
    AcDbObjectId mLayer;
};

std::wstring Layer(const ACHAR* format, const std::wstring& siteNumber) {
    return wcrtFormat(format, siteNumber.c_str());
}

void AddText(const std::wstring& text, const AcGePoint3d& at, double angle, double height,
             AcDbObjectId style, const std::wstring& layer) {
    AcDbObjectId id;
    if (ArxText::Arx_CreateText(at, text.c_str(), height, angle, kMiddleCentre, 256, style, id))
        ArxEntity::Arx_ChangeEntLayer(id, layer.c_str());
}

AcGePoint3d Moved(const AcGePoint3d& p, double distance, double direction) {
    return {p.x + distance * std::cos(direction), p.y + distance * std::sin(direction), p.z};
}

}  // namespace

ElevationDimTexts FormatElevationDim(double natural, double design) {
    const int decimals = GetPrecisionDecimals(Setting::ElevationPrecision);
    return {wcrtFixed(natural, decimals), wcrtFixed(design, decimals),
            wcrtFixed(design - natural, decimals)};
}

void DrawCornerElevationDim(const std::wstring& siteNumber, double natural, double design,
                            const AcGePoint3d& corner, double angle, double height) {
    const ElevationDimTexts texts = FormatElevationDim(natural, design);
    const DimColours colours = ReadDimColours();
    if (!(std::abs(height) > 0.0)) height = ReadRealSetting(Setting::TextHeight);
    AcDbObjectId style;
    MakeTextStyle(kAnnotationStyleName, style);
    const CurrentLayerAndStyle current(Layer(kCornerTextLayerFormat, siteNumber), style);

    auto dim = std::make_unique<AcDbPtEleDim>();
    // Colours first: a text layer that is new takes its text's colour.
    dim->setOriginColor(colours.natural);
    dim->setDesignColor(colours.design);
    dim->setVarColor(colours.difference);
    dim->setOriginLayer(Layer(kNaturalTextLayerFormat, siteNumber).c_str());
    dim->setDesignLayer(Layer(kDesignTextLayerFormat, siteNumber).c_str());
    dim->setVarLayer(Layer(kDifferenceTextLayerFormat, siteNumber).c_str());
    dim->setTextHeight(height);
    dim->setTextAngle(angle);
    dim->setDimPoint(corner);
    dim->setLeadPoint(corner);
    dim->setDesignEle(texts.design.c_str());
    dim->setOriginEle(texts.natural.c_str());
    dim->setVar(texts.difference.c_str());
    if (ArxEntity::Arx_addToModelSpace(dim.get()) == Acad::eOk) dim.release()->close();
}

FillCutTexts FormatFillCut(double fill, double cut) {
    const int decimals = GetPrecisionDecimals(Setting::AnnotationPrecision);
    const bool none = fill <= kNoVolume && cut <= kNoVolume;
    FillCutTexts texts;
    if (fill > kNoVolume || none) texts.fill = wcrtFixed(fill, decimals);
    if (cut > kNoVolume || none) texts.cut = wcrtFixed(cut, decimals);
    return texts;
}

void AnnotatePaneEarthwork(AcDbObjectId pane, const std::wstring& siteNumber,
                           std::span<const AcGePoint3d> corners, double angle, double height) {
    double fill = 0.0, cut = 0.0;
    GetPaneVolumes(pane, fill, cut);
    const FillCutTexts texts = FormatFillCut(fill, cut);
    if (texts.fill.empty() && texts.cut.empty()) return;
    std::vector<AcGePoint3d> plan;
    for (const AcGePoint3d& p : corners) plan.emplace_back(p.x, p.y, 0.0);
    const std::optional<AcGePoint3d> centre = VolumeTextPosition(plan);
    if (centre) DrawFillCutTexts(siteNumber, texts, *centre, angle, height);
}

FillCutPlaces PlaceFillCut(const FillCutTexts& texts, const AcGePoint3d& centre, double angle,
                           double height) {
    if (texts.fill.empty() || texts.cut.empty()) return {centre, centre};
    const double offset = height / 5 + height * 0.5;
    return {Moved(centre, offset, angle + kAcrossGrid), Moved(centre, offset, angle - kAcrossGrid)};
}

void DrawFillCutTexts(const std::wstring& siteNumber, const FillCutTexts& texts,
                      const AcGePoint3d& centre, double angle, double height) {
    const std::wstring fillLayer = Layer(kFillTextLayerFormat, siteNumber);
    const std::wstring cutLayer = Layer(kCutTextLayerFormat, siteNumber);
    AcDbObjectId made;
    ArxLayer::Arx_CreateLayer(fillLayer.c_str(), ReadIntegerSetting(Setting::FillTextColour), made);
    ArxLayer::Arx_CreateLayer(cutLayer.c_str(), ReadIntegerSetting(Setting::CutTextColour), made);
    AcDbObjectId style;
    MakeTextStyle(kAnnotationStyleName, style);
    const FillCutPlaces at = PlaceFillCut(texts, centre, angle, height);
    if (!texts.fill.empty()) AddText(L"T=" + texts.fill, at.fill, angle, height, style, fillLayer);
    if (!texts.cut.empty()) AddText(L"W=" + texts.cut, at.cut, angle, height, style, cutLayer);
}
