#include "db_curve_pieces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dbents.h"
#include "dbpl.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Curves meet, rather than only cross in projection, when the points their
// parameters lift to lie within this many point tolerances. The crossing is
// solved in the plane to about one tolerance, and lifting the parameters back
// multiplies that error by how steeply a piece leaves the plane and by an
// arc's radius; a thousand tolerances leaves room for that growth, yet is only
// a millionth of the coordinates' size (the tolerance is 1e-9 of it), far
// below any gap drawn on purpose.
constexpr double kMeetSlack = 1e3;

double foldAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

CurvePiece linePiece(const AcGePoint3d& a, const AcGePoint3d& b, double p0, double p1) {
    CurvePiece piece;
    piece.start = a;
    piece.end = b;
    piece.paramStart = p0;
    piece.paramEnd = p1;
    return piece;
}

CurvePiece circlePiece(const AcDbCircle& c) {
    CurvePiece piece;
    piece.arc = true;
    piece.center = c.center();
    piece.radius = c.radius();
    piece.normal = c.normal().normal();
    piece.start = piece.end = piece.center + acgeArbitraryXAxis(piece.normal) * piece.radius;
    piece.sweep = kTwoPi;
    piece.paramStart = 0.0;
    piece.paramEnd = kTwoPi;
    return piece;
}

// Segment i of a polyline: a chord, or an arc of sweep 4 atan(bulge) whose centre
// lies off the chord's midpoint by (half chord) / tan(sweep / 2), to the left for a
// positive bulge.
CurvePiece polylineSegment(const AcDbPolyline& pl, unsigned int i) {
    const unsigned int j = (i + 1) % pl.numVerts();
    AcGePoint2d a, b;
    double bulge = 0.0;
    pl.getPointAt(i, a);
    pl.getPointAt(j, b);
    pl.getBulgeAt(i, bulge);
    AcGePoint3d wa, wb;
    pl.getPointAt(i, wa);
    pl.getPointAt(j, wb);
    CurvePiece piece = linePiece(wa, wb, i, i + 1.0);
    if (std::fabs(bulge) < 1e-12 || a.distanceTo(b) == 0.0) return piece;
    const double sweep = 4.0 * std::atan(bulge);
    const AcGeVector2d chord = b - a;
    const AcGeVector2d left(-chord.y, chord.x);
    const double offset = 0.5 / std::tan(sweep / 2.0);
    const AcGePoint2d c2(a.x + chord.x / 2.0 + left.x * offset,
                         a.y + chord.y / 2.0 + left.y * offset);
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(pl.normal());
    piece.arc = true;
    piece.center = AcGePoint3d(c2.x, c2.y, pl.elevation()).transformBy(toWorld);
    piece.radius = a.distanceTo(c2);
    piece.normal = pl.normal().normal();
    piece.sweep = sweep;
    return piece;
}

Acad::ErrorStatus polylinePieces(const AcDbPolyline& pl, bool extend,
                                 std::vector<CurvePiece>& pieces) {
    for (unsigned int i = 0; i < pl.numSegments(); ++i) {
        const AcDb::SegType type = pl.segType(i);
        if (type == AcDb::kLine || type == AcDb::kArc) pieces.push_back(polylineSegment(pl, i));
    }
    if (extend && !pl.isClosed() && !pieces.empty()) {
        pieces.front().openBefore = true;
        pieces.back().openAfter = true;
    }
    return Acad::eOk;
}

}  // namespace

double acdbPointTolerance(double magnitude) {
    return std::max(AcGeContext::gTol.equalPoint(), 1e-9 * std::max(1.0, magnitude));
}

AcGePoint3d CurvePiece::pointAt(double t) const {
    if (!arc) return start + (end - start) * t;
    AcGeVector3d v = start - center;
    return center + v.rotateBy(sweep * t, normal);
}

double CurvePiece::length() const {
    return arc ? std::fabs(sweep) * radius : start.distanceTo(end);
}

