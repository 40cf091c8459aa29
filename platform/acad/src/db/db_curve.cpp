#include <cmath>

#include "db_curve_pieces.h"
#include "dbcurve.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbCurve, AcDbEntity, nullptr, L"")

namespace {

std::vector<CurvePiece> piecesOf(const AcDbCurve& curve, bool extend) {
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(curve, extend, pieces);
    return pieces;
}

// The plane to intersect two curves in space: one curve's own plane, else the plane
// spanned by two lines' directions. False when the lines are parallel.
bool meetingPlane(const AcDbEntity& a, const AcDbEntity& b, const std::vector<CurvePiece>& pa,
                  const std::vector<CurvePiece>& pb, AcGePlane& plane) {
    if (acdbCurvePlane(a, plane) || acdbCurvePlane(b, plane)) return true;
    if (pa.empty() || pb.empty()) return false;
    const AcGeVector3d n = (pa[0].end - pa[0].start).crossProduct(pb[0].end - pb[0].start);
    if (n.isZeroLength()) return false;
    plane = AcGePlane(pa[0].start, n);
    return true;
}

}  // namespace

Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    AcGePoint3d closest;
    const std::vector<CurvePiece> pieces = piecesOf(*this, false);
    if (!acdbClosestOnPieces(pieces, point, closest, param)) return Acad::eDegenerateGeometry;
    const double tol = acdbPointTolerance(point.asVector().length()) * 1e3;
    return closest.distanceTo(point) <= tol ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const {
    double param = 0.0;
    Acad::ErrorStatus es = getStartParam(param);
    return es != Acad::eOk ? es : getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const {
    double param = 0.0;
    Acad::ErrorStatus es = getEndParam(param);
    return es != Acad::eOk ? es : getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPoint,
                                               AcGePoint3d& pointOnCurve,
                                               Adesk::Boolean extend) const {
    double param = 0.0;
    const std::vector<CurvePiece> pieces = piecesOf(*this, extend);
    return acdbClosestOnPieces(pieces, givenPoint, pointOnCurve, param) ? Acad::eOk
                                                                        : Acad::eDegenerateGeometry;
}

// Seen along direction: only for a curve in a plane the direction is normal to, where it
// is the nearest point to the given point's projection onto that plane.
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPoint,
                                               const AcGeVector3d& direction,
                                               AcGePoint3d& pointOnCurve,
                                               Adesk::Boolean extend) const {
    AcGePlane plane;
    if (!acdbCurvePlane(*this, plane) || !plane.normal().isParallelTo(direction, AcGeTol()))
        return Acad::eNotImplementedYet;
    return getClosestPointTo(givenPoint.orthoProject(plane), pointOnCurve, extend);
}

Acad::ErrorStatus AcDbCurve::getDistAtParam(double param, double& dist) const {
    dist = 0.0;
    for (const CurvePiece& piece : piecesOf(*this, false)) {
        if (param <= piece.paramStart) break;
        const double span = piece.paramEnd - piece.paramStart;
        const double share =
            param >= piece.paramEnd || span <= 0.0 ? 1.0 : (param - piece.paramStart) / span;
        dist += piece.length() * share;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getArea(double& area) const {
    area = 0.0;
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                              AcGePoint3dArray& points, Adesk::GsMarker,
                                              Adesk::GsMarker) const {
    std::vector<CurvePiece> mine, other;
    const bool extendThis = intType == AcDb::kExtendThis || intType == AcDb::kExtendBoth;
    const bool extendArg = intType == AcDb::kExtendArg || intType == AcDb::kExtendBoth;
    if (Acad::ErrorStatus es = acdbCurvePieces(*this, extendThis, mine); es != Acad::eOk) return es;
    if (Acad::ErrorStatus es = acdbCurvePieces(*entity, extendArg, other); es != Acad::eOk)
        return es;
    AcGePlane plane;
    if (!meetingPlane(*this, *entity, mine, other, plane)) return Acad::eOk;
    return acdbIntersectPieces(mine, other, plane, true, points);
}

Acad::ErrorStatus AcDbCurve::subIntersectWith(const AcDbEntity* entity, AcDb::Intersect intType,
                                              const AcGePlane& projPlane, AcGePoint3dArray& points,
                                              Adesk::GsMarker, Adesk::GsMarker) const {
    std::vector<CurvePiece> mine, other;
    const bool extendThis = intType == AcDb::kExtendThis || intType == AcDb::kExtendBoth;
    const bool extendArg = intType == AcDb::kExtendArg || intType == AcDb::kExtendBoth;
    if (Acad::ErrorStatus es = acdbCurvePieces(*this, extendThis, mine); es != Acad::eOk) return es;
    if (Acad::ErrorStatus es = acdbCurvePieces(*entity, extendArg, other); es != Acad::eOk)
        return es;
    return acdbIntersectPieces(mine, other, projPlane, false, points);
}
