// The neighbour search written the straightforward way, rule by rule: a
// working copy of the site points per corner, one full pass per sector and
// removal of every point taken. The fast search must agree with it on every
// input; tests and benchmarks compare the two.
#pragma once

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "ElevationPoint.h"

namespace reference {

using WorkingList = std::vector<std::pair<int, MLAYERELEDATA>>;  // original index, copy

inline bool Usable(const MLAYERELEDATA& p) {
    return !p.elevations.empty() && std::isfinite(p.position.x) && std::isfinite(p.position.y) &&
           std::isfinite(p.position.z);
}

inline bool InSector(double angle, int s) {
    const double low = s * 45 * 0.017453292222222222;
    const double high = (s + 1) * 45 * 0.017453292222222222;
    return angle >= low && (angle <= high || s == 7);  // the last sector reaches 2 pi
}

// Position in w of the nearest point of sector s, -1 when the sector is empty.
inline int NearestInSector(const WorkingList& w, const AcGePoint3d& corner, int s) {
    int best = -1;
    double bestDistance = 0.0;
    for (int j = 0; j < static_cast<int>(w.size()); ++j) {
        const AcGePoint3d& p = w[static_cast<size_t>(j)].second.position;
        double angle = std::atan2(p.y - corner.y, p.x - corner.x);
        if (angle < 0.0) angle += 2.0 * std::numbers::pi;
        const double distance = corner.distanceTo(p);
        if (InSector(angle, s) && (best < 0 || distance < bestDistance)) {
            best = j;
            bestDistance = distance;
        }
    }
    return best;
}

inline bool TakeFromSector(WorkingList& w, const AcGePoint3d& corner, int s,
                           std::vector<int>& out) {
    const int j = NearestInSector(w, corner, s);
    if (j < 0) return false;
    out.push_back(w[static_cast<size_t>(j)].first);
    w.erase(w.begin() + j);
    return true;
}

inline std::vector<int> SelectNeighbourIndices(const std::vector<MLAYERELEDATA>& points,
                                               const AcGePoint3d& cornerIn) {
    const AcGePoint3d corner(cornerIn.x, cornerIn.y, 0.0);
    WorkingList w;
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        if (Usable(points[static_cast<size_t>(i)]))
            w.emplace_back(i, points[static_cast<size_t>(i)]);
    for (const auto& [index, p] : w) {
        const double dx = p.position.x - corner.x, dy = p.position.y - corner.y;
        if (std::sqrt(dx * dx + dy * dy) < 0.00001) return {index};
    }
    std::vector<int> out;
    if (w.size() < 8) {
        for (const auto& entry : w) out.push_back(entry.first);
        return out;
    }
    for (int s = 0; s < 8; ++s) TakeFromSector(w, corner, s, out);
    while (out.size() < 3 && !w.empty()) {
        bool found = false;
        for (int s = 0; s < 8 && !found; ++s) found = TakeFromSector(w, corner, s, out);
        if (!found) break;
    }
    return out;
}

}  // namespace reference
