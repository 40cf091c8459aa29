#include "HostReleases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "SetupTestSupport.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

const std::string D = "C:\\Q\\";
const std::string kAcadKey = "SOFTWARE\\Autodesk\\AutoCAD\\";
const std::string kWowAcadKey = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\";

class HostRegistration : public testing::Sandbox {
  protected:
    // A host release installed in `view` at `location` under product key `cv`.
    void Host(const std::string& release, const std::string& cv, bool wow,
              const std::string& location = "C:\\CAD", const char* value = "AcadLocation") {
        Put(Root::LocalMachine, (wow ? kWowAcadKey : kAcadKey) + release + "\\" + cv, value,
            location);
    }
    std::string Profile(const std::string& release, const std::string& cv,
                        const std::string& profile = "<<QUARN V9>>") {
        return "Software\\Autodesk\\AutoCAD\\" + release + "\\" + cv + "\\Profiles\\" + profile;
    }
    std::vector<std::string> RegisterAll() {
        const auto registered = RegisterHostReleases(m_registry, testing::Gbk(D));
        return registered;
    }
};

TEST_F(HostRegistration, EveryReleaseGetsItsLoaderAndSupportPath) {
    struct Case {
        const char* release;
        const char* cv;
        bool wow;
        const char* loaderKey;  // empty: none
        const char* loader;
        const char* acad;
        const char* menuFile;  // empty: none
    };
    const Case cases[] = {
        {"R15.0", "ACAD-1:804", false, "", "",
         "C:\\Q\\Support\\2000-02\\arx;C:\\Q\\Support\\2000-02\\Menu;C:\\CAD\\support;"
         "C:\\CAD\\fonts;C:\\CAD\\help;C:\\CAD\\express;",
         ""},
        {"R16.0", "ACAD-201:804", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R16.0",
         "Support\\2004-06\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2004-06\\arx;C:\\Q\\Support\\2004-06\\Menu;;", ""},
        {"R16.1", "ACAD-301:409", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R16.1",
         "Support\\2004-06\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2004-06\\arx;C:\\Q\\Support\\2004-06\\Menu;;", ""},
        {"R16.2", "ACAD-4001:409", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R16.2",
         "Support\\2004-06\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2004-06\\arx;C:\\Q\\Support\\2004-06\\Menu;;", ""},
        {"R17.0", "ACAD-5001:804", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R17.0",
         "Support\\2007-09\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2007-09\\arx;C:\\Q\\Support\\2007-09\\Menu;;",
         "C:\\Q\\Support\\2007-09\\Menu\\Velmora"},
        {"R17.1", "ACAD-6001:804", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R17.1",
         "Support\\2007-09\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2007-09\\arx;C:\\Q\\Support\\2007-09\\Menu;;",
         "C:\\Q\\Support\\2007-09\\Menu\\Velmora"},
        {"R17.2", "ACAD-7001:804", true, "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R17.2",
         "Support\\2007-09\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2007-09\\arx;C:\\Q\\Support\\2007-09\\Menu;;",
         "C:\\Q\\Support\\2007-09\\Menu\\Velmora"},
        {"R18.0", "ACAD-8001:804", false, "Software\\Autodesk\\AutoCAD\\R18.0",
         "Support\\2010-12\\64\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2010-12\\64\\arx;C:\\Q\\Support\\2010-12\\Menu;;", ""},
        {"R18.1", "ACAD-9001:804", false, "Software\\Autodesk\\AutoCAD\\R18.1",
         "Support\\2010-12\\64\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2010-12\\64\\arx;C:\\Q\\Support\\2010-12\\Menu;;", ""},
        {"R18.2", "ACAD-A001:804", false, "Software\\Autodesk\\AutoCAD\\R18.2",
         "Support\\2010-12\\64\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2010-12\\64\\arx;C:\\Q\\Support\\2010-12\\Menu;;", ""},
        {"R19.0", "ACAD-B001:804", false, "Software\\Autodesk\\AutoCAD\\R19.0",
         "Support\\2013-15\\64\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2013-15\\64\\arx;C:\\Q\\Support\\2013-15\\Menu;;", ""},
        {"R19.1", "ACAD-D001:804", false, "Software\\Autodesk\\AutoCAD\\R19.1",
         "Support\\2013-15\\64\\ARX\\LoadQUARN.arx",
         "C:\\Q\\Support\\2013-15\\64\\arx;C:\\Q\\Support\\2013-15\\Menu;;", ""},
    };
    ASSERT_EQ(std::size(cases), kHostReleaseTable.size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.release);
        TearDown();
        SetUp();
        if (std::string(c.release) == "R15.0")
            Put(Root::LocalMachine, kAcadKey + "R15.0", "CurVer", c.cv);
        Host(c.release, c.cv, c.wow);
        EXPECT_EQ(RegisterAll(), std::vector<std::string>{c.release});
        if (*c.loaderKey) {
            const std::string loader =
                std::string(c.loaderKey) + "\\" + c.cv + "\\Applications\\LoadQUARN";
            EXPECT_EQ(Get(Root::LocalMachine, loader, "LOADER"), D + c.loader);
            EXPECT_EQ(Get(Root::LocalMachine, loader, "LOADCTRLS"), "\x02");
        }
        EXPECT_EQ(Get(Root::CurrentUser, Profile(c.release, c.cv) + "\\General", "ACAD"), c.acad);
        EXPECT_EQ(Get(Root::CurrentUser, Profile(c.release, c.cv) + "\\General Configuration",
                      "MenuFile"),
                  *c.menuFile ? c.menuFile : "<none>");
        EXPECT_EQ(Get(Root::CurrentUser, Profile(c.release, c.cv), ""), "<<QUARN V9>>");
    }
}

