#include <algorithm>
#include <cmath>
#include <utility>

#include "acge.h"

AcGeMatrix3d::AcGeMatrix3d() { setToIdentity(); }

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector()) return false;
    return true;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += entry[r][k] * m.entry[k][c];
            out.entry[r][c] = sum;
        }
    return out;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const {
    AcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.entry[r][c] = entry[c][r];
    return out;
}

// Gauss-Jordan elimination with partial pivoting; the determinant is the product of
// the pivots with the sign of the row swaps.
static bool eliminate(const double (&in)[4][4], double (&inv)[4][4], double& det, double tol) {
    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = in[r][c];
            inv[r][c] = r == c ? 1.0 : 0.0;
        }
    det = 1.0;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (std::fabs(a[pivot][col]) <= tol) {
            det = 0.0;
            return false;
        }
        if (pivot != col) {
            std::swap(a[pivot], a[col]);
            std::swap(inv[pivot], inv[col]);
            det = -det;
        }
        const double p = a[col][col];
        det *= p;
        for (int c = 0; c < 4; ++c) {
            a[col][c] /= p;
            inv[col][c] /= p;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            const double f = a[r][col];
            for (int c = 0; c < 4; ++c) {
                a[r][c] -= f * a[col][c];
                inv[r][c] -= f * inv[col][c];
            }
        }
    }
    return true;
}

double AcGeMatrix3d::det() const {
    double inv[4][4];
    double d = 0.0;
    eliminate(entry, inv, d, 0.0);
    return d;
}

bool AcGeMatrix3d::isSingular(const AcGeTol& tol) const {
    AcGeMatrix3d inv;
    return !inverse(inv, tol.equalVector());
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& inv, double tol) const {
    double out[4][4];
    double d = 0.0;
    if (!eliminate(entry, out, d, tol)) return false;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) inv.entry[r][c] = out[r][c];
    return true;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    AcGeMatrix3d inv;
    if (!inverse(inv)) inv.setToIdentity();
    return inv;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& vec) {
    setToIdentity();
    entry[0][3] = vec.x;
    entry[1][3] = vec.y;
    entry[2][3] = vec.z;
    return *this;
}

// The 3x3 part is Rodrigues' matrix cI + s[k]x + (1 - c) k k^T; the translation keeps
// center fixed: t = center - R center.
AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis,
                                          const AcGePoint3d& center) {
    setToIdentity();
    const AcGeVector3d k = axis.normal();
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    const double m[3][3] = {{c + t * k.x * k.x, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y},
                            {t * k.x * k.y + s * k.z, c + t * k.y * k.y, t * k.y * k.z - s * k.x},
                            {t * k.x * k.z - s * k.y, t * k.y * k.z + s * k.x, c + t * k.z * k.z}};
    for (int r = 0; r < 3; ++r) {
        for (int col = 0; col < 3; ++col) entry[r][col] = m[r][col];
        entry[r][3] = center[r] - (m[r][0] * center.x + m[r][1] * center.y + m[r][2] * center.z);
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double scale, const AcGePoint3d& center) {
    setToIdentity();
    for (int r = 0; r < 3; ++r) {
        entry[r][r] = scale;
        entry[r][3] = center[r] * (1.0 - scale);
    }
    return *this;
}

// Householder reflection I - 2 n n^T about the plane through its origin.
AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& plane) {
    setToIdentity();
    const AcGeVector3d n = plane.normal();
    const AcGePoint3d o = plane.pointOnPlane();
    const double d = o.asVector().dotProduct(n);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) entry[r][c] -= 2.0 * n[r] * n[c];
        entry[r][3] = 2.0 * d * n[r];
    }
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
    setToIdentity();
    for (int r = 0; r < 3; ++r) {
        entry[r][0] = xAxis[r];
        entry[r][1] = yAxis[r];
        entry[r][2] = zAxis[r];
        entry[r][3] = origin[r];
    }
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& vec) {
    return AcGeMatrix3d().setToTranslation(vec);
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis,
                                    const AcGePoint3d& center) {
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double scale, const AcGePoint3d& center) {
    return AcGeMatrix3d().setToScaling(scale, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& plane) {
    return AcGeMatrix3d().setToMirroring(plane);
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    const AcGeVector3d ax = acgeArbitraryXAxis(n);
    const AcGeVector3d ay = n.crossProduct(ax).normal();
    return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, ax, ay, n);
}

// The inverse of an orthonormal frame is its transpose.
AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    return planeToWorld(normal).transpose();
}

double AcGeMatrix3d::scale() const {
    return AcGeVector3d(entry[0][0], entry[1][0], entry[2][0]).length();
}

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const {
    const AcGeVector3d cols[3] = {{entry[0][0], entry[1][0], entry[2][0]},
                                  {entry[0][1], entry[1][1], entry[2][1]},
                                  {entry[0][2], entry[1][2], entry[2][2]}};
    const double s = cols[0].length();
    if (s <= tol.equalVector()) return false;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(cols[i].length() - s) > tol.equalVector() * std::max(1.0, s)) return false;
        const AcGeVector3d& other = cols[(i + 1) % 3];
        if (std::fabs(cols[i].dotProduct(other)) > tol.equalVector() * std::max(1.0, s * s))
            return false;
    }
    return true;
}