Acad::ErrorStatus acdbCurvePieces(const AcDbEntity& entity, bool extend,
                                  std::vector<CurvePiece>& pieces) {
    pieces.clear();
    if (const AcDbLine* line = AcDbLine::cast(&entity)) {
        const double len = line->startPoint().distanceTo(line->endPoint());
        pieces.push_back(linePiece(line->startPoint(), line->endPoint(), 0.0, len));
        pieces.back().openBefore = pieces.back().openAfter = extend;
    } else if (const AcDbRay* ray = AcDbRay::cast(&entity)) {
        pieces.push_back(linePiece(ray->basePoint(), ray->basePoint() + ray->unitDir(), 0.0, 1.0));
        pieces.back().openAfter = true;
        pieces.back().openBefore = extend;
    } else if (const AcDbCircle* circle = AcDbCircle::cast(&entity)) {
        pieces.push_back(circlePiece(*circle));
    } else if (const AcDbPolyline* pl = AcDbPolyline::cast(&entity)) {
        return polylinePieces(*pl, extend, pieces);
    } else {
        return Acad::eNotApplicable;
    }
    return Acad::eOk;
}

bool acdbCurvePlane(const AcDbEntity& entity, AcGePlane& plane) {
    if (const AcDbCircle* circle = AcDbCircle::cast(&entity)) {
        plane = AcGePlane(circle->center(), circle->normal());
        return true;
    }
    if (const AcDbPolyline* pl = AcDbPolyline::cast(&entity)) {
        const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(pl->normal());
        plane =
            AcGePlane(AcGePoint3d(0.0, 0.0, pl->elevation()).transformBy(toWorld), pl->normal());
        return true;
    }
    return false;
}

namespace {

// Position along a piece (0..1, beyond when open) of the point nearest to p.
double nearestT(const CurvePiece& piece, const AcGePoint3d& p) {
    if (!piece.arc) {
        const AcGeVector3d d = piece.end - piece.start;
        const double len2 = d.lengthSqrd();
        double t = len2 > 0.0 ? (p - piece.start).dotProduct(d) / len2 : 0.0;
        if (!piece.openBefore) t = std::max(t, 0.0);
        if (!piece.openAfter) t = std::min(t, 1.0);
        return t;
    }
    const AcGeVector3d v0 = piece.start - piece.center;
    const AcGeVector3d vp = (p - piece.center).orthoProject(piece.normal);
    if (vp.isZeroLength()) return 0.0;
    const double a =
        piece.sweep >= 0.0 ? v0.angleTo(vp, piece.normal) : v0.angleTo(vp, -piece.normal);
    const double span = std::fabs(piece.sweep);
    if (a <= span || piece.openBefore || piece.openAfter) return a / span;
    // Outside the arc: the nearer end.
    return piece.pointAt(1.0).distanceTo(p) < piece.start.distanceTo(p) ? 1.0 : 0.0;
}

}  // namespace

bool acdbClosestOnPieces(const std::vector<CurvePiece>& pieces, const AcGePoint3d& p,
                         AcGePoint3d& closest, double& param) {
    double best = -1.0;
    for (const CurvePiece& piece : pieces) {
        const double t = nearestT(piece, p);
        const AcGePoint3d q = piece.pointAt(t);
        const double d = q.distanceTo(p);
        if (best >= 0.0 && d >= best) continue;
        best = d;
        closest = q;
        param = piece.paramStart + t * (piece.paramEnd - piece.paramStart);
    }
    return best >= 0.0;
}

