// Geometry types with the host SDK's names (AcGe). Only what the plug-in and
// the stand-in use; semantics follow the host's documentation.
#pragma once

#include <cmath>

#include "acarray.h"

class AcGeTol {
  public:
    AcGeTol() = default;
    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double v) { mEqualPoint = v; }
    void setEqualVector(double v) { mEqualVector = v; }

  private:
    // The host's default tolerances.
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-12;
};

struct AcGeContext {
    static AcGeTol gTol;
};

class AcGeVector2d;
class AcGeVector3d;
class AcGeMatrix3d;
class AcGePlanarEnt;
class AcGePlane;

class AcGePoint2d {
  public:
    AcGePoint2d() = default;
    AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
    double distanceTo(const AcGePoint2d& p) const { return std::hypot(p.x - x, p.y - y); }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    AcGePoint2d operator+(const AcGeVector2d& v) const;
    AcGePoint2d operator-(const AcGeVector2d& v) const;
    AcGeVector2d operator-(const AcGePoint2d& p) const;
    AcGePoint2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }
    static const AcGePoint2d kOrigin;
    double x = 0.0;
    double y = 0.0;
};

class AcGeVector2d {
  public:
    AcGeVector2d() = default;
    AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;
    double length() const { return std::hypot(x, y); }
    // Angle from the x axis in [0, 2 pi).
    double angle() const;
    AcGeVector2d normal() const {
        double len = length();
        return len > 0.0 ? AcGeVector2d(x / len, y / len) : *this;
    }
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d& rotateBy(double angle);
    double x = 0.0;
    double y = 0.0;
};

inline AcGePoint2d AcGePoint2d::operator+(const AcGeVector2d& v) const {
    return {x + v.x, y + v.y};
}
inline AcGePoint2d AcGePoint2d::operator-(const AcGeVector2d& v) const {
    return {x - v.x, y - v.y};
}
inline AcGeVector2d AcGePoint2d::operator-(const AcGePoint2d& p) const {
    return {x - p.x, y - p.y};
}

class AcGeVector3d {
  public:
    AcGeVector3d() = default;
    AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    static const AcGeVector3d kIdentity;
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double lengthSqrd() const { return x * x + y * y + z * z; }
    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const {
        double len = length();
        if (len <= tol.equalVector()) return *this;
        return {x / len, y / len, z / len};
    }
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol) { return *this = normal(tol); }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const {
        return length() <= tol.equalVector();
    }
    bool isEqualTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const {
        return (*this - v).length() <= tol.equalVector();
    }
    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v) { return *this = *this + v; }
    AcGeVector3d& operator-=(const AcGeVector3d& v) { return *this = *this - v; }
    AcGeVector3d& operator*=(double s) { return *this = *this * s; }
    bool operator==(const AcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector3d& v) const { return !isEqualTo(v); }

    bool isParallelTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const {
        return std::fabs(length() - 1.0) <= tol.equalVector();
    }
    // Angle between the vectors in [0, pi].
    double angleTo(const AcGeVector3d& v) const;
    // Angle from this vector to v in [0, 2 pi), counter-clockwise seen from the tip of refVec.
    double angleTo(const AcGeVector3d& v, const AcGeVector3d& refVec) const;
    // Angle in [0, 2 pi) of the projection of this vector onto the plane, measured
    // counter-clockwise about the plane's normal from the plane's u axis (the x axis for kXYPlane).
    double angleOnPlane(const AcGePlanarEnt& plane) const;
    // Rotates counter-clockwise (right-hand rule) about axis by angle radians.
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);
    // Any unit vector perpendicular to this one.
    AcGeVector3d perpVector() const;
    AcGeVector3d& transformBy(const AcGeMatrix3d& mat);
    AcGeVector3d& setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& v);
    AcGeVector3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;
    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline AcGeVector3d operator*(double s, const AcGeVector3d& v) { return v * s; }

class AcGePoint3d {
  public:
    AcGePoint3d() = default;
    AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    static const AcGePoint3d kOrigin;

    double distanceTo(const AcGePoint3d& p) const { return (p - *this).length(); }
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGeVector3d asVector() const { return {x, y, z}; }
    AcGePoint2d convert2d() const { return {x, y}; }

    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGePoint3d& operator+=(const AcGeVector3d& v) { return *this = *this + v; }
    AcGePoint3d& operator-=(const AcGeVector3d& v) { return *this = *this - v; }
    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }

    AcGePoint3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGePoint3d& transformBy(const AcGeMatrix3d& mat);
    AcGePoint3d& setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& p);
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& axis,
                          const AcGePoint3d& center = kOrigin);
    AcGePoint3d& scaleBy(double factor, const AcGePoint3d& center = kOrigin);
    AcGePoint3d& setToSum(const AcGePoint3d& p, const AcGeVector3d& v) { return *this = p + v; }
    // Projection onto the plane along its normal.
    AcGePoint3d orthoProject(const AcGePlane& plane) const;
    // Projection onto the plane along dir; the point itself when dir is parallel to the plane.
    AcGePoint3d project(const AcGePlane& plane, const AcGeVector3d& dir) const;
    AcGePoint3d operator*(double s) const { return {x * s, y * s, z * s}; }
    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

