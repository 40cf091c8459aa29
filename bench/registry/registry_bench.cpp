// Reading every value of one key that holds many values, through the
// registry API on a freshly loaded registry file, as the plug-in reads its
// settings.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "winreg_standin.h"

namespace {

namespace fs = std::filesystem;

fs::path WriteRegistry(int values) {
    const fs::path file =
        fs::temp_directory_path() / ("registry_bench_" + std::to_string(getpid()) + ".reg");
    std::ofstream out(file, std::ios::binary);
    out << "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Settings]\r\n";
    for (int i = 0; i < values; ++i) out << "\"value" << i << "\"=\"" << i << "\"\r\n";
    return file;
}

void BM_QueryEveryValue(benchmark::State& state) {
    const int values = static_cast<int>(state.range(0));
    const fs::path file = WriteRegistry(values);
    for (auto _ : state) {
        RegStandInSetFile(file.c_str());  // loads afresh on first use
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Settings", 0, KEY_READ, &key) != ERROR_SUCCESS)
            std::abort();
        for (int i = 0; i < values; ++i) {
            const std::wstring name = L"value" + std::to_wstring(i);
            wchar_t buffer[32];
            DWORD size = sizeof(buffer);
            if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                 reinterpret_cast<LPBYTE>(buffer), &size) != ERROR_SUCCESS)
                std::abort();
        }
        RegCloseKey(key);
    }
    RegStandInSetFile(nullptr);
    fs::remove(file);
}
BENCHMARK(BM_QueryEveryValue)->Arg(1000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace
