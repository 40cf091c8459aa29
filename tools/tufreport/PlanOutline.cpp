#include "PlanOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Equal vertices as the drawing stores them; the closing duplicate is a copy.
constexpr double kSamePoint = 1e-9;

bool Same(const PlanPoint& a, const PlanPoint& b) {
    return std::fabs(a.x - b.x) <= kSamePoint && std::fabs(a.y - b.y) <= kSamePoint;
}

// The points of the arc from p to q after p itself, q excluded. The arc's
// angle is θ = 4·atan(bulge); its centre lies on the chord's perpendicular
// bisector at distance (chord/2)·cot(θ/2), to the left for positive bulges.
void AppendArc(const PlanPoint& p, const PlanPoint& q, double bulge, Outline& out) {
    const double theta = 4.0 * std::atan(bulge);
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double offset = 0.5 / std::tan(theta / 2.0);
    const PlanPoint centre{p.x + dx / 2.0 - dy * offset, p.y + dy / 2.0 + dx * offset};
    const double radius = std::hypot(p.x - centre.x, p.y - centre.y);
    const double start = std::atan2(p.y - centre.y, p.x - centre.x);
    const int steps =
        std::max(2, static_cast<int>(std::ceil(std::fabs(theta) / (std::numbers::pi / 16.0))));
    for (int s = 1; s < steps; ++s) {
        const double a = start + theta * s / steps;
        out.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
}

}  // namespace

Outline FlattenOutline(std::vector<PlanPoint> vertices, const std::vector<double>& bulges) {
    if (vertices.size() > 1 && Same(vertices.front(), vertices.back())) vertices.pop_back();
    Outline out;
    for (size_t i = 0; i < vertices.size(); ++i) {
        out.push_back(vertices[i]);
        const double bulge = i < bulges.size() ? bulges[i] : 0.0;
        const PlanPoint& next = vertices[(i + 1) % vertices.size()];
        if (bulge != 0.0 && vertices.size() > 1 && !Same(vertices[i], next))
            AppendArc(vertices[i], next, bulge, out);
    }
    return out;
}
