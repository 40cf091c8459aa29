#include <algorithm>
#include <cmath>
#include <numbers>

#include "acge.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Angle folded into [0, 2 pi).
double normalizedAngle(double a) {
    a = std::fmod(a, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

}  // namespace

double AcGeVector2d::angle() const { return normalizedAngle(std::atan2(y, x)); }

AcGeVector2d& AcGeVector2d::rotateBy(double a) {
    const double c = std::cos(a), s = std::sin(a);
    *this = AcGeVector2d(c * x - s * y, s * x + c * y);
    return *this;
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return crossProduct(v).length() / (la * lb) <= tol.equalVector();
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol) const {
    const double la = length(), lb = v.length();
    if (la <= tol.equalVector() || lb <= tol.equalVector()) return false;
    return std::fabs(dotProduct(v)) / (la * lb) <= tol.equalVector();
}

// atan2 of |a x b| and a . b is accurate for small and near-pi angles alike.
double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& refVec) const {
    const AcGeVector3d cross = crossProduct(v);
    double a = std::atan2(cross.length(), dotProduct(v));
    if (cross.dotProduct(refVec) < 0.0) a = kTwoPi - a;
    return normalizedAngle(a);
}

double AcGeVector3d::angleOnPlane(const AcGePlanarEnt& plane) const {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return normalizedAngle(std::atan2(dotProduct(v.normal()), dotProduct(u.normal())));
}

// Rodrigues' rotation: v cos a + (k x v) sin a + k (k . v)(1 - cos a), k the unit axis.
AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis) {
    const AcGeVector3d k = axis.normal();
    if (k.isZeroLength()) return *this;
    const double c = std::cos(angle), s = std::sin(angle);
    *this = (*this) * c + k.crossProduct(*this) * s + k * (k.dotProduct(*this) * (1.0 - c));
    return *this;
}

AcGeVector3d AcGeVector3d::perpVector() const {
    const AcGeVector3d n = normal();
    const AcGeVector3d other = std::fabs(n.x) < 0.9 ? kXAxis : kYAxis;
    return n.crossProduct(other).normal();
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    const AcGeVector3d v = *this;
    x = m.entry[0][0] * v.x + m.entry[0][1] * v.y + m.entry[0][2] * v.z;
    y = m.entry[1][0] * v.x + m.entry[1][1] * v.y + m.entry[1][2] * v.z;
    z = m.entry[2][0] * v.x + m.entry[2][1] * v.y + m.entry[2][2] * v.z;
    return *this;
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& v) {
    *this = v;
    return transformBy(mat);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const {
    const AcGeVector3d n = planeNormal.normal();
    return *this - n * dotProduct(n);
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    const AcGePoint3d p = *this;
    x = m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2] * p.z + m.entry[0][3];
    y = m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2] * p.z + m.entry[1][3];
    z = m.entry[2][0] * p.x + m.entry[2][1] * p.y + m.entry[2][2] * p.z + m.entry[2][3];
    const double w =
        m.entry[3][0] * p.x + m.entry[3][1] * p.y + m.entry[3][2] * p.z + m.entry[3][3];
    // Affine matrices have w = 1; a projective one divides through.
    if (w != 1.0 && w != 0.0) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& p) {
    *this = p;
    return transformBy(mat);
}

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& axis,
                                   const AcGePoint3d& center) {
    AcGeVector3d v = *this - center;
    v.rotateBy(angle, axis);
    return *this = center + v;
}

AcGePoint3d& AcGePoint3d::scaleBy(double factor, const AcGePoint3d& center) {
    return *this = center + (*this - center) * factor;
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& plane) const {
    return *this - plane.normal() * plane.signedDistanceTo(*this);
}

// Moves along dir to the plane: p + t dir with n . (p + t dir - o) = 0.
AcGePoint3d AcGePoint3d::project(const AcGePlane& plane, const AcGeVector3d& dir) const {
    const double denom = plane.normal().dotProduct(dir);
    if (std::fabs(denom) <= AcGeContext::gTol.equalVector() * std::max(1.0, dir.length()))
        return *this;
    return *this + dir * (-plane.signedDistanceTo(*this) / denom);
}

AcGeVector3d acgeArbitraryXAxis(const AcGeVector3d& normal) {
    // 1/64: the host's threshold for "the normal is close to the world z axis".
    constexpr double kNearZ = 1.0 / 64.0;
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d ax = (std::fabs(n.x) < kNearZ && std::fabs(n.y) < kNearZ)
                                ? AcGeVector3d::kYAxis.crossProduct(n)
                                : AcGeVector3d::kZAxis.crossProduct(n);
    return ax.normal();
}

AcGePlane::AcGePlane() = default;

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal)
    : mOrigin(origin), mNormal(normal.normal()) {
    mUAxis = acgeArbitraryXAxis(mNormal);
    mVAxis = mNormal.crossProduct(mUAxis).normal();
}

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& uAxis,
                     const AcGeVector3d& vAxis)
    : mOrigin(origin) {
    mNormal = uAxis.crossProduct(vAxis).normal();
    mUAxis = uAxis.normal();
    mVAxis = mNormal.crossProduct(mUAxis).normal();
}

void AcGePlane::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1,
                               AcGeVector3d& axis2) const {
    origin = mOrigin;
    axis1 = mUAxis;
    axis2 = mVAxis;
}

double AcGePlane::signedDistanceTo(const AcGePoint3d& p) const {
    return (p - mOrigin).dotProduct(mNormal);
}

AcGePoint2d AcGePlane::paramOf(const AcGePoint3d& p) const {
    const AcGeVector3d d = p - mOrigin;
    return {d.dotProduct(mUAxis), d.dotProduct(mVAxis)};
}

AcGePoint3d AcGePlane::evalPoint(const AcGePoint2d& uv) const {
    return mOrigin + mUAxis * uv.x + mVAxis * uv.y;
}
