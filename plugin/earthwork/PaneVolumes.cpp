#include "PaneVolumes.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "PaneVolumeResult.h"
#include "QuadVolumes.h"
#include "Region.h"
#include "TriangleVolumes.h"

namespace {

// Moves of the cutting phase after which the rest of a pane is given up.
constexpr int kMaxMoves = 51;

// The working lists of a pane being cut into triangles: corners and the two
// surfaces' values, turned and shortened together.
struct WorkingPane {
    std::vector<AcGePoint3d> points;
    std::vector<double> first;
    std::vector<double> second;

    size_t size() const { return points.size(); }

    void MoveFirstToEnd() {
        std::rotate(points.begin(), points.begin() + 1, points.end());
        std::rotate(first.begin(), first.begin() + 1, first.end());
        std::rotate(second.begin(), second.begin() + 1, second.end());
    }
    void RemoveSecond() {
        points.erase(points.begin() + 1);
        first.erase(first.begin() + 1);
        second.erase(second.begin() + 1);
    }
    std::vector<AcGePoint2d> Plan() const {
        std::vector<AcGePoint2d> plan;
        plan.reserve(points.size());
        for (const AcGePoint3d& p : points) plan.push_back(p.convert2d());
        return plan;
    }
};

// The midpoint of corners 1 and 3 lies in the current region.
bool MidpointInside(const std::vector<AcGePoint2d>& plan) {
    const AcGePoint2d mid(plan[0].x + (plan[2].x - plan[0].x) / 2.0,
                          plan[0].y + (plan[2].y - plan[0].y) / 2.0);
    return JudgePointInRegion(mid, plan) != 0;
}

// Corners 1, 2, 3 are cut off as a triangle when the midpoint of corners 1
// and 3 lies in the region and the triangle is an ear of it (it neither
// leaves the region nor covers another corner). On a convex pane every
// triangle passes both tests, so convex panes give the same triangles in the
// same order as the midpoint test alone. The last three corners are the last
// triangle.
bool TakesLeadingTriangle(const WorkingPane& pane) {
    if (pane.size() == 3) return true;
    const std::vector<AcGePoint2d> plan = pane.Plan();
    return MidpointInside(plan) && IsLeadingEar(plan);
}

void AddLeadingTriangle(const SettingsReader& settings, const WorkingPane& pane, double& fill,
                        double& cut) {
    const PaneVolumeResult t = CalcTriangleVolumes(
        settings, std::span(pane.points).first(3), std::span(pane.first).first(3),
        std::span(pane.second).first(3));
    fill += t.fill.volume;
    cut += t.cut.volume;
}

void CutIntoTriangles(const SettingsReader& settings, WorkingPane pane, double& fill, double& cut) {
    // Start where the midpoint of corners 1 and 3 lies outside, if anywhere.
    for (size_t k = 0; k < pane.size(); ++k) {
        if (!MidpointInside(pane.Plan())) break;
        pane.MoveFirstToEnd();
    }
    int moves = 0;
    while (pane.size() >= 3 && moves < kMaxMoves) {
        if (TakesLeadingTriangle(pane)) {
            AddLeadingTriangle(settings, pane, fill, cut);
            pane.RemoveSecond();
        } else {
            pane.MoveFirstToEnd();
            ++moves;
        }
    }
}

}  // namespace

void CalcPolygonVolumes(const SettingsReader& settings, std::span<const AcGePoint3d> points,
                        std::span<const double> first, std::span<const double> second,
                        double& fill, double& cut) {
    assert(points.size() == first.size() && points.size() == second.size());
    fill = cut = 0.0;
    if (points.size() < 3) return;
    PaneVolumeResult result;
    if (points.size() == 3) {
        result = CalcTriangleVolumes(settings, points, first, second);
    } else if (points.size() == 4) {
        result = CalcQuadVolumes(settings, points, first, second);
    } else {
        WorkingPane pane{{points.begin(), points.end()},
                         {first.begin(), first.end()},
                         {second.begin(), second.end()}};
        return CutIntoTriangles(settings, std::move(pane), fill, cut);
    }
    fill = result.fill.volume;
    cut = result.cut.volume;
}
