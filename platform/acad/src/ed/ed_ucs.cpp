// The current user coordinate system and conversions to and from world coordinates.
//
// A user point u = (ux, uy, uz) is the world point  origin + ux*X + uy*Y + uz*Z,
// with X, Y the system's unit axes and Z = X x Y (right-handed). The inverse
// projects the offset from the origin onto the axes.
#include "ed_state.h"

namespace {

AcGeVector3d zAxis(const AcEdUcs& u) { return u.xAxis.crossProduct(u.yAxis); }

AcGeVector3d toWorld(const AcEdUcs& u, const AcGeVector3d& v) {
    return u.xAxis * v.x + u.yAxis * v.y + zAxis(u) * v.z;
}

AcGeVector3d toUser(const AcEdUcs& u, const AcGeVector3d& v) {
    return {v.dotProduct(u.xAxis), v.dotProduct(u.yAxis), v.dotProduct(zAxis(u))};
}

// Codes of acedTrans: 0 world, 1 user, 2 display (plan view of the user system here).
bool isWorld(const resbuf* rb, bool& ok) {
    ok = rb != nullptr && rb->restype == RTSHORT && rb->resval.rint >= 0 && rb->resval.rint <= 2;
    return ok && rb->resval.rint == 0;
}

}  // namespace

bool acedHostSetUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                    const AcGeVector3d& yAxis) {
    // Axes shorter than this, or this close to parallel, define no plane.
    const double kTiny = 1e-12;
    if (xAxis.length() < kTiny || yAxis.length() < kTiny) return false;
    const AcGeVector3d x = xAxis / xAxis.length();
    AcGeVector3d y = yAxis - x * yAxis.dotProduct(x);
    if (y.length() < kTiny * yAxis.length() || y.length() < kTiny) return false;
    acedState().ucs = {origin, x, y / y.length()};
    return true;
}

AcEdUcs acedHostUcs() { return acedState().ucs; }

AcGePoint3d acedHostUcsToWcs(const AcGePoint3d& p) {
    const AcEdUcs& u = acedState().ucs;
    return u.origin + toWorld(u, p.asVector());
}

AcGePoint3d acedHostWcsToUcs(const AcGePoint3d& p) {
    const AcEdUcs& u = acedState().ucs;
    return AcGePoint3d::kOrigin + toUser(u, p - u.origin);
}

int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp,
              ads_point result) {
    bool okFrom = false;
    bool okTo = false;
    const bool fromWorld = isWorld(from, okFrom);
    const bool toWorldSystem = isWorld(to, okTo);
    if (!okFrom || !okTo || pt == nullptr || result == nullptr) return RTERROR;
    const AcEdUcs& u = acedState().ucs;
    AcGeVector3d v(pt[X], pt[Y], pt[Z]);
    AcGePoint3d out(pt[X], pt[Y], pt[Z]);
    if (fromWorld != toWorldSystem) {
        if (disp != 0)
            out = AcGePoint3d::kOrigin + (fromWorld ? toUser(u, v) : toWorld(u, v));
        else
            out = fromWorld ? acedHostWcsToUcs(out) : acedHostUcsToWcs(out);
    }
    result[X] = out.x;
    result[Y] = out.y;
    result[Z] = out.z;
    return RTNORM;
}

Adesk::Boolean acdbUcs2Wcs(ads_point p, ads_point q, Adesk::Boolean vec) {
    resbuf user{nullptr, RTSHORT, {}};
    resbuf world{nullptr, RTSHORT, {}};
    user.resval.rint = 1;
    world.resval.rint = 0;
    return acedTrans(p, &user, &world, vec ? 1 : 0, q) == RTNORM;
}

Adesk::Boolean acdbWcs2Ucs(ads_point p, ads_point q, Adesk::Boolean vec) {
    resbuf user{nullptr, RTSHORT, {}};
    resbuf world{nullptr, RTSHORT, {}};
    user.resval.rint = 1;
    world.resval.rint = 0;
    return acedTrans(p, &world, &user, vec ? 1 : 0, q) == RTNORM;
}
