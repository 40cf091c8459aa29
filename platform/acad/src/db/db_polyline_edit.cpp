// Drawing, listing and editing of the lightweight polyline.
#include <cmath>
#include <memory>
#include <numbers>

#include "db_curve_pieces.h"
#include "dbents.h"
#include "dbpl.h"

namespace {

// Arcs are drawn as chords of at most this angle: a sixteenth of a right angle keeps
// the chord within 0.2 % of the radius of the arc.
constexpr double kArcStep = std::numbers::pi / 32.0;

void appendPiece(const CurvePiece& piece, std::vector<AcGePoint3d>& points) {
    if (points.empty()) points.push_back(piece.start);
    if (!piece.arc) {
        points.push_back(piece.end);
        return;
    }
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(piece.sweep) / kArcStep)));
    for (int k = 1; k <= steps; ++k)
        points.push_back(piece.pointAt(static_cast<double>(k) / steps));
}

}  // namespace

Adesk::Boolean AcDbPolyline::subWorldDraw(AcGiWorldDraw* mode) {
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(*this, false, pieces);
    std::vector<AcGePoint3d> points;
    for (const CurvePiece& piece : pieces) appendPiece(piece, points);
    if (points.empty() && numVerts() > 0) points.push_back(toWorld(mVertices[0].point));
    if (!points.empty())
        mode->geometry().polyline(static_cast<Adesk::UInt32>(points.size()), points.data(),
                                  &mNormal);
    return true;
}

void AcDbPolyline::subList() const {
    AcDbEntity::subList();
    acutPrintf(L"\n%18s  %s", L"", mClosed ? L"Closed" : L"Open");
    acutPrintf(L"\n%18s  Constant width %10.4f", L"", mConstantWidth);
    double area = 0.0, length = 0.0;
    getArea(area);
    getDistAtParam(numSegments(), length);
    acutPrintf(L"\n%18s  area %10.4f", L"", area);
    acutPrintf(L"\n%18s  length %10.4f", L"", length);
    for (unsigned int i = 0; i < numVerts(); ++i) {
        const AcGePoint3d p = toWorld(mVertices[i].point);
        acutPrintf(L"\n%18s  at point  X=%10.4f  Y=%10.4f  Z=%10.4f", L"", p.x, p.y, p.z);
        if (mVertices[i].bulge != 0.0) acutPrintf(L"\n%18s  bulge %10.4f", L"", mVertices[i].bulge);
    }
}

// Vertices are moved in world space and brought back into the transformed plane. A
// mirror reverses the sense of turning about the normal, so the bulges change sign.
Acad::ErrorStatus AcDbPolyline::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    std::vector<AcGePoint3d> world;
    for (const Vertex& v : mVertices) world.push_back(toWorld(v.point).transformBy(xform));
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform).normalize();
    const double scale = xform.scale();
    const bool mirrored = xform.det() < 0.0;
    mNormal = normal;
    for (size_t i = 0; i < mVertices.size(); ++i) {
        const AcGePoint3d inPlane =
            AcGePoint3d(world[i]).transformBy(AcGeMatrix3d::worldToPlane(mNormal));
        mVertices[i].point = AcGePoint2d(inPlane.x, inPlane.y);
        mVertices[i].startWidth *= scale;
        mVertices[i].endWidth *= scale;
        if (i == 0) mElevation = inPlane.z;
    }
    if (mirrored)
        for (Vertex& v : mVertices) v.bulge = -v.bulge;
    mConstantWidth *= scale;
    mThickness *= scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(*this, false, pieces);
    std::vector<AcGePoint3d> points;
    for (const CurvePiece& piece : pieces) appendPiece(piece, points);
    for (const Vertex& v : mVertices) points.push_back(toWorld(v.point));
    // Arc extremes: a chord step's bulge is at most r (1 - cos(step / 2)); add it all round.
    double slack = 0.0;
    for (const CurvePiece& piece : pieces)
        if (piece.arc) slack = std::max(slack, piece.radius * (1.0 - std::cos(kArcStep / 2.0)));
    for (const AcGePoint3d& p : points) extents.addPoint(p);
    if (extents.isEmpty()) return Acad::eInvalidExtents;
    const AcGeVector3d pad(slack, slack, slack);
    extents.set(extents.minPoint() - pad, extents.maxPoint() + pad);
    return Acad::eOk;
}

// Lines for straight segments; arc segments are not exploded into arcs (there is no
// arc entity here) and are given as their chords' lines.
Acad::ErrorStatus AcDbPolyline::subExplode(AcDbVoidPtrArray& entitySet) const {
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(*this, false, pieces);
    for (const CurvePiece& piece : pieces) {
        std::vector<AcGePoint3d> points;
        appendPiece(piece, points);
        for (size_t k = 1; k < points.size(); ++k) {
            auto line = std::make_unique<AcDbLine>(points[k - 1], points[k]);
            line->setPropertiesFrom(this);
            entitySet.append(line.release());
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                                 AcDbIntArray&) const {
    for (const Vertex& v : mVertices) gripPoints.append(toWorld(v.point));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                    const AcGeVector3d& offset) {
    const AcGeVector3d inPlane =
        AcGeVector3d(offset).transformBy(AcGeMatrix3d::worldToPlane(mNormal));
    for (int index : indices) {
        if (index < 0 || static_cast<unsigned int>(index) >= numVerts()) continue;
        mVertices[static_cast<size_t>(index)].point =
            mVertices[static_cast<size_t>(index)].point + AcGeVector2d(inPlane.x, inPlane.y);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                                  const AcGePoint3d&, const AcGePoint3d&,
                                                  const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                                  AcDbIntArray&) const {
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(*this, false, pieces);
    if (osnapMode == AcDb::kOsModeEnd)
        for (const Vertex& v : mVertices) snapPoints.append(toWorld(v.point));
    if (osnapMode == AcDb::kOsModeMid)
        for (const CurvePiece& piece : pieces) snapPoints.append(piece.pointAt(0.5));
    if (osnapMode == AcDb::kOsModeCen)
        for (const CurvePiece& piece : pieces)
            if (piece.arc) snapPoints.append(piece.center);
    return Acad::eOk;
}