using AcGePoint3dArray = AcArray<AcGePoint3d>;
using AcGePoint2dArray = AcArray<AcGePoint2d>;
using AcGeDoubleArray = AcArray<double>;
using AcGeVector3dArray = AcArray<AcGeVector3d>;

// A 4x4 affine transformation acting on column vectors: p' = M p, with the
// translation in the last column (entry[0..2][3]). a * b applies b first.
class AcGeMatrix3d {
  public:
    AcGeMatrix3d();  // identity
    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d& setToIdentity();
    bool isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol = AcGeContext::gTol) const;
    bool operator==(const AcGeMatrix3d& m) const { return isEqualTo(m); }
    bool operator!=(const AcGeMatrix3d& m) const { return !isEqualTo(m); }
    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& m) { return *this = *this * m; }
    AcGeMatrix3d& preMultiplyBy(const AcGeMatrix3d& left) { return *this = left * *this; }
    AcGeMatrix3d& postMultiplyBy(const AcGeMatrix3d& right) { return *this = *this * right; }
    AcGeMatrix3d& setToProduct(const AcGeMatrix3d& a, const AcGeMatrix3d& b) {
        return *this = a * b;
    }

    double det() const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    // The inverse; a singular matrix has none and the identity is returned.
    AcGeMatrix3d inverse() const;
    // The inverse into inv; false (inv untouched) when the matrix is singular.
    bool inverse(AcGeMatrix3d& inv, double tol = 1e-12) const;
    AcGeMatrix3d& invert() { return *this = inverse(); }
    AcGeMatrix3d transpose() const;
    AcGeMatrix3d& transposeIt() { return *this = transpose(); }

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& vec);
    // Counter-clockwise rotation (right-hand rule) about the axis through center.
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    // Mirror in the plane.
    AcGeMatrix3d& setToMirroring(const AcGePlane& plane);
    // Maps the world axes onto the given coordinate system (origin, x, y, z axes).
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                 const AcGeVector3d& yAxis, const AcGeVector3d& zAxis);
    static AcGeMatrix3d translation(const AcGeVector3d& vec);
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d mirroring(const AcGePlane& plane);
    // From the object coordinate system of an entity with this normal (the host's
    // arbitrary-axis rule) to world coordinates, and back.
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);

    AcGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    // Uniform scale factor (length of the image of a unit x vector).
    double scale() const;
    // True when the matrix scales all directions alike and keeps angles.
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    double operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
    double& operator()(unsigned int row, unsigned int col) { return entry[row][col]; }

    double entry[4][4];
};

inline AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p) {
    return AcGePoint3d(p).transformBy(m);
}
inline AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v) {
    return AcGeVector3d(v).transformBy(m);
}

// The x axis of the object coordinate system of a plane with this normal (the host's
// arbitrary-axis rule: world y x normal when the normal is within 1/64 of the z axis,
// world z x normal otherwise).
AcGeVector3d acgeArbitraryXAxis(const AcGeVector3d& normal);

class AcGePlanarEnt {
  public:
    virtual ~AcGePlanarEnt() = default;
    virtual AcGePoint3d pointOnPlane() const = 0;
    virtual AcGeVector3d normal() const = 0;
    // Origin and the two in-plane axes.
    virtual void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1,
                                AcGeVector3d& axis2) const = 0;
};

// An unbounded plane through an origin with a unit normal and in-plane axes u, v.
class AcGePlane : public AcGePlanarEnt {
  public:
    AcGePlane();  // the XY plane
    // u axis from the arbitrary-axis rule.
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    AcGePoint3d pointOnPlane() const override { return mOrigin; }
    AcGeVector3d normal() const override { return mNormal; }
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1,
                        AcGeVector3d& axis2) const override;
    // Signed distance, positive on the normal's side.
    double signedDistanceTo(const AcGePoint3d& p) const;
    double distanceTo(const AcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }
    bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    // Coordinates of p (projected) in the plane's (u, v) system.
    AcGePoint2d paramOf(const AcGePoint3d& p) const;
    AcGePoint3d evalPoint(const AcGePoint2d& uv) const;

  private:
    AcGePoint3d mOrigin;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    AcGeVector3d mUAxis{1.0, 0.0, 0.0};
    AcGeVector3d mVAxis{0.0, 1.0, 0.0};
};
