// Panes per second: squares (each family), triangles (built-in, geometric)
// and polygon panes of a few corners, convex and not. Settings are read from
// an in-memory reader, as they are read afresh for every pane.
#include <benchmark/benchmark.h>

#include <vector>

#include "PaneVolumes.h"
#include "QuadVolumes.h"
#include "SettingsReader.h"
#include "TriangleVolumes.h"

namespace {

struct Pane {
    std::vector<AcGePoint3d> points;
    std::vector<double> first;
    std::vector<double> second;
};

Pane MakePane(std::vector<AcGePoint3d> points, const std::vector<double>& heights) {
    Pane pane{std::move(points), {}, {}};
    for (double h : heights) {
        pane.second.push_back(1200.0);
        pane.first.push_back(1200.0 + h);
    }
    return pane;
}

const Pane kSquare = MakePane(
    {{3500000, 2800000, 0}, {3500020, 2800000, 0}, {3500020, 2800020, 0}, {3500000, 2800020, 0}},
    {0.3, 0.6, -0.4, -0.2});
const Pane kTriangle = MakePane(
    {{3500000, 2800000, 0}, {3500020, 2800000, 0}, {3500005, 2800017, 0}}, {0.3, 0.6, -0.4});
const Pane kHexagon = MakePane({{3500000, 2800000, 0},
                                {3500020, 2800000, 0},
                                {3500026, 2800010, 0},
                                {3500020, 2800020, 0},
                                {3500000, 2800020, 0},
                                {3499994, 2800010, 0}},
                               {0.3, 0.6, -0.4, -0.2, 0.1, 0.5});
const Pane kNotched = MakePane({{3500000, 2800000, 0},
                                {3500006, 2800000, 0},
                                {3500006, 2800005, 0},
                                {3500009, 2800005, 0},
                                {3500009, 2800000, 0},
                                {3500020, 2800000, 0},
                                {3500020, 2800020, 0},
                                {3500000, 2800020, 0}},
                               {0.3, 0.6, -0.4, -0.2, 0.1, 0.5, 0.2, -0.1});

void Square(benchmark::State& state, const wchar_t* family) {
    MapSettingsReader settings;
    settings.set(L"CALTUFMODE", family);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            CalcQuadVolumes(settings, kSquare.points, kSquare.first, kSquare.second));
    state.SetItemsProcessed(state.iterations());
}

void Triangle(benchmark::State& state, const wchar_t* mode) {
    MapSettingsReader settings;
    settings.set(L"CALTUFTriMODE", mode);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            CalcTriangleVolumes(settings, kTriangle.points, kTriangle.first, kTriangle.second));
    state.SetItemsProcessed(state.iterations());
}

void Polygon(benchmark::State& state, const Pane* pane) {
    MapSettingsReader settings;
    double fill = 0.0, cut = 0.0;
    for (auto _ : state) {
        CalcPolygonVolumes(settings, pane->points, pane->first, pane->second, fill, cut);
        benchmark::DoNotOptimize(fill + cut);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(Square, squared_sum, L"1");
BENCHMARK_CAPTURE(Square, zero_distance, L"2");
BENCHMARK_CAPTURE(Square, cubic, L"3");
BENCHMARK_CAPTURE(Square, four_triangles, L"4");
BENCHMARK_CAPTURE(Triangle, built_in_mixed, L"");
BENCHMARK_CAPTURE(Triangle, geometric, L"1");
BENCHMARK_CAPTURE(Polygon, convex_hexagon, &kHexagon);
BENCHMARK_CAPTURE(Polygon, notched_octagon, &kNotched);

}  // namespace
