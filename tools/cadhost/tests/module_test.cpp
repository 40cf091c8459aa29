// The host with a real module loaded in this process: command registration,
// prompts, picking, selection by extended data, drag, user breaks, unloading.
#include <gtest/gtest.h>

#include "acdocman.h"
#include "aced.h"
#include "acedhost.h"
#include "acutads.h"
#include "dbmain.h"
#include "host_commands.h"
#include "rxdlinkr.h"
#include "wcrt.h"

namespace {

class HostWithModule : public ::testing::Test {
  protected:
    void SetUp() override {
        acedHostReset();
        acedHostSetTerminalEcho(false);
        cadhostAddCommands();
        acDocManager->addDocument(nullptr, L"");
        ASSERT_TRUE(acrxDynamicLinker->loadModule(HOST_TEST_MODULE_W, false));
        acedHostClearTranscript();
    }
    void TearDown() override {
        acDocManager->closeAll();
        acrxDynamicLinker->unloadAll();
        acedHostClearBuiltinCommands();
        acedHostReset();
    }

    static AcEdRunResult run(const std::vector<std::wstring>& lines) {
        AcEdScript script = acedHostScriptFromLines(lines);
        EXPECT_TRUE(script.ok()) << wcrtToUtf8(script.error);
        AcEdScriptSource source(script.lines);
        return acedHostRun(source);
    }

    static bool printed(const std::wstring& text) {
        return acedHostTranscript().find(text) != std::wstring::npos;
    }

    static constexpr const wchar_t* HOST_TEST_MODULE_W = L"" HOST_TEST_MODULE;
};

struct RunCase {
    const char* name;
    std::vector<std::wstring> lines;
    std::vector<std::wstring> expected;  // texts the transcript must contain
};

TEST_F(HostWithModule, LoadingRegistersTheGroupAndReportsTheModule) {
    const std::vector<std::wstring> names = acrxDynamicLinker->loadedModuleNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], L"HOSTTESTMODULE.ARX");
    EXPECT_TRUE(acrxDynamicLinker->isMDIAware(L"hosttestmodule.arx"));
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"HOSTTESTMODULE.ARX"));
    EXPECT_NE(acedRegCmds->lookupGlobalCmd(L"tkeyword"), nullptr);
    resbuf* loaded = acedArxLoaded();
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded->resval.rstring, L"HOSTTESTMODULE.ARX");
    acutRelRb(loaded);
}

TEST_F(HostWithModule, CommandsTalkThroughTheEditor) {
    const RunCase cases[] = {
        {"keywords by abbreviation and in full",
         {L"TKEYWORD", L"s", L"SET", L"1,2", L"all"},
         {L"keyword Set\nPick", L"point 1,2 world 1,2", L"keyword All"}},
        {"enter at a point prompt", {L"TKEYWORD", L""}, {L"result 5000"}},
        {"escape at a point prompt", {L"TKEYWORD", L"!escape"}, {L"*Cancel*", L"result -5002"}},
        {"integer", {L"TINT", L"7"}, {L"integer 7 result 5100"}},
        {"escape keeps the default", {L"TINT", L"!escape"}, {L"integer 1 result -5002"}},
        {"pick the circle near its rim", {L"TMAKE", L"TPICK", L"33.5,30"}, {L"entity AcDbCircle"}},
        {"pick a text inside its box", {L"TMAKE", L"TPICK", L"5,23"}, {L"entity AcDbText"}},
        {"pick nothing", {L"TMAKE", L"TPICK", L"500,500"}, {L"result -5001"}},
        {"select by extended data",
         {L"TMAKE", L"TXDATA", L"场区"},
         {L"1 selected", L"entity AcDbPolyline"}},
        {"select by an application nobody uses",
         {L"TMAKE", L"TXDATA", L"边坡"},
         {L"none selected"}},
        {"drag runs the preview", {L"TMAKE", L"TDRAG", L"5,6"}, {L"preview 5,6", L"dropped 5,6"}},
        {"break after three polls", {L"!break 3", L"TLOOP"}, {L"stopped at 3"}},
        {"no break", {L"TLOOP"}, {L"counted 100"}},
        {"global name with underscore", {L"_TINT", L"2"}, {L"integer 2"}},
    };
    for (const RunCase& c : cases) {
        acDocManager->closeAll();  // every case starts from an empty drawing
        acDocManager->addDocument(nullptr, L"");
        acedHostClearTranscript();
        const AcEdRunResult r = run(c.lines);
        EXPECT_TRUE(r.ok) << c.name;
        for (const std::wstring& e : c.expected)
            EXPECT_TRUE(printed(e)) << c.name << ": missing text; transcript:\n"
                                    << wcrtToUtf8(acedHostTranscript());
    }
}

