// The suite's entry in the list of installed programs and its shortcuts:
// desktop, program group, and one start shortcut per detected host release.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "InstallContext.h"

namespace setup {

struct ShellFolders {
    std::string desktop;   // trimmed, trailing backslash
    std::string programs;  // trimmed, trailing backslash
};

// The first of the four registry sources that holds both folders.
std::optional<ShellFolders> FindShellFolders(RegistryPort& registry);

std::string ProgramGroup(const ShellFolders& folders);

struct Shortcut {
    std::string folder;
    std::string file;
    std::string target;
    std::string arguments;  // empty: none
    std::string icon;       // empty: none
};

// Every shortcut to create, in order, for install folder `destination`.
std::vector<Shortcut> PlanShortcuts(RegistryPort& registry, const std::string& destination,
                                    const ShellFolders& folders);

// "DisplayName" and "UninstallString", and their "RegDB Key: " line.
void WriteUninstallEntry(InstallContext& context);

// Creates the program group and the shortcuts, logging each one made.
// False when no shell folders are known (nothing is made).
bool CreateShortcuts(InstallContext& context);

}  // namespace setup
