#include "SectorPass.h"

#include <algorithm>

namespace sector_pass {

namespace {

bool IsTaken(const std::vector<int>& taken, int index) {
    return std::find(taken.begin(), taken.end(), index) != taken.end();
}

}  // namespace

std::vector<int> PickPerSector(const Visit& visit) {
    std::vector<int> taken;
    taken.reserve(kSectorCount);
    for (int s = 0; s < kSectorCount; ++s) {
        Candidate best = visit.nearest[s];
        if (s > 0)
            for (const Candidate& shared : visit.onUpperBound[s - 1])
                if (Precedes(shared, best) && !IsTaken(taken, shared.index)) best = shared;
        if (best.index >= 0) taken.push_back(best.index);
    }
    return taken;
}

}  // namespace sector_pass
