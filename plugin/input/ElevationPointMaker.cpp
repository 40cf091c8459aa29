#include "ElevationPointMaker.h"

#include <cmath>
#include <numbers>

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "RegistrySettings.h"
#include "dbapserv.h"
#include "wcrt.h"

ElevationPointMaker::ElevationPointMaker() {
    // Angle and height: blanks trimmed, a blank text gives the default, which
    // only the text settings dialog stores.
    mAngleRadians = ReadRealSetting(Setting::PointTextAngle) * std::numbers::pi / 180.0;
    mTextHeight = ReadRealSetting(Setting::PointTextHeight);
    const int colour = ReadIntegerSetting(Setting::PointColour);
    const std::wstring layer = ReadSetting(Setting::PointLayer);
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