namespace {

// A piece seen in the projection plane, in the plane's (u, v) coordinates.
struct FlatPiece {
    const CurvePiece* source = nullptr;
    bool arc = false;
    AcGePoint2d a, b;  // line ends
    AcGePoint2d c;     // arc centre
    double r = 0.0;
    double a0 = 0.0;     // arc start angle
    double sweep = 0.0;  // signed, in the plane's orientation
    bool full = false;
};

double cross(const AcGeVector2d& p, const AcGeVector2d& q) { return p.x * q.y - p.y * q.x; }

Acad::ErrorStatus flatten(const CurvePiece& piece, const AcGePlane& plane, FlatPiece& flat) {
    flat.source = &piece;
    flat.arc = piece.arc;
    if (!piece.arc) {
        flat.a = plane.paramOf(piece.start);
        flat.b = plane.paramOf(piece.end);
        return Acad::eOk;
    }
    // A circle seen from a plane it is not parallel to is an ellipse: not handled.
    if (!piece.normal.isParallelTo(plane.normal(), AcGeTol())) return Acad::eNotApplicable;
    flat.c = plane.paramOf(piece.center);
    flat.r = piece.radius;
    flat.a0 = (plane.paramOf(piece.start) - flat.c).angle();
    flat.sweep = piece.normal.dotProduct(plane.normal()) >= 0.0 ? piece.sweep : -piece.sweep;
    flat.full = piece.openBefore || piece.openAfter || std::fabs(piece.sweep) >= kTwoPi;
    return Acad::eOk;
}

// Position (0..1) along a flat arc of the point at angle; -1 when off the arc.
double arcT(const FlatPiece& f, double angle, double tol) {
    double off = foldAngle(f.sweep >= 0.0 ? angle - f.a0 : f.a0 - angle);
    const double span = std::fabs(f.sweep);
    const double angTol = tol / std::max(f.r, tol);
    if (f.full) return off / kTwoPi;
    if (off > span + angTol && off < kTwoPi - angTol) return -1.0;
    if (off >= kTwoPi - angTol) off = 0.0;
    return std::min(off, span) / span;
}

bool lineTOk(const FlatPiece& f, double t, double tol) {
    const double len = f.a.distanceTo(f.b);
    const double slack = len > 0.0 ? tol / len : 0.0;
    return (f.source->openBefore || t >= -slack) && (f.source->openAfter || t <= 1.0 + slack);
}

struct Hit {
    double tMine;
    double tOther;
};

void lineLine(const FlatPiece& p, const FlatPiece& q, double tol, std::vector<Hit>& hits) {
    const AcGeVector2d d1 = p.b - p.a, d2 = q.b - q.a;
    const double den = cross(d1, d2);
    // Parallel (and collinear) pieces give no points.
    if (std::fabs(den) <= 1e-12 * d1.length() * d2.length()) return;
    const AcGeVector2d w = q.a - p.a;
    const double t = cross(w, d2) / den, u = cross(w, d1) / den;
    if (lineTOk(p, t, tol) && lineTOk(q, u, tol)) hits.push_back({t, u});
}

// |a + t d - c|^2 = r^2, solved for t; a near-zero discriminant is a tangent point.
void lineArc(const FlatPiece& line, const FlatPiece& arc, double tol, bool lineIsMine,
             std::vector<Hit>& hits) {
    const AcGeVector2d d = line.b - line.a, w = line.a - arc.c;
    const double A = d.dotProduct(d), B = 2.0 * d.dotProduct(w),
                 C = w.dotProduct(w) - arc.r * arc.r;
    if (A == 0.0) return;
    double disc = B * B - 4.0 * A * C;
    const double tangentSlack = 4.0 * A * 2.0 * arc.r * tol;
    if (disc < -tangentSlack) return;
    disc = std::max(disc, 0.0);
    const double root = std::sqrt(disc);
    const double ts[2] = {(-B - root) / (2.0 * A), (-B + root) / (2.0 * A)};
    for (int k = 0; k < (root == 0.0 ? 1 : 2); ++k) {
        const double t = ts[k];
        const AcGePoint2d pt = line.a + d * t;
        const double at = arcT(arc, (pt - arc.c).angle(), tol);
        if (at < 0.0 || !lineTOk(line, t, tol)) continue;
        hits.push_back(lineIsMine ? Hit{t, at} : Hit{at, t});
    }
}

void arcArc(const FlatPiece& p, const FlatPiece& q, double tol, std::vector<Hit>& hits) {
    const AcGeVector2d between = q.c - p.c;
    const double d = between.length();
    if (d <= tol || d > p.r + q.r + tol || d < std::fabs(p.r - q.r) - tol) return;
    // Distance from p's centre, along the centre line, to the chord through the points.
    const double along = (d * d + p.r * p.r - q.r * q.r) / (2.0 * d);
    const double h = std::sqrt(std::max(p.r * p.r - along * along, 0.0));
    const AcGeVector2d e = between * (1.0 / d), perp(-e.y, e.x);
    const AcGePoint2d base = p.c + e * along;
    const AcGePoint2d candidates[2] = {base + perp * h, base - perp * h};
    for (int k = 0; k < (h <= tol ? 1 : 2); ++k) {
        const double tp = arcT(p, (candidates[k] - p.c).angle(), tol);
        const double tq = arcT(q, (candidates[k] - q.c).angle(), tol);
        if (tp >= 0.0 && tq >= 0.0) hits.push_back({tp, tq});
    }
}

void intersectFlat(const FlatPiece& p, const FlatPiece& q, double tol, std::vector<Hit>& hits) {
    if (!p.arc && !q.arc)
        lineLine(p, q, tol, hits);
    else if (!p.arc)
        lineArc(p, q, tol, true, hits);
    else if (!q.arc)
        lineArc(q, p, tol, false, hits);
    else
        arcArc(p, q, tol, hits);
}

// Where a flat position lies on the piece in space. An arc that is whole (extended)
// turns by the full circle over t = 0..1.
AcGePoint3d lift(const FlatPiece& f, double t) {
    if (!f.arc || !f.full) return f.source->pointAt(t);
    CurvePiece whole = *f.source;
    whole.sweep = whole.sweep >= 0.0 ? kTwoPi : -kTwoPi;
    return whole.pointAt(t);
}

double magnitudeOf(const std::vector<CurvePiece>& pieces) {
    double m = 0.0;
    for (const CurvePiece& p : pieces)
        m = std::max({m, p.start.asVector().length(), p.end.asVector().length(),
                      p.center.asVector().length()});
    return m;
}

}  // namespace