TEST_F(HostWithModule, PointsAreGivenInTheUserCoordinateSystem) {
    ASSERT_TRUE(run({L"UCS", L"100,50", L"100,51", L""}).ok);  // x axis turned to world +y
    ASSERT_TRUE(run({L"TKEYWORD", L"2,3", L"A"}).ok);
    EXPECT_TRUE(printed(L"point 2,3 world 97,52"));
    ASSERT_TRUE(run({L"UCS", L"W"}).ok);
    EXPECT_TRUE(acedHostUcs().origin.isEqualTo(AcGePoint3d::kOrigin));
}

struct FailCase {
    const char* name;
    std::vector<std::wstring> lines;
    std::wstring error;  // start of the run's error
};

TEST_F(HostWithModule, BatchRunsStopWhereTheyCannotGoOn) {
    const FailCase cases[] = {
        {"unknown command",
         {L"TINT", L"3", L"NOSUCH"},
         L"script line 3: unknown command \"NOSUCH\""},
        {"answer that fits no prompt", {L"TINT", L"many"}, L"script line 2: Requires an integer"},
        {"script ends inside a command", {L"TKEYWORD"}, L"the script ended while a command"},
        {"dialog line at a prompt",
         {L"TINT", L"!dialog.ok"},
         L"script line 2: No dialog is showing"},
        {"dialog line at the top", {L"!dialog.cancel"}, L"script line 1: a dialog line"},
        {"a command that throws", {L"TTHROW"}, L"script line 1: command TTHROW failed"},
    };
    for (const FailCase& c : cases) {
        const AcEdRunResult r = run(c.lines);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.name << ": " << wcrtToUtf8(r.error);
    }
}

TEST_F(HostWithModule, QuitEndsTheRunAndLaterLinesAreNotRead) {
    const AcEdRunResult r = run({L"QUIT", L"NOSUCH"});
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(printed(L"Unknown command"));
}

TEST_F(HostWithModule, ClosingADrawingTellsTheModulesReactor) {
    AcApDocument* second = acDocManager->addDocument(nullptr, L"/tmp/site.dxf");
    acDocManager->closeDocument(second);
    EXPECT_TRUE(printed(L"closing site.dxf"));
    EXPECT_EQ(acDocManager->documentCount(), 1);
}

TEST_F(HostWithModule, UnloadingRemovesTheWholeGroup) {
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(L"HostTestModule.arx"));
    EXPECT_EQ(acedRegCmds->lookupGlobalCmd(L"TKEYWORD"), nullptr);
    EXPECT_EQ(acedRegCmds->lookupGlobalCmd(L"TLOOP"), nullptr);
    EXPECT_TRUE(acrxDynamicLinker->loadedModuleNames().empty());
    EXPECT_FALSE(run({L"TKEYWORD"}).ok);  // now an unknown command
}

TEST_F(HostWithModule, ALockedModuleStaysLoaded) {
    ASSERT_TRUE(run({L"TLOCK"}).ok);
    EXPECT_TRUE(acrxDynamicLinker->isApplicationLocked(L"HOSTTESTMODULE.ARX"));
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"HOSTTESTMODULE.ARX"));
    EXPECT_TRUE(printed(L"Unable to unload HOSTTESTMODULE.ARX: it is locked."));
    EXPECT_NE(acedRegCmds->lookupGlobalCmd(L"TLOCK"), nullptr);
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"NOTLOADED.ARX"));
}

TEST_F(HostWithModule, AModuleForAnotherApiVersionIsRefused) {
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"" OLD_API_MODULE, false));
    EXPECT_TRUE(printed(L"built for API version 18.0, this host has 19.0"));
    EXPECT_EQ(acrxDynamicLinker->loadedModuleNames().size(), 1u);
}

TEST_F(HostWithModule, AMissingModuleIsReported) {
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"/nonexistent/Nothing.arx", false));
    EXPECT_TRUE(printed(L"Unable to load NOTHING.ARX"));
}

}  // namespace
