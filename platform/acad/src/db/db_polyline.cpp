#include <cmath>
#include <numbers>

#include "db_curve_pieces.h"
#include "dbpl.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbPolyline, AcDbCurve, ACRX_CONSTRUCTOR(AcDbPolyline), L"LWPOLYLINE")

namespace {

// Bulges this small are straight: the arc's sagitta is below 1e-12 of the chord.
constexpr double kStraightBulge = 1e-12;

}  // namespace

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const {
    return AcGePoint3d(p.x, p.y, mElevation).transformBy(AcGeMatrix3d::planeToWorld(mNormal));
}

AcGePoint2d AcDbPolyline::toPlane(const AcGePoint3d& p) const {
    const AcGePoint3d q = AcGePoint3d(p).transformBy(AcGeMatrix3d::worldToPlane(mNormal));
    return {q.x, q.y};
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& point,
                                            double bulge, double startWidth, double endWidth) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (index > numVerts()) return Acad::eInvalidIndex;
    Vertex v{point, bulge, startWidth < 0.0 ? mConstantWidth : startWidth,
             endWidth < 0.0 ? mConstantWidth : endWidth};
    mVertices.insert(mVertices.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (index >= numVerts()) return Acad::eInvalidIndex;
    mVertices.erase(mVertices.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reset(Adesk::Boolean reuse, unsigned int count) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!reuse)
        mVertices.clear();
    else if (count < numVerts())
        mVertices.resize(count);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& point) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    point = toWorld(mVertices[index].point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& point) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    point = mVertices[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& point) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (index >= numVerts()) return Acad::eInvalidIndex;
    mVertices[index].point = point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    bulge = mVertices[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (index >= numVerts()) return Acad::eInvalidIndex;
    if (!std::isfinite(bulge)) return Acad::eInvalidInput;
    mVertices[index].bulge = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth,
                                            double& endWidth) const {
    if (index >= numVerts()) return Acad::eInvalidIndex;
    startWidth = mVertices[index].startWidth;
    endWidth = mVertices[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth,
                                            double endWidth) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (index >= numVerts()) return Acad::eInvalidIndex;
    if (startWidth < 0.0 || endWidth < 0.0) return Acad::eInvalidInput;
    mVertices[index].startWidth = startWidth;
    mVertices[index].endWidth = endWidth;
    return Acad::eOk;
}

unsigned int AcDbPolyline::numSegments() const {
    const unsigned int n = numVerts();
    if (n < 2) return 0;
    return mClosed ? n : n - 1;
}

AcDb::SegType AcDbPolyline::segType(unsigned int index) const {
    const unsigned int n = numVerts();
    if (n == 0) return AcDb::kEmpty;
    if (n == 1) return AcDb::kPoint;
    if (index >= numSegments()) return AcDb::kEmpty;
    const AcGePoint2d& a = mVertices[index].point;
    const AcGePoint2d& b = mVertices[(index + 1) % n].point;
    if (a.isEqualTo(b)) return AcDb::kCoincident;
    return std::fabs(mVertices[index].bulge) < kStraightBulge ? AcDb::kLine : AcDb::kArc;
}

bool AcDbPolyline::isOnlyLines() const {
    for (unsigned int i = 0; i < numSegments(); ++i)
        if (segType(i) == AcDb::kArc) return false;
    return true;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    mNormal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mThickness = thickness;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
    width = mConstantWidth;
    for (const Vertex& v : mVertices)
        if (v.startWidth != mConstantWidth || v.endWidth != mConstantWidth)
            return Acad::eNotApplicable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (width < 0.0) return Acad::eInvalidInput;
    mConstantWidth = width;
    for (Vertex& v : mVertices) v.startWidth = v.endWidth = width;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getStartParam(double& param) const {
    param = 0.0;
    return numVerts() == 0 ? Acad::eDegenerateGeometry : Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getEndParam(double& param) const {
    param = numSegments();
    return numVerts() == 0 ? Acad::eDegenerateGeometry : Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getStartPoint(AcGePoint3d& point) const {
    return getPointAt(0, point);
}

Acad::ErrorStatus AcDbPolyline::getEndPoint(AcGePoint3d& point) const {
    if (numVerts() == 0) return Acad::eDegenerateGeometry;
    return getPointAt(mClosed ? 0 : numVerts() - 1, point);
}

// Within segment i the parameter runs from i to i + 1, linear in length or angle; a
// coincident segment stays at its vertex.
Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
    const double tol = AcGeContext::gTol.equalPoint();
    if (numVerts() == 0 || param < -tol || param > numSegments() + tol) return Acad::eInvalidInput;
    const unsigned int segments = numSegments();
    const auto i = static_cast<unsigned int>(
        std::min(std::max(param, 0.0), segments > 0 ? segments - 1.0 : 0.0));
    if (segments == 0 || segType(i) == AcDb::kCoincident) return getPointAt(i, point);
    std::vector<CurvePiece> pieces;
    acdbCurvePieces(*this, false, pieces);
    for (const CurvePiece& piece : pieces)
        if (piece.paramStart == i) point = piece.pointAt(std::min(std::max(param - i, 0.0), 1.0));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    return AcDbCurve::getParamAtPoint(point, param);
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& givenPoint,
                                                  AcGePoint3d& pointOnCurve,
                                                  Adesk::Boolean extend) const {
    if (numVerts() == 1) return getPointAt(0, pointOnCurve);
    return AcDbCurve::getClosestPointTo(givenPoint, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const {
    return AcDbCurve::getDistAtParam(param, dist);
}

// Shoelace area of the vertices, plus for each arc segment its circular segment
// r^2 (theta - sin theta) / 2. A positive bulge bulges to the right of the direction of
// travel, outward for a counter-clockwise outline, so it adds to a positive shoelace
// sum and takes from a negative one.
Acad::ErrorStatus AcDbPolyline::getArea(double& area) const {
    area = 0.0;
    const unsigned int n = numVerts();
    if (n < 2) return Acad::eOk;
    double twice = 0.0, arcs = 0.0;
    for (unsigned int i = 0; i < n; ++i) {
        const AcGePoint2d& a = mVertices[i].point;
        const AcGePoint2d& b = mVertices[(i + 1) % n].point;
        twice += a.x * b.y - b.x * a.y;
        if (i >= numSegments() || segType(i) != AcDb::kArc) continue;
        const double theta = 4.0 * std::atan(mVertices[i].bulge);
        const double r = a.distanceTo(b) / (2.0 * std::sin(std::fabs(theta) / 2.0));
        arcs += (theta > 0.0 ? 1.0 : -1.0) * r * r *
                (std::fabs(theta) - std::sin(std::fabs(theta))) / 2.0;
    }
    area = std::fabs(twice / 2.0 + arcs);
    return Acad::eOk;
}