TEST_F(HostRegistration, ViewsDecideDetectionNotRegistration) {
    struct Case {
        const char* release;
        bool native;
        bool wow;
        const char* value;
        bool registered;
    };
    const Case cases[] = {
        {"R16.1", true, false, "AcadLocation", false}, {"R16.1", false, true, "AcadLocation", true},
        {"R17.0", false, true, "Location", false},     {"R17.1", false, true, "Location", true},
        {"R17.2", true, true, "AcadLocation", true},   {"R17.2", true, false, "AcadLocation", true},
        {"R18.0", false, true, "Location", true},      {"R19.1", true, true, "AcadLocation", true},
        {"R19.1", false, true, "AcadLocation", true},  {"R19.1", false, false, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.release) + (c.native ? " native" : "") + (c.wow ? " wow" : ""));
        TearDown();
        SetUp();
        const std::string cv = FindHostRelease(c.release)->defaultCurVer;
        if (c.native) Host(c.release, cv, false, "C:\\CAD", c.value);
        if (c.wow) Host(c.release, cv, true, "C:\\CAD", c.value);
        const auto registered = RegisterAll();
        EXPECT_EQ(std::count(registered.begin(), registered.end(), c.release),
                  c.registered ? 1 : 0);
    }
}

TEST_F(HostRegistration, DetectionReadsCurVerAndLocation) {
    const HostRelease& r16 = *FindHostRelease("R16.0");
    const HostRelease& r19 = *FindHostRelease("R19.1");
    Put(Root::LocalMachine, kAcadKey + "R16.0", "CurVer", "ACAD-X:804");
    Host("R16.0", "ACAD-X:804", true, "D:\\Acad 2004\\");
    Put(Root::CurrentUser, kAcadKey + "R19.1", "CurVer", "ACAD-Y:804");
    Host("R19.1", "ACAD-Y:804", false, "D:\\Acad 2014");

    const HostDetection r16Found = DetectHostRelease(m_registry, r16, kWow6432Node);
    EXPECT_TRUE(r16Found.found);
    EXPECT_EQ(r16Found.curVer, "ACAD-X:804");
    EXPECT_EQ(r16Found.location, "D:\\Acad 2004\\");
    EXPECT_FALSE(DetectHostRelease(m_registry, r16, "").found);
    const HostDetection r19Found = DetectHostReleaseAnyView(m_registry, r19);
    EXPECT_EQ(r19Found.curVer, "ACAD-Y:804");
    EXPECT_EQ(r19Found.location, "D:\\Acad 2014\\");
}

// A release known only to the user's registry is registered under its own
// product key, not under an empty one.
TEST_F(HostRegistration, R15KnownOnlyToTheUserKeepsItsProductKey) {
    Put(Root::CurrentUser, kAcadKey + "R15.0", "CurVer", "ACAD-U:804");
    Host("R15.0", "ACAD-U:804", false);
    EXPECT_EQ(RegisterAll(), std::vector<std::string>{"R15.0"});
    EXPECT_EQ(Get(Root::CurrentUser, Profile("R15.0", "ACAD-U:804"), ""), "<<QUARN V9>>");
}

