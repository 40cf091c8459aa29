// Both calculation commands over a generated site of 100 x 100 panes with
// 2,000 survey points of four layers, run as a user runs them: the host
// program with the suite's modules and the plug-in. Reports the wall time of
// each command run and the host's peak memory (counter "peak_MiB").
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::temp_directory_path() / ("site_bench_" + std::to_string(getpid()));

// The generated drawing, made once.
const fs::path& Drawing() {
    static const fs::path drawing = [] {
        fs::create_directories(kDir);
        const fs::path p = kDir / "grid.dxf";
        const std::string cmd =
            std::string(SITEGEN_EXE) + " grid 100 100 2000 4 " + p.string() + " 20240611";
        if (std::system(cmd.c_str()) != 0) std::abort();
        return p;
    }();
    return drawing;
}

// Runs cadhost on the drawing with the script; false when it failed.
bool RunHost(const std::string& script) {
    const fs::path scr = kDir / "run.scr";
    std::ofstream(scr) << script;
    const std::string arx = KAVREL_ARX_DIR;
    const std::string cmd = std::string(CADHOST_EXE) + " --registry " +
                            (kDir / "registry.reg").string() + " --load " + arx +
                            "/QUARNArxBase.arx --load " + arx + "/QUARNArxApply.arx --load " + arx +
                            "/Kavrel.arx --open " + Drawing().string() + " --script " +
                            scr.string() + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

double PeakChildMiB() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Run(benchmark::State& state, const std::string& script) {
    Drawing();
    for (auto _ : state)
        if (!RunHost(script)) state.SkipWithError("cadhost failed");
    state.counters["peak_MiB"] = PeakChildMiB();
}

// Opening the drawing alone, to tell the commands' share from the host's.
void BM_OpenOnly(benchmark::State& state) { Run(state, "QUIT\n"); }
void BM_CornerElevations(benchmark::State& state) { Run(state, "MLayerCalPaneEle\nA\n"); }
void BM_CornersAndEarthwork(benchmark::State& state) {
    Run(state, "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n");
}

BENCHMARK(BM_OpenOnly)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CornerElevations)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CornersAndEarthwork)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