Acad::ErrorStatus acdbIntersectPieces(const std::vector<CurvePiece>& mine,
                                      const std::vector<CurvePiece>& other, const AcGePlane& plane,
                                      bool requireMeet, AcGePoint3dArray& points) {
    const double tol = acdbPointTolerance(std::max(magnitudeOf(mine), magnitudeOf(other)));
    std::vector<FlatPiece> flatMine(mine.size()), flatOther(other.size());
    for (size_t i = 0; i < mine.size(); ++i)
        if (Acad::ErrorStatus es = flatten(mine[i], plane, flatMine[i]); es != Acad::eOk) return es;
    for (size_t i = 0; i < other.size(); ++i)
        if (Acad::ErrorStatus es = flatten(other[i], plane, flatOther[i]); es != Acad::eOk)
            return es;
    for (const FlatPiece& p : flatMine) {
        for (const FlatPiece& q : flatOther) {
            std::vector<Hit> hits;
            intersectFlat(p, q, tol, hits);
            for (const Hit& hit : hits) {
                const AcGePoint3d onMine = lift(p, hit.tMine);
                // Curves that only cross in projection lift to points apart; rounding in
                // the projection stays far below a thousand point tolerances.
                if (requireMeet && onMine.distanceTo(lift(q, hit.tOther)) > tol * kMeetSlack)
                    continue;
                const AcGeTol same = [&] {
                    AcGeTol t;
                    t.setEqualPoint(tol * 10.0);
                    return t;
                }();
                bool seen = false;
                for (const AcGePoint3d& known : points)
                    seen = seen || known.isEqualTo(onMine, same);
                if (!seen) points.append(onMine);
            }
        }
    }
    return Acad::eOk;
}
