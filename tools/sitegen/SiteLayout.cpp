#include "SiteLayout.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// One half-plane of the clip box: inside(p) and where the edge a-b crosses it.
struct HalfPlane {
    std::function<bool(const AcGePoint2d&)> inside;
    std::function<AcGePoint2d(const AcGePoint2d&, const AcGePoint2d&)> cross;
};

// Where segment a-b meets the vertical line x = c (or horizontal y = c).
AcGePoint2d CrossX(const AcGePoint2d& a, const AcGePoint2d& b, double c) {
    const double t = (c - a.x) / (b.x - a.x);
    return {c, a.y + t * (b.y - a.y)};
}
AcGePoint2d CrossY(const AcGePoint2d& a, const AcGePoint2d& b, double c) {
    const double t = (c - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), c};
}

std::vector<AcGePoint2d> ClipHalfPlane(const std::vector<AcGePoint2d>& polygon,
                                       const HalfPlane& plane) {
    std::vector<AcGePoint2d> out;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const AcGePoint2d& a = polygon[(i + polygon.size() - 1) % polygon.size()];
        const AcGePoint2d& b = polygon[i];
        const bool aIn = plane.inside(a);
        const bool bIn = plane.inside(b);
        if (aIn != bIn) out.push_back(plane.cross(a, b));
        if (bIn) out.push_back(b);
    }
    return out;
}

// Corners closer than this (relative to the clip box) are one corner, and a
// corner this far from the line of its neighbours is on it: the coordinates
// of a grid of a few hundred metres carry about 1e-13 m of rounding.
constexpr double kSameCorner = 1e-9;

std::vector<AcGePoint2d> RemoveRepeated(const std::vector<AcGePoint2d>& in, double scale) {
    std::vector<AcGePoint2d> out;
    for (const AcGePoint2d& p : in)
        if (out.empty() || p.distanceTo(out.back()) > kSameCorner * scale) out.push_back(p);
    while (out.size() > 1 && out.front().distanceTo(out.back()) <= kSameCorner * scale)
        out.pop_back();
    return out;
}

std::vector<AcGePoint2d> RemoveCollinear(const std::vector<AcGePoint2d>& in, double scale) {
    std::vector<AcGePoint2d> out = in;
    bool removed = true;
    while (removed && out.size() > 2) {
        removed = false;
        for (size_t i = 0; i < out.size(); ++i) {
            const AcGePoint2d& a = out[(i + out.size() - 1) % out.size()];
            const AcGePoint2d& c = out[(i + 1) % out.size()];
            const AcGeVector2d ab = out[i] - a;
            const AcGeVector2d ac = c - a;
            const double cross = ab.x * ac.y - ab.y * ac.x;
            if (std::abs(cross) <= kSameCorner * scale * scale) {
                out.erase(out.begin() + static_cast<long>(i));
                removed = true;
                break;
            }
        }
    }
    return out;
}

AcGePoint2d Rotate(const AcGePoint2d& p, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c * p.x - s * p.y, s * p.x + c * p.y};
}

bool InHole(const SitePlan& plan, int row, int column) {
    return std::any_of(plan.holes.begin(), plan.holes.end(), [&](const CellBlock& h) {
        return row >= h.firstRow && row <= h.lastRow && column >= h.firstColumn &&
               column <= h.lastColumn;
    });
}

// The grid rows or columns the values span: cell k covers [(k-1)s, ks].
std::pair<int, int> CellRange(double lo, double hi, double spacing) {
    return {static_cast<int>(std::floor(lo / spacing)) + 1,
            static_cast<int>(std::ceil(hi / spacing))};
}

std::vector<AcGePoint2d> ToWorldAll(const SitePlan& plan, const std::vector<AcGePoint2d>& grid) {
    std::vector<AcGePoint2d> out;
    for (const AcGePoint2d& p : grid) out.push_back(ToWorld(plan, p));
    return out;
}

}  // namespace

AcGePoint2d ToGrid(const SitePlan& plan, const AcGePoint2d& world) {
    return Rotate({world.x - plan.origin.x, world.y - plan.origin.y}, -plan.angle);
}

AcGePoint2d ToWorld(const SitePlan& plan, const AcGePoint2d& grid) {
    const AcGePoint2d r = Rotate(grid, plan.angle);
    return {plan.origin.x + r.x, plan.origin.y + r.y};
}

double SignedArea(const std::vector<AcGePoint2d>& polygon) {
    double twice = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const AcGePoint2d& a = polygon[i];
        const AcGePoint2d& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

std::vector<AcGePoint2d> ClipToBox(const std::vector<AcGePoint2d>& polygon, double x0, double y0,
                                   double x1, double y1) {
    const HalfPlane planes[] = {
        {[=](const AcGePoint2d& p) { return p.x >= x0; },
         [=](const AcGePoint2d& a, const AcGePoint2d& b) { return CrossX(a, b, x0); }},
        {[=](const AcGePoint2d& p) { return p.x <= x1; },
         [=](const AcGePoint2d& a, const AcGePoint2d& b) { return CrossX(a, b, x1); }},
        {[=](const AcGePoint2d& p) { return p.y >= y0; },
         [=](const AcGePoint2d& a, const AcGePoint2d& b) { return CrossY(a, b, y0); }},
        {[=](const AcGePoint2d& p) { return p.y <= y1; },
         [=](const AcGePoint2d& a, const AcGePoint2d& b) { return CrossY(a, b, y1); }},
    };
    std::vector<AcGePoint2d> out = polygon;
    for (const HalfPlane& plane : planes) {
        if (out.empty()) break;
        out = ClipHalfPlane(out, plane);
    }
    const double scale = std::max(x1 - x0, y1 - y0);
    out = RemoveCollinear(RemoveRepeated(out, scale), scale);
    if (out.size() < 3) return {};
    if (SignedArea(out) < 0.0) std::reverse(out.begin(), out.end());
    return out;
}

std::vector<AcGePoint2d> HoleOutline(const SitePlan& plan, const CellBlock& hole) {
    const double s = plan.spacing;
    const double x0 = (hole.firstColumn - 1) * s, x1 = hole.lastColumn * s;
    const double y0 = (hole.firstRow - 1) * s, y1 = hole.lastRow * s;
    return ToWorldAll(plan, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

std::vector<PaneShape> LayOutPanes(const SitePlan& plan) {
    std::vector<AcGePoint2d> grid;
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const AcGePoint2d& p : plan.outline) {
        grid.push_back(ToGrid(plan, p));
        minX = std::min(minX, grid.back().x), maxX = std::max(maxX, grid.back().x);
        minY = std::min(minY, grid.back().y), maxY = std::max(maxY, grid.back().y);
    }
    const double s = plan.spacing;
    const auto [firstRow, lastRow] = CellRange(minY, maxY, s);
    const auto [firstColumn, lastColumn] = CellRange(minX, maxX, s);
    std::vector<PaneShape> panes;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (InHole(plan, row, column)) continue;
            const double x0 = (column - 1) * s, y0 = (row - 1) * s;
            std::vector<AcGePoint2d> piece = ClipToBox(grid, x0, y0, x0 + s, y0 + s);
            if (piece.empty() || SignedArea(piece) < kSliverShare * s * s) continue;
            // A whole square keeps its exact grid corners from the lower left.
            if (SignedArea(piece) > (1.0 - 1e-9) * s * s)
                piece = {{x0, y0}, {x0 + s, y0}, {x0 + s, y0 + s}, {x0, y0 + s}};
            panes.push_back(
                {row, column, static_cast<int>(panes.size()) + 1, ToWorldAll(plan, piece)});
        }
    return panes;
}
