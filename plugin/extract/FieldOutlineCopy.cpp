#include "FieldOutlineCopy.h"

#include <cmath>
#include <memory>

#include "ArxHelpers.h"
#include "ExtractNames.h"
#include "FieldData.h"
#include "RegistrySettings.h"
#include "TextStyles.h"
#include "dbents.h"
#include "wcrt.h"

namespace {

// Below this diagonal a site is small and gets the small label.
constexpr double kSmallSiteDiagonal = 60.0;
constexpr double kLabelHeight = 13.0;
constexpr double kSmallLabelHeight = 5.0;
// The circle holds the label: 0.4 of the height per character.
constexpr double kCircleRadiusPerCharacter = 0.4;
constexpr int kMiddleCentre = 2;
constexpr int kByLayer = 256;

// A copy by the offset on the layer, coloured by layer; null when it failed.
AcDbObjectId CopyOnto(AcDbObjectId id, const AcGeVector3d& offset, const std::wstring& layer) {
    AcDbObjectId copy;
    if (!ArxEntity::Arx_CopyTranslation(id, offset, copy)) return {};
    ArxEntity::Arx_ChangeEntLayer(copy, layer.c_str());
    ArxEntity::Arx_ChangeEntColor(copy, kByLayer);
    return copy;
}

// Inner outlines of the site with this number.
AcDbObjectIdArray InnerOutlines(const std::wstring& number) {
    AcDbObjectIdArray all, inners;
    CollectFields(all);
    for (int i = 0; i < all.length(); ++i) {
        std::wstring n, type;
        GetFieldNumber(all[i], n);
        GetFieldType(all[i], type);
        if (type == kInnerOutline && _wcsicmp(n.c_str(), number.c_str()) == 0)
            inners.append(all[i]);
    }
    return inners;
}

double LabelHeightOf(AcDbObjectId site) {
    AcGePoint3d lowerLeft, upperRight;
    ArxPolyline::Arx_getPLinePointOfLBRT(site, lowerLeft, upperRight);
    return SiteLabelHeight(lowerLeft, upperRight);
}

// The label and its circle at the new outline's label point.
void AddLabel(AcDbObjectId outline, const std::wstring& number, double height,
              const std::wstring& layer, AcDbObjectId group) {
    AcGePoint3d at;
    GetFieldLabelPoint(outline, at);
    double rotation = 0.0;
    ArxUCS::Arx_getcCoordinateXangle(rotation);
    AcDbObjectId style, label;
    MakeTextStyle(kAnnotationStyleName, style);
    if (ArxText::Arx_CreateText(at, number.c_str(), height, rotation, kMiddleCentre, kByLayer,
                                style, label)) {
        ArxEntity::Arx_ChangeEntLayer(label, layer.c_str());
        ArxGroup::Arx_addEntToGroup(label, group);
    }
    const double radius = kCircleRadiusPerCharacter * height * static_cast<double>(number.size());
    auto circle = std::make_unique<AcDbCircle>(at, AcGeVector3d::kZAxis, radius);
    circle->setColorIndex(kByLayer);
    circle->setLayer(layer.c_str());
    AcDbObjectId id;
    if (ArxEntity::Arx_addToModelSpace(circle.get(), id) != Acad::eOk) return;
    circle.release()->close();
    ArxGroup::Arx_addEntToGroup(id, group);
}

}  // namespace

double SiteLabelHeight(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight) {
    const double diagonal = std::hypot(upperRight.x - lowerLeft.x, upperRight.y - lowerLeft.y);
    return diagonal < kSmallSiteDiagonal ? kSmallLabelHeight : kLabelHeight;
}

AcDbObjectId CopyFieldOutline(AcDbObjectId site, const ExtractionTarget& target) {
    const double height = LabelHeightOf(site);
    AcDbObjectId group;
    ArxGroup::Arx_CreateGroup(L"*NoName", group);
    const std::wstring layer = ReadSetting(Setting::SiteLayer) + target.siteNumber;
    AcDbObjectId layerId;
    ArxLayer::Arx_CreateLayer(layer.c_str(), ReadIntegerSetting(Setting::SiteColour), layerId);
    const AcDbObjectId outer = CopyOnto(site, target.offset, layer);
    if (outer.isNull()) return {};
    ArxGroup::Arx_addEntToGroup(outer, group);
    std::wstring sourceNumber;
    GetFieldNumber(site, sourceNumber);
    const AcDbObjectIdArray sourceInners = InnerOutlines(sourceNumber);
    AcDbObjectIdArray inners;
    for (int i = 0; i < sourceInners.length(); ++i) {
        const AcDbObjectId copy = CopyOnto(sourceInners[i], target.offset, layer);
        if (copy.isNull()) continue;
        inners.append(copy);
        ArxGroup::Arx_addEntToGroup(copy, group);
    }
    SetFieldOutlines(outer, inners, target.siteNumber.c_str());
    AddLabel(outer, target.siteNumber, height, layer, group);
    return outer;
}

void CopyPaneNumberLabels(AcDbObjectId site, const ExtractionTarget& target) {
    const std::wstring stem = ReadSetting(Setting::PaneLayer);
    std::wstring sourceNumber;
    GetFieldNumber(site, sourceNumber);
    const std::wstring from = wcrtFormat(kPaneLabelLayerFormat, sourceNumber.c_str(), stem.c_str());
    const std::wstring to =
        wcrtFormat(kPaneLabelLayerFormat, target.siteNumber.c_str(), stem.c_str());
    AcDbObjectIdArray labels;
    ArxLayer::Arx_GetLayerEnt(from.c_str(), labels);
    AcDbObjectId layerId;
    ArxLayer::Arx_CreateLayer(to.c_str(), ReadIntegerSetting(Setting::PaneColour), layerId);
    for (int i = 0; i < labels.length(); ++i) {
        AcDbObjectId copy;
        if (ArxEntity::Arx_CopyTranslation(labels[i], target.offset, copy))
            ArxEntity::Arx_ChangeEntLayer(copy, to.c_str());
    }
}
