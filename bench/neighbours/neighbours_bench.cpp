// Neighbour search per corner on a site of random elevation points: the
// indexed search, the single-pass search and the straightforward one (working
// copy per corner, a pass per sector, removal of each point taken). Each
// iteration runs the search for every corner of a 40 x 40 grid of panes spread
// over the site; items are corners. "peak_MiB" is the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <random>
#include <vector>

#include "CornerInterpolation.h"
#include "NeighbourIndex.h"
#include "NeighbourSearch.h"
#include "ReferenceNeighbourSearch.h"

namespace {

constexpr double kSiteSize = 1000.0;
constexpr int kPanesPerSide = 40;

ElevationPointList RandomSite(int count) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> coordinate(0.0, kSiteSize), elevation(90.0, 110.0);
    ElevationPointList points;
    for (int i = 0; i < count; ++i) {
        const double top = elevation(rng);
        points.push_back({{coordinate(rng), coordinate(rng), 0.0}, {top, top - 2.0, top - 5.0}});
    }
    return points;
}

std::vector<AcGePoint3d> GridCorners() {
    std::vector<AcGePoint3d> corners;
    const double spacing = kSiteSize / kPanesPerSide;
    for (int row = 0; row <= kPanesPerSide; ++row)
        for (int column = 0; column <= kPanesPerSide; ++column)
            corners.emplace_back(column * spacing, row * spacing, 0.0);
    return corners;
}

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The index is built once per site, as the command does (BM_IndexBuild).
void BM_IndexedSearch(benchmark::State& state) {
    const ElevationPointList points = RandomSite(static_cast<int>(state.range(0)));
    const std::vector<AcGePoint3d> corners = GridCorners();
    const NeighbourIndex index(points);
    for (auto _ : state)
        for (const AcGePoint3d& corner : corners) benchmark::DoNotOptimize(index.select(corner));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corners.size()));
    state.counters["peak_MiB"] = PeakMiB();
}
BENCHMARK(BM_IndexedSearch)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_IndexBuild(benchmark::State& state) {
    const ElevationPointList points = RandomSite(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(NeighbourIndex(points));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_IndexBuild)->Arg(2000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_FastSearch(benchmark::State& state) {
    const ElevationPointList points = RandomSite(static_cast<int>(state.range(0)));
    const std::vector<AcGePoint3d> corners = GridCorners();
    for (auto _ : state)
        for (const AcGePoint3d& corner : corners)
            benchmark::DoNotOptimize(SelectNeighbourIndices(points, corner));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corners.size()));
}
BENCHMARK(BM_FastSearch)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReferenceSearch(benchmark::State& state) {
    const ElevationPointList points = RandomSite(static_cast<int>(state.range(0)));
    const std::vector<AcGePoint3d> corners = GridCorners();
    for (auto _ : state)
        for (const AcGePoint3d& corner : corners)
            benchmark::DoNotOptimize(reference::SelectNeighbourIndices(points, corner));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corners.size()));
}
BENCHMARK(BM_ReferenceSearch)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

// The whole per-corner work: search, copies of the neighbours, weighting.
void BM_InterpolateCorner(benchmark::State& state) {
    const ElevationPointList points = RandomSite(static_cast<int>(state.range(0)));
    const std::vector<AcGePoint3d> corners = GridCorners();
    std::vector<double> values;
    for (auto _ : state)
        for (const AcGePoint3d& corner : corners) {
            InterpolateCorner(points, corner, values);
            benchmark::DoNotOptimize(values.data());
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corners.size()));
}
BENCHMARK(BM_InterpolateCorner)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
