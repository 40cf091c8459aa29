// Running the check scripts written for ezdxf, an independent DXF reader and
// writer. Debian installs it for the system's Python, not for whatever python3
// comes first on the PATH.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline constexpr const char* kEzdxfPython = "/usr/bin/python3";

// Runs a shell command; its exit status, with its standard output and error
// in `output`.
inline int RunCommand(const std::string& command, std::string& output) {
    output.clear();
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool EzdxfInstalled() {
    std::string output;
    return std::filesystem::exists(kEzdxfPython) &&
           RunCommand(std::string(kEzdxfPython) + " -c 'import ezdxf'", output) == 0;
}

// A path in the source tree, which ctest names in KAVREL_SOURCE_DIR.
inline std::filesystem::path SourcePath(const std::filesystem::path& relative) {
    const char* root = std::getenv("KAVREL_SOURCE_DIR");
    return std::filesystem::path(root != nullptr ? root : ".") / relative;
}

// Runs a script on a drawing file; its exit status, with what it printed.
inline int RunEzdxfScript(const std::filesystem::path& script, const std::filesystem::path& file,
                          std::string& output) {
    return RunCommand(
        std::string(kEzdxfPython) + " '" + script.string() + "' '" + file.string() + "'", output);
}
