// The elevation point's binary and DXF records (docs/mpointele.md).
#include <cmath>
#include <numbers>

#include "AcDbMPointEle.h"

namespace {

constexpr const ACHAR* kSubclass = L"AcDbMPointEle";

// DXF group codes of the members, in the order they are written.
constexpr int kPositionCode = 10;
constexpr int kHeightCode = 40;
constexpr int kAngleCode = 50;  // degrees in the file, radians in memory
constexpr int kCountCode = 90;
constexpr int kElevationCode = 41;  // one group per layer, layer 1 first

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// What the DXF reader has collected of the members so far.
struct DxfMembers {
    AcGePoint3d position;
    double height = 2.5;
    double angle = 0.0;
    long declaredCount = -1;  // -1 until a 90 group is read
    AcGeDoubleArray elevations;
};

bool TakeDxfItem(DxfMembers& m, const resbuf& item) {
    switch (item.restype) {
        case kPositionCode:
            m.position.set(item.resval.rpoint[0], item.resval.rpoint[1], item.resval.rpoint[2]);
            return true;
        case kHeightCode:
            m.height = item.resval.rreal;
            return true;
        case kAngleCode:
            m.angle = item.resval.rreal / kDegreesPerRadian;
            return true;
        case kCountCode:
            m.declaredCount = item.resval.rlong;
            return true;
        case kElevationCode:
            m.elevations.append(item.resval.rreal);
            return true;
        default:
            return false;
    }
}

// A list the binary record cannot hold, or one whose 41 groups disagree with
// its 90 count, is an error of the file rather than data to guess at.
Acad::ErrorStatus CheckLayerCount(AcDbDxfFiler* filer, const DxfMembers& m) {
    if (m.elevations.length() > AcDbMPointEle::kMaxLayers ||
        m.declaredCount > AcDbMPointEle::kMaxLayers)
        return filer->setError(Acad::eOutOfRange, L"elevation point with more than 32767 layers");
    if (m.declaredCount >= 0 && m.declaredCount != m.elevations.length())
        return filer->setError(Acad::eBadDxfSequence,
                               L"elevation point: layer count %ld but %d elevations",
                               m.declaredCount, m.elevations.length());
    return Acad::eOk;
}

}  // namespace

// Version word, position, text height, text angle, layer count (16 bits)
// and the elevations of layers 1..n.
Acad::ErrorStatus AcDbMPointEle::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    // setElevations and both readers keep the list within the 16-bit count.
    if (mElevations.length() > kMaxLayers) return Acad::eOutOfRange;
    AcDb::DwgVersion version = AcDb::kDHL_CURRENT;
    AcDb::MaintenanceReleaseVersion maintenance = AcDb::kMReleaseCurrent;
    getObjectBirthVersion(version, maintenance);
    filer->writeInt16(static_cast<Adesk::Int16>(maintenance));
    filer->writePoint3d(mPosition);
    filer->writeDouble(mTextHeight);
    filer->writeDouble(mTextAngle);
    filer->writeInt16(static_cast<Adesk::Int16>(mElevations.length()));
    for (int i = 0; i < mElevations.length(); ++i) filer->writeDouble(mElevations[i]);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbMPointEle::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;  // read and not needed: one record layout so far
    filer->readInt16(&version);
    filer->readPoint3d(&mPosition);
    filer->readDouble(&mTextHeight);
    filer->readDouble(&mTextAngle);
    mElevations.removeAll();
    Adesk::Int16 count = 0;
    filer->readInt16(&count);
    for (int i = 0; i < count; ++i) {
        double elevation = 0.0;
        filer->readDouble(&elevation);
        mElevations.append(elevation);
    }
    setUpStyle();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbMPointEle::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, kSubclass);
    filer->writePoint3d(kPositionCode, mPosition);
    filer->writeDouble(kHeightCode, mTextHeight);
    filer->writeDouble(kAngleCode, mTextAngle * kDegreesPerRadian);
    filer->writeInt32(kCountCode, mElevations.length());
    for (int i = 0; i < mElevations.length(); ++i)
        filer->writeDouble(kElevationCode, mElevations[i]);
    writeUnknownDxfItems(filer, kSubclass);
    return filer->filerStatus();
}

// Drawings written before the members had DXF groups carry only the common
// entity data: such a point keeps its defaults.
Acad::ErrorStatus AcDbMPointEle::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    const Acad::ErrorStatus members =
        filer->atSubclassData(kSubclass) ? readDxfMembers(filer) : Acad::eOk;
    setUpStyle();
    return members;
}

Acad::ErrorStatus AcDbMPointEle::readDxfMembers(AcDbDxfFiler* filer) {
    DxfMembers m;
    Acad::ErrorStatus es = readDxfSubclass(
        filer, kSubclass, [&m](const resbuf& item) { return TakeDxfItem(m, item); });
    if (es == Acad::eOk) es = CheckLayerCount(filer, m);
    if (es != Acad::eOk) return es;
    mPosition = m.position;
    mTextHeight = m.height;
    mTextAngle = m.angle;
    mElevations = m.elevations;
    return Acad::eOk;
}
