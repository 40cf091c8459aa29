// Lines and rays.
#include <limits>

#include "db_dxf_fields.h"
#include "dbents.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbLine, AcDbCurve, ACRX_CONSTRUCTOR(AcDbLine), L"LINE")
ACRX_BUILTIN_MEMBERS(AcDbRay, AcDbCurve, ACRX_CONSTRUCTOR(AcDbRay), L"RAY")

struct AcDbLine::Fields {
    static const DxfFieldTable<AcDbLine>& table() {
        static const DxfFieldTable<AcDbLine> rows = {
            {39, &AcDbLine::mThickness, DxfField<AcDbLine>::kOptional},
            {10, &AcDbLine::mStart},
            {11, &AcDbLine::mEnd},
            {210, &AcDbLine::mNormal, DxfField<AcDbLine>::kOptional},
        };
        return rows;
    }
};

struct AcDbRay::Fields {
    static const DxfFieldTable<AcDbRay>& table() {
        static const DxfFieldTable<AcDbRay> rows = {
            {10, &AcDbRay::mBase},
            {11, &AcDbRay::mDir},
        };
        return rows;
    }
};

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mStart = p;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mEnd = p;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setThickness(double t) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mThickness = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (n.isZeroLength()) return Acad::eInvalidInput;
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndParam(double& param) const {
    param = mStart.distanceTo(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const {
    const double len = mStart.distanceTo(mEnd);
    if (param < -AcGeContext::gTol.equalPoint() || param > len + AcGeContext::gTol.equalPoint())
        return Acad::eInvalidInput;
    point = len > 0.0 ? mStart + (mEnd - mStart) * (param / len) : mStart;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& point) const {
    point = mStart;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& point) const {
    point = mEnd;
    return Acad::eOk;
}

Adesk::Boolean AcDbLine::subWorldDraw(AcGiWorldDraw* mode) {
    const AcGePoint3d pts[2] = {mStart, mEnd};
    mode->geometry().polyline(2, pts);
    return true;
}

void AcDbLine::subList() const {
    AcDbEntity::subList();
    acutPrintf(L"\n%18s  from point, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mStart.x, mStart.y,
               mStart.z);
    acutPrintf(L"\n%18s    to point, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mEnd.x, mEnd.y, mEnd.z);
    acutPrintf(L"\n%18s  Length = %10.4f", L"", mStart.distanceTo(mEnd));
}

Acad::ErrorStatus AcDbLine::subTransformBy(const AcGeMatrix3d& xform) {
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    mNormal.transformBy(xform).normalize();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    extents.addPoint(mStart);
    extents.addPoint(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                             AcDbIntArray&) const {
    gripPoints.append(mStart);
    gripPoints.append(mStart + (mEnd - mStart) * 0.5);
    gripPoints.append(mEnd);
    return Acad::eOk;
}

// Grip 0 moves the start, 2 the end, 1 (the midpoint) the whole line.
Acad::ErrorStatus AcDbLine::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                const AcGeVector3d& offset) {
    for (int index : indices) {
        if (index == 0 || index == 1) mStart += offset;
        if (index == 2 || index == 1) mEnd += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                              const AcGePoint3d&, const AcGePoint3d&,
                                              const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                              AcDbIntArray&) const {
    if (osnapMode == AcDb::kOsModeEnd) {
        snapPoints.append(mStart);
        snapPoints.append(mEnd);
    } else if (osnapMode == AcDb::kOsModeMid) {
        snapPoints.append(mStart + (mEnd - mStart) * 0.5);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* filer) const {
    return dxffields::dwgOutEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer) {
    return dxffields::dwgInEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const {
    return dxffields::dxfOutEntity(filer, *this, L"AcDbLine", Fields::table());
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = dxffields::dxfInEntityStart(filer, *this, L"AcDbLine", L"line");
    if (es != Acad::eOk) return es;
    return readDxfSubclass(filer, L"AcDbLine", [this](const resbuf& item) {
        return dxffields::read(*this, Fields::table(), item);
    });
}

// Rays.

void AcDbRay::setBasePoint(const AcGePoint3d& p) {
    assertWriteEnabled();
    mBase = p;
}

void AcDbRay::setUnitDir(const AcGeVector3d& dir) {
    assertWriteEnabled();
    if (!dir.isZeroLength()) mDir = dir.normal();
}

Acad::ErrorStatus AcDbRay::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

// The largest finite double stands for the unbounded end.
Acad::ErrorStatus AcDbRay::getEndParam(double& param) const {
    param = std::numeric_limits<double>::max();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getPointAtParam(double param, AcGePoint3d& point) const {
    if (param < -AcGeContext::gTol.equalPoint()) return Acad::eInvalidInput;
    point = mBase + mDir * param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getEndPoint(AcGePoint3d&) const { return Acad::eNotApplicable; }

// A ray has no end to draw to; it is drawn as far as a drawing can reach.
Adesk::Boolean AcDbRay::subWorldDraw(AcGiWorldDraw* mode) {
    constexpr double kDrawnLength = 1e7;
    const AcGePoint3d pts[2] = {mBase, mBase + mDir * kDrawnLength};
    mode->geometry().polyline(2, pts);
    return true;
}

void AcDbRay::subList() const {
    AcDbEntity::subList();
    acutPrintf(L"\n%18s  base point, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mBase.x, mBase.y, mBase.z);
    acutPrintf(L"\n%18s  unit direction, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mDir.x, mDir.y,
               mDir.z);
}

Acad::ErrorStatus AcDbRay::subTransformBy(const AcGeMatrix3d& xform) {
    mBase.transformBy(xform);
    mDir.transformBy(xform);
    if (mDir.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    mDir.normalize();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::subGetGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }

Acad::ErrorStatus AcDbRay::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                            AcDbIntArray&) const {
    gripPoints.append(mBase);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::subMoveGripPointsAt(const AcDbIntArray& indices,
                                               const AcGeVector3d& offset) {
    for (int index : indices)
        if (index == 0) mBase += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::dwgOutFields(AcDbDwgFiler* filer) const {
    return dxffields::dwgOutEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbRay::dwgInFields(AcDbDwgFiler* filer) {
    return dxffields::dwgInEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbRay::dxfOutFields(AcDbDxfFiler* filer) const {
    return dxffields::dxfOutEntity(filer, *this, L"AcDbRay", Fields::table());
}

Acad::ErrorStatus AcDbRay::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = dxffields::dxfInEntityStart(filer, *this, L"AcDbRay", L"ray");
    if (es != Acad::eOk) return es;
    es = readDxfSubclass(filer, L"AcDbRay", [this](const resbuf& item) {
        return dxffields::read(*this, Fields::table(), item);
    });
    if (mDir.isZeroLength())
        return filer->setError(Acad::eInvalidInput, L"ray with a zero direction");
    mDir.normalize();
    return es;
}
