// Registration of the suite with every installed release of the CAD host,
// R15.0 to R19.1: the suite's profile with its support paths, the loader
// entry, and for R19.1 the trusted module folders. The releases are a table;
// detection and registration walk it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Ports.h"

namespace setup {

// Where the driver looks for a release before registering it once.
enum class DetectViews { NativeOnly, Wow6432Only, WowThenNative, NativeThenWow };

struct HostRelease {
    const char* release;        // "R19.1"
    int shortcutYear;           // 2014
    const char* defaultCurVer;  // product sub-key when "CurVer" is missing; null: not installed
    const char* loaderKey;      // under HKEY_LOCAL_MACHINE, filled with <cv>; null: none
    const char* loaderModule;   // appended to the install folder
    const char* acadFormat;     // filled with D, D, B (R15.0: D, D, L, L, L, L)
    std::vector<const char*> baseProfiles;
    bool menuFile;          // "General Configuration" "MenuFile"
    bool trustedPaths;      // "Variables" "TRUSTEDPATHS"
    bool locationFallback;  // "Location" stands in for a missing "AcadLocation"
    DetectViews views;
};

extern const std::array<HostRelease, 12> kHostReleaseTable;

const HostRelease* FindHostRelease(const std::string& release);

constexpr const char* kWow6432Node = "Wow6432Node";

struct HostDetection {
    bool found = false;
    std::string curVer;    // <cv>
    std::string location;  // L, with trailing backslash when found
};

// `view` is "" (native) or "Wow6432Node".
HostDetection DetectHostRelease(RegistryPort& registry, const HostRelease& release,
                                const std::string& view);
// Detection in the native view, then in "Wow6432Node".
HostDetection DetectHostReleaseAnyView(RegistryPort& registry, const HostRelease& release);

// `destination` is D, `location` L (used by R15.0 only); both end in "\".
void RegisterHostRelease(RegistryPort& registry, const HostRelease& release,
                         const std::string& destination, const std::string& location);

// Detects every release in table order, each in its views, and registers the
// ones found, each once. Returns the releases registered.
std::vector<std::string> RegisterHostReleases(RegistryPort& registry,
                                              const std::string& destination);

}  // namespace setup
