// Both calculation commands over generated sites of 100 x 100 and 200 x 200
// panes with 2,000 survey points of four layers, run as a user runs them: the
// host program with the suite's modules and the plug-in. Reports the wall time
// of each run and the host's peak memory (counter "peak_MiB"); the time grows
// with the number of panes, so 200 x 200 should take about four times as long.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::temp_directory_path() / ("site_bench_" + std::to_string(getpid()));

// The generated drawing of panes x panes, made once.
const fs::path& Drawing(int panes) {
    static std::map<int, fs::path> drawings;
    auto it = drawings.find(panes);
    if (it != drawings.end()) return it->second;
    fs::create_directories(kDir);
    const fs::path p = kDir / ("grid" + std::to_string(panes) + ".dxf");
    const std::string n = std::to_string(panes);
    const std::string cmd =
        std::string(SITEGEN_EXE) + " grid " + n + " " + n + " 2000 4 " + p.string() + " 20240611";
    if (std::system(cmd.c_str()) != 0) std::abort();
    return drawings.emplace(panes, p).first->second;
}

// Runs cadhost on the drawing with the script; false when it failed. peakMiB
// is the run's own peak memory.
bool RunHost(int panes, const std::string& script, double& peakMiB) {
    const fs::path scr = kDir / "run.scr";
    std::ofstream(scr) << script;
    const std::string arx = KAVREL_ARX_DIR;
    const std::string cmd = std::string("exec ") + CADHOST_EXE + " --registry " +
                            (kDir / "registry.reg").string() + " --load " + arx +
                            "/QUARNArxBase.arx --load " + arx + "/QUARNArxApply.arx --load " + arx +
                            "/Kavrel.arx --open " + Drawing(panes).string() + " --script " +
                            scr.string() + " >/dev/null 2>&1";
    const char* argv[] = {"/bin/sh", "-c", cmd.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    peakMiB = usage.ru_maxrss / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Run(benchmark::State& state, const std::string& script) {
    const int panes = static_cast<int>(state.range(0));
    Drawing(panes);
    double peak = 0.0;
    for (auto _ : state)
        if (!RunHost(panes, script, peak)) state.SkipWithError("cadhost failed");
    state.counters["peak_MiB"] = peak;
}

// Opening the drawing alone, to tell the commands' share from the host's.
void BM_OpenOnly(benchmark::State& state) { Run(state, "QUIT\n"); }
void BM_CornerElevations(benchmark::State& state) { Run(state, "MLayerCalPaneEle\nA\n"); }
void BM_CornersAndEarthwork(benchmark::State& state) {
    Run(state, "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n");
}

BENCHMARK(BM_OpenOnly)->Arg(100)->Arg(200)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CornerElevations)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_CornersAndEarthwork)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
