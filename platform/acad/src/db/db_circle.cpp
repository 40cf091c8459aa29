#include <cmath>
#include <numbers>

#include "db_curve_pieces.h"
#include "db_dxf_fields.h"
#include "dbents.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbCircle, AcDbCurve, ACRX_CONSTRUCTOR(AcDbCircle), L"CIRCLE")

struct AcDbCircle::Fields {
    static const DxfFieldTable<AcDbCircle>& table() {
        static const DxfFieldTable<AcDbCircle> rows = {
            {39, &AcDbCircle::mThickness, DxfField<AcDbCircle>::kOptional},
            {10, &AcDbCircle::mCenter},
            {40, &AcDbCircle::mRadius},
            {210, &AcDbCircle::mNormal, DxfField<AcDbCircle>::kOptional},
        };
        return rows;
    }
};

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : mCenter(center),
      mRadius(radius > 0.0 ? radius : 1.0),
      mNormal(normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal()) {}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& c) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mCenter = c;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(r > 0.0) || !std::isfinite(r)) return Acad::eInvalidInput;
    mRadius = r;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (n.isZeroLength()) return Acad::eInvalidInput;
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setThickness(double t) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mThickness = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getStartParam(double& param) const {
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getEndParam(double& param) const {
    param = kTwoPi;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const {
    AcGeVector3d v = acgeArbitraryXAxis(mNormal) * mRadius;
    point = mCenter + v.rotateBy(param, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const {
    area = std::numbers::pi * mRadius * mRadius;
    return Acad::eOk;
}

Adesk::Boolean AcDbCircle::subWorldDraw(AcGiWorldDraw* mode) {
    mode->geometry().circle(mCenter, mRadius, mNormal);
    return true;
}

void AcDbCircle::subList() const {
    AcDbEntity::subList();
    acutPrintf(L"\n%18s  center point, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mCenter.x, mCenter.y,
               mCenter.z);
    acutPrintf(L"\n%18s  radius %10.4f", L"", mRadius);
    acutPrintf(L"\n%18s  circumference %10.4f", L"", kTwoPi * mRadius);
    acutPrintf(L"\n%18s  area %10.4f", L"", std::numbers::pi * mRadius * mRadius);
}

// A circle stays a circle only under a uniform scale with right angles kept.
Acad::ErrorStatus AcDbCircle::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    mCenter.transformBy(xform);
    mRadius *= xform.scale();
    mNormal.transformBy(xform).normalize();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetGeomExtents(AcDbExtents& extents) const {
    // Half-extent along each world axis of a circle with unit normal n: r sqrt(1 - n_i^2).
    extents = AcDbExtents();
    const AcGeVector3d half(mRadius * std::sqrt(std::max(0.0, 1.0 - mNormal.x * mNormal.x)),
                            mRadius * std::sqrt(std::max(0.0, 1.0 - mNormal.y * mNormal.y)),
                            mRadius * std::sqrt(std::max(0.0, 1.0 - mNormal.z * mNormal.z)));
    extents.addPoint(mCenter - half);
    extents.addPoint(mCenter + half);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                               AcDbIntArray&) const {
    gripPoints.append(mCenter);
    for (int k = 0; k < 4; ++k) {
        AcGePoint3d p;
        getPointAtParam(k * kTwoPi / 4.0, p);
        gripPoints.append(p);
    }
    return Acad::eOk;
}

// Grip 0 (centre) moves the circle; the quadrant grips change the radius to reach
// the moved grip.
Acad::ErrorStatus AcDbCircle::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                  const AcGeVector3d& offset) {
    for (int index : indices) {
        if (index == 0) {
            mCenter += offset;
        } else if (index >= 1 && index <= 4) {
            AcGePoint3d grip;
            getPointAtParam((index - 1) * kTwoPi / 4.0, grip);
            const double r = (grip + offset).distanceTo(mCenter);
            if (r > 0.0) mRadius = r;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                                const AcGePoint3d&, const AcGePoint3d&,
                                                const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray&) const {
    if (osnapMode == AcDb::kOsModeCen) snapPoints.append(mCenter);
    if (osnapMode == AcDb::kOsModeQuad) {
        AcGePoint3dArray grips;
        AcDbIntArray modes, ids;
        subGetGripPoints(grips, modes, ids);
        for (int i = 1; i < grips.length(); ++i) snapPoints.append(grips[i]);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* filer) const {
    return dxffields::dwgOutEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer) {
    return dxffields::dwgInEntity(filer, *this, Fields::table());
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const {
    return dxffields::dxfOutEntity(filer, *this, L"AcDbCircle", Fields::table());
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = dxffields::dxfInEntityStart(filer, *this, L"AcDbCircle", L"circle");
    if (es != Acad::eOk) return es;
    es = readDxfSubclass(filer, L"AcDbCircle", [this](const resbuf& item) {
        return dxffields::read(*this, Fields::table(), item);
    });
    if (es != Acad::eOk) return es;
    if (!(mRadius > 0.0) || !std::isfinite(mRadius))
        return filer->setError(Acad::eInvalidInput, L"circle radius %G is not positive", mRadius);
    if (mNormal.isZeroLength())
        return filer->setError(Acad::eInvalidInput, L"circle with a zero normal");
    mNormal.normalize();
    return Acad::eOk;
}
