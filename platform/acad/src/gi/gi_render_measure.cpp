// Plan measures of recorded geometry: extents, text boxes and distances.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "giRenderRecord.h"

namespace {

struct Range {
    wchar_t first;
    wchar_t last;
};

// Characters drawn full width (one text height wide): Hangul Jamo, CJK
// radicals to Yi, Hangul syllables, compatibility ideographs and forms,
// full-width forms.
const Range kFullWidth[] = {
    {0x1100, 0x115F}, {0x2E80, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6},
};

bool isFullWidth(wchar_t c) {
    for (const Range& r : kFullWidth)
        if (c >= r.first && c <= r.last) return true;
    return static_cast<unsigned long>(c) >= 0x20000;  // supplementary ideographs
}

// Unit plan vector of a text's baseline (x axis when it has none).
AcGeVector3d baselineOf(const AcGiPrimitive& t) {
    AcGeVector3d u(t.direction.x, t.direction.y, 0.0);
    double len = u.length();
    return len > 0.0 ? u / len : AcGeVector3d(1.0, 0.0, 0.0);
}

// The four plan corners of a text's box: along the baseline by its length, up by its height.
void textCorners(const AcGiPrimitive& t, AcGePoint3d corners[4]) {
    const AcGeVector3d u = baselineOf(t);
    const AcGeVector3d v(-u.y, u.x, 0.0);
    const AcGePoint3d p(t.points[0].x, t.points[0].y, 0.0);
    const double length = acgiTextLength(t);
    corners[0] = p;
    corners[1] = p + u * length;
    corners[2] = p + u * length + v * t.height;
    corners[3] = p + v * t.height;
}

double planDistance(const AcGePoint3d& a, const AcGePoint3d& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double segmentDistance(const AcGePoint3d& p, const AcGePoint3d& a, const AcGePoint3d& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double s = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    s = std::clamp(s, 0.0, 1.0);
    return std::hypot(p.x - (a.x + s * dx), p.y - (a.y + s * dy));
}

double pathDistance(const std::vector<AcGePoint3d>& pts, bool closed, const AcGePoint3d& p) {
    if (pts.empty()) return HUGE_VAL;
    double best = planDistance(p, pts[0]);
    for (size_t i = 1; i < pts.size(); ++i)
        best = std::min(best, segmentDistance(p, pts[i - 1], pts[i]));
    if (closed && pts.size() > 2) best = std::min(best, segmentDistance(p, pts.back(), pts[0]));
    return best;
}

AcGePoint3d arcPoint(const AcGiPrimitive& a, double t) {
    const double start = std::atan2(a.startVector.y, a.startVector.x);
    const double angle = start + a.sweepAngle * t;
    const AcGePoint3d& c = a.points[0];
    return {c.x + a.radius * std::cos(angle), c.y + a.radius * std::sin(angle), 0.0};
}

double arcDistance(const AcGiPrimitive& a, const AcGePoint3d& p) {
    const AcGePoint3d& c = a.points[0];
    const double start = std::atan2(a.startVector.y, a.startVector.x);
    // Angle of p swept from the start in the arc's direction, in [0, 2 pi).
    double along = std::atan2(p.y - c.y, p.x - c.x) - start;
    if (a.sweepAngle < 0.0) along = -along;
    along = std::fmod(along, 2.0 * std::numbers::pi);
    if (along < 0.0) along += 2.0 * std::numbers::pi;
    if (along <= std::fabs(a.sweepAngle)) return std::fabs(planDistance(p, c) - a.radius);
    return std::min(planDistance(p, arcPoint(a, 0.0)), planDistance(p, arcPoint(a, 1.0)));
}

double textDistance(const AcGiPrimitive& t, const AcGePoint3d& p) {
    const AcGeVector3d u = baselineOf(t);
    const AcGeVector3d v(-u.y, u.x, 0.0);
    const AcGeVector3d d(p.x - t.points[0].x, p.y - t.points[0].y, 0.0);
    const double s = d.dotProduct(u);
    const double h = d.dotProduct(v);
    const double ds = s < 0.0 ? -s : std::max(0.0, s - acgiTextLength(t));
    const double dh = h < 0.0 ? -h : std::max(0.0, h - t.height);
    return std::hypot(ds, dh);
}

// Arcs add their end points and enough points along them to bound them.
constexpr int kArcSamples = 32;

}  // namespace

void AcGiExtents2d::add(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

double acgiTextLength(const AcGiPrimitive& text) {
    double ems = 0.0;
    for (wchar_t c : text.text) ems += isFullWidth(c) ? 1.0 : 0.6;
    return ems * text.height * text.widthFactor;
}

AcGiExtents2d acgiExtents(const std::vector<AcGiPrimitive>& primitives) {
    AcGiExtents2d e;
    for (const AcGiPrimitive& p : primitives) {
        if (p.points.empty()) continue;
        switch (p.kind) {
            case AcGiPrimitive::Kind::kCircle:
                e.add(p.points[0].x - p.radius, p.points[0].y - p.radius);
                e.add(p.points[0].x + p.radius, p.points[0].y + p.radius);
                break;
            case AcGiPrimitive::Kind::kArc:
                for (int i = 0; i <= kArcSamples; ++i) {
                    AcGePoint3d q = arcPoint(p, static_cast<double>(i) / kArcSamples);
                    e.add(q.x, q.y);
                }
                break;
            case AcGiPrimitive::Kind::kText: {
                AcGePoint3d corners[4];
                textCorners(p, corners);
                for (const AcGePoint3d& c : corners) e.add(c.x, c.y);
                break;
            }
            default:
                for (const AcGePoint3d& q : p.points) e.add(q.x, q.y);
        }
    }
    return e;
}

double acgiDistanceTo(const AcGiPrimitive& primitive, const AcGePoint3d& point) {
    if (primitive.points.empty()) return HUGE_VAL;
    switch (primitive.kind) {
        case AcGiPrimitive::Kind::kCircle:
            return std::fabs(planDistance(point, primitive.points[0]) - primitive.radius);
        case AcGiPrimitive::Kind::kArc:
            return arcDistance(primitive, point);
        case AcGiPrimitive::Kind::kText:
            return textDistance(primitive, point);
        case AcGiPrimitive::Kind::kPolygon:
            return pathDistance(primitive.points, true, point);
        case AcGiPrimitive::Kind::kPolyline:
            break;
    }
    return pathDistance(primitive.points, false, point);
}
