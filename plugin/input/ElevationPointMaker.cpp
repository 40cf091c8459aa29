#include "ElevationPointMaker.h"

#include <cmath>
#include <numbers>

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "CommandSettings.h"
#include "dbapserv.h"
#include "wcrt.h"

namespace {
// A trimmed setting; empty (or blank) gives the default, not written back.
std::wstring TrimmedSetting(const ACHAR* name, const ACHAR* fallback) {
    const std::wstring value = wcrtTrim(ReadSetting(name, fallback, false));
    return value.empty() ? fallback : value;
}
}  // namespace

ElevationPointMaker::ElevationPointMaker() {
    const std::wstring angle = TrimmedSetting(kTextAngleSetting, kDefaultTextAngle);
    const std::wstring height = TrimmedSetting(kTextHeightSetting, kDefaultTextHeight);
    mAngleRadians = _wtof(angle.c_str()) * std::numbers::pi / 180.0;
    mTextHeight = _wtof(height.c_str());
    const int colour = ReadColourSetting(kPointColourSetting, kDefaultPointColour);
    const std::wstring layer = ReadSetting(kPointLayerSetting, kDefaultPointLayer, true);
    AcDbObjectId layerId;
    ArxLayer::Arx_CreateLayer(layer.c_str(), colour, layerId);
    mPreviousLayer = ArxLayer::Arx_setLayer(layer.c_str());
}

ElevationPointMaker::~ElevationPointMaker() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db != nullptr && !mPreviousLayer.isNull()) db->setClayer(mPreviousLayer);
}

bool ElevationPointMaker::AddPoint(const AcGePoint3d& position,
                                   const AcGeDoubleArray& elevations) const {
    auto* point = new AcDbMPointEle();
    point->setTextAngle(mAngleRadians);
    point->setTextHeight(mTextHeight);
    point->setPosition(position);
    point->setElevations(elevations);
    const bool added = ArxEntity::Arx_addToModelSpace(point) == Acad::eOk;
    if (added)
        point->close();
    else
        delete point;
    ArxDraw::Arx_RefreshDisplay();
    return added;
}