TEST_F(HostRegistration, BaseSupportPathComesFromTheFirstProfileWithOne) {
    struct Case {
        const char* release;
        std::vector<std::pair<const char*, const char*>> profiles;  // name, ACAD
        const char* base;
    };
    const Case cases[] = {
        {"R16.0", {{"<<Unnamed Profile>>", "E"}, {"<<未命名配置>>", "C"}}, "C"},
        {"R16.0", {{"<<Unnamed Profile>>", "E"}}, "E"},
        {"R16.0", {{"<<初始设置配置>>", "I"}}, ""},
        {"R18.0", {{"<<初始设置配置>>", "I"}}, "I"},
        {"R18.0", {{"<<未命名配置>>", "U"}, {"<<初始设置配置>>", "I"}}, "U"},
        {"R19.1", {{"<<未命名配置>>", "U"}, {"初始设置配置", "B"}}, "B"},
        {"R19.1", {{"<<未命名配置>>", "U"}}, "U"},
        {"R19.1", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.release) + " " + c.base);
        TearDown();
        SetUp();
        const std::string cv = FindHostRelease(c.release)->defaultCurVer;
        Host(c.release, cv, std::string(c.release) == "R16.0");
        for (const auto& [name, acad] : c.profiles) {
            Put(Root::CurrentUser, Profile(c.release, cv, name) + "\\General", "ACAD", acad);
        }
        RegisterAll();
        const std::string acad =
            Get(Root::CurrentUser, Profile(c.release, cv) + "\\General", "ACAD");
        EXPECT_EQ(acad.substr(acad.rfind("Menu;") + 5), std::string(c.base) + ";");
    }
}

TEST_F(HostRegistration, R19TrustsTheModuleFoldersOfEveryInstalledProduct) {
    const std::string own = "C:\\Q\\Support\\2013-15\\64\\arx;";
    struct Case {
        const char* orvik;  // empty: not installed
        const char* tasel;
        const char* baseProfile;  // the profile with an "ACAD" value, empty: none
        std::string paths;
        const char* trustedProfile;
    };
    const Case cases[] = {
        {"", "", "", own, "<<未命名配置>>"},
        {"E:\\Orvik", "", "初始设置配置", own + "E:\\Orvik\\Support\\2013-15\\64\\arx;",
         "初始设置配置"},
        {"", " F:\\Tasel\\ ", "<<初始设置配置>>", own + "F:\\Tasel\\Support\\2013-15\\64\\arx;",
         "<<初始设置配置>>"},
        {"E:\\O\\", "F:\\T", "<<未命名配置>>",
         own + "E:\\O\\Support\\2013-15\\64\\arx;F:\\T\\Support\\2013-15\\64\\arx;",
         "<<未命名配置>>"},
    };
    const std::string cv = "ACAD-D001:804";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths);
        TearDown();
        SetUp();
        Host("R19.1", cv, false);
        if (*c.orvik)
            Put(Root::LocalMachine, "SOFTWARE\\Brontavex\\Orvik\\V9", "installPath", c.orvik);
        if (*c.tasel)
            Put(Root::LocalMachine, "SOFTWARE\\Brontavex\\Tasel\\V9", "installPath", c.tasel);
        if (*c.baseProfile) {
            Put(Root::CurrentUser, Profile("R19.1", cv, c.baseProfile) + "\\General", "ACAD", "X");
        }
        Put(Root::CurrentUser, Profile("R19.1", cv, c.trustedProfile) + "\\Variables",
            "TRUSTEDPATHS", "old");
        RegisterAll();
        EXPECT_EQ(Get(Root::CurrentUser, Profile("R19.1", cv) + "\\Variables", "TRUSTEDPATHS"),
                  c.paths);
        EXPECT_EQ(Get(Root::CurrentUser, Profile("R19.1", cv, c.trustedProfile) + "\\Variables",
                      "TRUSTEDPATHS"),
                  c.paths);
    }
}

TEST_F(HostRegistration, ProbingLeavesNoKeysBehind) {
    EXPECT_TRUE(RegisterAll().empty());
    for (const HostRelease& release : kHostReleaseTable) {
        DetectHostReleaseAnyView(m_registry, release);
        DetectHostRelease(m_registry, release, kWow6432Node);
    }
    EXPECT_FALSE(KeyExists(Root::CurrentUser, "SOFTWARE\\Autodesk"));
    EXPECT_FALSE(KeyExists(Root::LocalMachine, "SOFTWARE\\Autodesk"));
    EXPECT_FALSE(KeyExists(Root::LocalMachine, "SOFTWARE\\Wow6432Node"));
    EXPECT_FALSE(fs::exists(Local("registry.reg")));
}

}  // namespace
}  // namespace setup
