#include "HostReleases.h"

#include <cstring>

#include "Paths.h"

namespace setup {
namespace {

constexpr const char* kUnnamed = "<<未命名配置>>";
constexpr const char* kUnnamedEnglish = "<<Unnamed Profile>>";
constexpr const char* kInitial = "<<初始设置配置>>";
constexpr const char* kInitialBare = "初始设置配置";

constexpr const char* kAcad2000 =
    "%sSupport\\2000-02\\arx;%sSupport\\2000-02\\Menu;%ssupport;%sfonts;%shelp;%sexpress;";
constexpr const char* kAcad2004 = "%sSupport\\2004-06\\arx;%sSupport\\2004-06\\Menu;%s;";
constexpr const char* kAcad2007 = "%sSupport\\2007-09\\arx;%sSupport\\2007-09\\Menu;%s;";
constexpr const char* kAcad2010 = "%sSupport\\2010-12\\64\\arx;%sSupport\\2010-12\\Menu;%s;";
constexpr const char* kAcad2013 = "%sSupport\\2013-15\\64\\arx;%sSupport\\2013-15\\Menu;%s;";

constexpr const char* kLoader2004 = "Support\\2004-06\\ARX\\LoadQUARN.arx";
constexpr const char* kLoader2007 = "Support\\2007-09\\ARX\\LoadQUARN.arx";
constexpr const char* kLoader2010 = "Support\\2010-12\\64\\ARX\\LoadQUARN.arx";
constexpr const char* kLoader2013 = "Support\\2013-15\\64\\ARX\\LoadQUARN.arx";

constexpr const char* kSuiteProfile = "<<QUARN V9>>";
constexpr const char* kSuiteProfileKey =
    "Software\\Autodesk\\AutoCAD\\%s\\%s\\Profiles\\<<QUARN V9>>";
constexpr const char* kProfileKey = "Software\\Autodesk\\AutoCAD\\%s\\%s\\Profiles\\%s";
constexpr const char* kReleaseKey = "SOFTWARE\\Autodesk\\AutoCAD\\%s";
constexpr const char* kMenuFile = "Support\\2007-09\\Menu\\Velmora";
constexpr const char* kModuleFolder = "%sSupport\\2013-15\\64\\arx;";

constexpr const char* kOrvikKey = "SOFTWARE\\Brontavex\\Orvik\\V9";
constexpr const char* kTaselKey = "SOFTWARE\\Brontavex\\Tasel\\V9";

#define WOW_LOADER(release) \
    "Software\\Wow6432Node\\Autodesk\\AutoCAD\\" release "\\%s\\Applications\\LoadQUARN"
#define NATIVE_LOADER(release) \
    "Software\\Autodesk\\AutoCAD\\" release "\\%s\\Applications\\LoadQUARN"

bool IsR15(const HostRelease& release) { return std::strcmp(release.release, "R15.0") == 0; }
bool IsR16(const HostRelease& release) { return std::strcmp(release.release, "R16.0") == 0; }

std::string ReadOr(RegistryPort& registry, Root root, const std::string& key,
                   const std::string& name, const std::string& fallback) {
    return registry.ReadString(root, key, name).value_or(fallback);
}

// <cv> as detection finds it; empty when R15.0 has none (not installed).
std::optional<std::string> DetectCurVer(RegistryPort& registry, const HostRelease& release) {
    const std::string key = Format(kReleaseKey, release.release);
    if (IsR15(release)) {
        if (auto cv = registry.ReadString(Root::LocalMachine, key, "CurVer")) return cv;
        return registry.ReadString(Root::CurrentUser, key, "CurVer");
    }
    if (auto cv = registry.ReadString(Root::CurrentUser, key, "CurVer")) return cv;
    if (IsR16(release)) {
        if (auto cv = registry.ReadString(Root::LocalMachine, key, "CurVer")) return cv;
    }
    return std::string(release.defaultCurVer);
}

std::string LocationKey(const HostRelease& release, const std::string& view,
                        const std::string& curVer) {
    if (view.empty() || IsR15(release)) {
        return Format("SOFTWARE\\Autodesk\\AutoCAD\\%s\\%s", release.release, curVer.c_str());
    }
    return Format("SOFTWARE\\%s\\Autodesk\\AutoCAD\\%s\\%s", view.c_str(), release.release,
                  curVer.c_str());
}

// The "ACAD" value of the first base profile whose "General" key has one.
std::string BaseSupportPath(RegistryPort& registry, const HostRelease& release,
                            const std::string& curVer) {
    for (const char* profile : release.baseProfiles) {
        const std::string key =
            Format(kProfileKey, release.release, curVer.c_str(), profile) + "\\General";
        if (auto acad = registry.ReadString(Root::CurrentUser, key, "ACAD")) return *acad;
    }
    return "";
}

// The profile whose trusted paths R19.1 extends besides the suite's own.
std::string TrustedBaseProfile(RegistryPort& registry, const HostRelease& release,
                               const std::string& curVer) {
    for (const char* profile : {kInitialBare, kInitial}) {
        const std::string key =
            Format(kProfileKey, release.release, curVer.c_str(), profile) + "\\General";
        if (registry.ReadString(Root::CurrentUser, key, "ACAD")) return profile;
    }
    return kUnnamed;
}

// The module folder of this product and of every installed sibling product.
std::string TrustedPaths(RegistryPort& registry, const std::string& destination) {
    std::string paths = Format(kModuleFolder, destination.c_str());
    for (const char* sibling : {kOrvikKey, kTaselKey}) {
        const std::string folder =
            NormalFolder(ReadOr(registry, Root::LocalMachine, sibling, "installPath", ""));
        if (!folder.empty()) paths += Format(kModuleFolder, folder.c_str());
    }
    return paths;
}

void RegisterR15(RegistryPort& registry, const HostRelease& release, const std::string& destination,
                 const std::string& location) {
    // The <cv> detection found (machine, then user): a release known only to
    // the user's registry keeps its own product sub-key.
    const std::string curVer = DetectCurVer(registry, release).value_or("");
    const std::string profile = Format(kSuiteProfileKey, release.release, curVer.c_str());
    const char* d = destination.c_str();
    const char* l = location.c_str();
    registry.WriteString(Root::CurrentUser, profile + "\\General", "ACAD",
                         Format(release.acadFormat, d, d, l, l, l, l));
    registry.WriteString(Root::CurrentUser, profile, "", kSuiteProfile);
}

}  // namespace

const std::array<HostRelease, 12> kHostReleaseTable = {{
    {"R15.0",
     2002,
     nullptr,
     nullptr,
     nullptr,
     kAcad2000,
     {},
     false,
     false,
     false,
     DetectViews::NativeOnly},
    {"R16.0",
     2004,
     "ACAD-201:804",
     WOW_LOADER("R16.0"),
     kLoader2004,
     kAcad2004,
     {kUnnamed, kUnnamedEnglish},
     false,
     false,
     false,
     DetectViews::Wow6432Only},
    {"R16.1",
     2005,
     "ACAD-301:409",
     WOW_LOADER("R16.1"),
     kLoader2004,
     kAcad2004,
     {kUnnamed, kUnnamedEnglish},
     false,
     false,
     false,
     DetectViews::Wow6432Only},
    {"R16.2",
     2006,
     "ACAD-4001:409",
     WOW_LOADER("R16.2"),
     kLoader2004,
     kAcad2004,
     {kUnnamed, kUnnamedEnglish},
     false,
     false,
     false,
     DetectViews::Wow6432Only},
    {"R17.0",
     2007,
     "ACAD-5001:804",
     WOW_LOADER("R17.0"),
     kLoader2007,
     kAcad2007,
     {kUnnamed, kUnnamedEnglish},
     true,
     false,
     false,
     DetectViews::Wow6432Only},
    {"R17.1",
     2008,
     "ACAD-6001:804",
     WOW_LOADER("R17.1"),
     kLoader2007,
     kAcad2007,
     {kUnnamed, kUnnamedEnglish},
     true,
     false,
     true,
     DetectViews::Wow6432Only},
    {"R17.2",
     2009,
     "ACAD-7001:804",
     WOW_LOADER("R17.2"),
     kLoader2007,
     kAcad2007,
     {kUnnamed, kUnnamedEnglish},
     true,
     false,
     true,
     DetectViews::WowThenNative},
    {"R18.0",
     2010,
     "ACAD-8001:804",
     NATIVE_LOADER("R18.0"),
     kLoader2010,
     kAcad2010,
     {kUnnamed, kInitial},
     false,
     false,
     true,
     DetectViews::NativeThenWow},
    {"R18.1",
     2011,
     "ACAD-9001:804",
     NATIVE_LOADER("R18.1"),
     kLoader2010,
     kAcad2010,
     {kUnnamed, kInitial},
     false,
     false,
     true,
     DetectViews::NativeThenWow},
    {"R18.2",
     2012,
     "ACAD-A001:804",
     NATIVE_LOADER("R18.2"),
     kLoader2010,
     kAcad2010,
     {kUnnamed, kInitial},
     false,
     false,
     true,
     DetectViews::NativeThenWow},
    {"R19.0",
     2013,
     "ACAD-B001:804",
     NATIVE_LOADER("R19.0"),
     kLoader2013,
     kAcad2013,
     {kUnnamed, kInitial},
     false,
     false,
     true,
     DetectViews::NativeThenWow},
    {"R19.1",
     2014,
     "ACAD-D001:804",
     NATIVE_LOADER("R19.1"),
     kLoader2013,
     kAcad2013,
     {kInitialBare, kInitial, kUnnamed},
     false,
     true,
     true,
     DetectViews::NativeThenWow},
}};

const HostRelease* FindHostRelease(const std::string& release) {
    for (const HostRelease& row : kHostReleaseTable) {
        if (release == row.release) return &row;
    }
    return nullptr;
}

HostDetection DetectHostRelease(RegistryPort& registry, const HostRelease& release,
                                const std::string& view) {
    HostDetection detection;
    const auto curVer = DetectCurVer(registry, release);
    if (!curVer) return detection;
    detection.curVer = *curVer;
    const std::string key = LocationKey(release, view, detection.curVer);
    std::string location = ReadOr(registry, Root::LocalMachine, key, "AcadLocation", "");
    if (location.empty() && release.locationFallback) {
        location = ReadOr(registry, Root::LocalMachine, key, "Location", "");
    }
    detection.found = !location.empty();
    detection.location = detection.found ? WithBackslash(location) : location;
    return detection;
}

HostDetection DetectHostReleaseAnyView(RegistryPort& registry, const HostRelease& release) {
    HostDetection detection = DetectHostRelease(registry, release, "");
    if (!detection.found && !IsR15(release)) {
        detection = DetectHostRelease(registry, release, kWow6432Node);
    }
    return detection;
}

void RegisterHostRelease(RegistryPort& registry, const HostRelease& release,
                         const std::string& destination, const std::string& location) {
    if (IsR15(release)) {
        RegisterR15(registry, release, destination, location);
        return;
    }
    const std::string releaseKey = Format(kReleaseKey, release.release);
    const std::string curVer = registry.ReadString(Root::CurrentUser, releaseKey, "CurVer")
                                   .value_or(ReadOr(registry, Root::LocalMachine, releaseKey,
                                                    "CurVer", release.defaultCurVer));
    const char* cv = curVer.c_str();

    const std::string loader = Format(release.loaderKey, cv);
    registry.WriteDword(Root::LocalMachine, loader, "LOADCTRLS", 2);
    registry.WriteString(Root::LocalMachine, loader, "LOADER", destination + release.loaderModule);

    const std::string base = BaseSupportPath(registry, release, curVer);
    const std::string profile = Format(kSuiteProfileKey, release.release, cv);
    const char* d = destination.c_str();
    registry.WriteString(Root::CurrentUser, profile + "\\General", "ACAD",
                         Format(release.acadFormat, d, d, base.c_str()));
    if (release.menuFile) {
        registry.WriteString(Root::CurrentUser, profile + "\\General Configuration", "MenuFile",
                             destination + kMenuFile);
    }
    if (release.trustedPaths) {
        const std::string paths = TrustedPaths(registry, destination);
        const std::string other = TrustedBaseProfile(registry, release, curVer);
        registry.WriteString(Root::CurrentUser, profile + "\\Variables", "TRUSTEDPATHS", paths);
        registry.WriteString(
            Root::CurrentUser,
            Format(kProfileKey, release.release, cv, other.c_str()) + "\\Variables", "TRUSTEDPATHS",
            paths);
    }
    registry.WriteString(Root::CurrentUser, profile, "", kSuiteProfile);
}

std::vector<std::string> RegisterHostReleases(RegistryPort& registry,
                                              const std::string& destination) {
    std::vector<std::string> registered;
    for (const HostRelease& release : kHostReleaseTable) {
        HostDetection detection;
        switch (release.views) {
            case DetectViews::NativeOnly:
                detection = DetectHostRelease(registry, release, "");
                break;
            case DetectViews::Wow6432Only:
                detection = DetectHostRelease(registry, release, kWow6432Node);
                break;
            case DetectViews::WowThenNative:
                detection = DetectHostRelease(registry, release, kWow6432Node);
                if (!detection.found) detection = DetectHostRelease(registry, release, "");
                break;
            case DetectViews::NativeThenWow:
                detection = DetectHostReleaseAnyView(registry, release);
                break;
        }
        if (!detection.found) continue;
        RegisterHostRelease(registry, release, destination, detection.location);
        registered.push_back(release.release);
    }
    return registered;
}

}  // namespace setup
