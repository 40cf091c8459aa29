// The extraction of layer pair 2 from a generated site of 100 x 100 panes
// with 2,000 survey points of four layers, run as a user runs it: the host
// program with the suite's modules and the plug-in, on the drawing saved
// after the corner elevations and the earthwork. Opening that drawing alone
// is measured too, so the command's own share is the difference. Counter
// "peak_MiB": the highest peak memory of the host runs so far (the run that
// prepares the drawing included).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::temp_directory_path() / ("extract_bench_" + std::to_string(getpid()));

// Runs cadhost on the drawing with the script, saving to `save` when given;
// false when it failed.
bool RunHost(const fs::path& drawing, const std::string& script, const fs::path& save = {}) {
    const fs::path scr = kDir / "run.scr";
    std::ofstream(scr) << script;
    const std::string arx = KAVREL_ARX_DIR;
    std::string cmd = std::string(CADHOST_EXE) + " --registry " + (kDir / "registry.reg").string() +
                      " --load " + arx + "/QUARNArxBase.arx --load " + arx +
                      "/QUARNArxApply.arx --load " + arx + "/Kavrel.arx --open " +
                      drawing.string() + " --script " + scr.string();
    if (!save.empty()) cmd += " --save " + save.string();
    return std::system((cmd + " >/dev/null 2>&1").c_str()) == 0;
}

// The generated site with its corner elevations and earthwork, made once.
const fs::path& Computed() {
    static const fs::path computed = [] {
        fs::create_directories(kDir);
        const fs::path grid = kDir / "grid.dxf", done = kDir / "computed.dxf";
        const std::string cmd =
            std::string(SITEGEN_EXE) + " grid 100 100 2000 4 " + grid.string() + " 20240611";
        if (std::system(cmd.c_str()) != 0) std::abort();
        if (!RunHost(grid, "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n", done)) std::abort();
        return done;
    }();
    return computed;
}

double PeakChildMiB() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Run(benchmark::State& state, const std::string& script) {
    Computed();
    for (auto _ : state)
        if (!RunHost(Computed(), script)) state.SkipWithError("cadhost failed");
    state.counters["peak_MiB"] = PeakChildMiB();
}

void BM_OpenComputed(benchmark::State& state) { Run(state, "QUIT\n"); }
// Site 1 spans 0 ... 2000 in x and y; the copy goes east of it.
void BM_ExtractLayerPair(benchmark::State& state) {
    Run(state, "MLayerPickTufDraw\n1000,1000\n2\n2200,0\n");
}

BENCHMARK(BM_OpenComputed)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ExtractLayerPair)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
