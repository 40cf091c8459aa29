// What the tests that run setup.exe under Wine share: shell quoting, Wine's
// name of a path of this machine, and running a shell command.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace setup::testing {

inline std::string Quote(const std::string& text) { return "'" + text + "'"; }

// The Windows name of a path of this machine (Wine's drive Z: is "/").
inline std::string WinePath(const std::filesystem::path& path) {
    std::string text = "Z:" + path.string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

// Runs a shell command; its standard output (when asked for) and its status.
inline int Shell(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t size = 0;
    while ((size = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        if (output) output->append(buffer, size);
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace setup::testing
