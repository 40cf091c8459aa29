#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "acdocman.h"
#include "aced.h"
#include "acedhost.h"
#include "arxsdk.h"
#include "rxdlinkr.h"

namespace {

const std::wstring kDir = std::wstring(L"" KAVREL_ARX_DIR) + L"/";

struct CommandRow {
    const ACHAR* name;
    const ACHAR* banner;
};

const CommandRow kCommands[] = {
    {L"MLayerDefineEle", L"\n多层土方计算_定义标高:"},
    {L"MLayerImportEle", L"\n多层土方计算_导入标高:"},
    {L"MLayerModifyEle", L"\n多层土方计算_修改标高:"},
    {L"MLayerCalPaneEle", L"\n多层土方计算_计算标高:"},
    {L"MLayerCalPaneTuf", L"\n多层土方计算_计算土方:"},
    {L"MLayerPickTufDraw", L"\n多层土方计算_提取层土方图:"},
};

class PluginLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        acedHostReset();
        mDoc = acDocManager->addDocument(nullptr, L"");
    }
    void TearDown() override {
        acDocManager->closeDocument(mDoc);
        acrxDynamicLinker->unloadAll();
    }
    static bool load(const wchar_t* file) {
        return acrxDynamicLinker->loadModule((kDir + file).c_str(), false);
    }
    static bool unload(const wchar_t* file) {
        return acrxDynamicLinker->unloadModule((kDir + file).c_str());
    }
    static int commandCount() {
        int n = 0;
        for (const CommandRow& c : kCommands)
            n += acedRegCmds->lookupGlobalCmd(c.name) != nullptr ? 1 : 0;
        return n;
    }
    AcApDocument* mDoc = nullptr;
};

TEST_F(PluginLoad, RegistersTheClassAndTheSixCommandsInOrder) {
    ASSERT_TRUE(load(L"QUARNArxBase.arx"));
    ASSERT_TRUE(load(L"QUARNArxApply.arx"));
    ASSERT_TRUE(load(L"Kavrel.arx"));
    EXPECT_TRUE(acrxDynamicLinker->isMDIAware(L"KAVREL.ARX"));
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"KAVREL.ARX"));

    AcRxClass* cls = acrxFindClass(L"AcDbMPointEle");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->myParent(), acrxFindClass(L"AcDbEntity"));
    int version = 0, release = 0;
    cls->getClassVersion(version, release);
    EXPECT_EQ(version, 31);
    EXPECT_EQ(release, 1);
    EXPECT_EQ(cls->proxyFlags(), 3071);
    EXPECT_EQ(std::wstring(cls->dxfName()), L"AcDbMPointEle");
    EXPECT_EQ(std::wstring(cls->appName()), L"AcDbMPointEle");
    std::unique_ptr<AcRxObject> made(cls->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), cls);
    ASSERT_NE(acrxFindClass(L"AcDbPtEleDim"), nullptr);

    for (const CommandRow& c : kCommands) {
        AcEdCommand* cmd = acedRegCmds->lookupGlobalCmd(c.name);
        ASSERT_NE(cmd, nullptr) << wcrtToUtf8(c.name);
        EXPECT_EQ(std::wstring(cmd->groupName()), L"VELMORAMLAYER");
        EXPECT_EQ(std::wstring(cmd->localName()), c.name);
        EXPECT_EQ(cmd->commandFlags(), ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET);
        EXPECT_EQ(cmd->functionCode(), -1);
        acedHostClearTranscript();
        cmd->functionAddr()();
        // The banner comes first; what follows is the command's own work.
        EXPECT_EQ(acedHostTranscript().substr(0, std::wcslen(c.banner)), c.banner);
    }
    EXPECT_EQ(acedRegCmds->groupNames().front(), L"VELMORAMLAYER");
}

TEST_F(PluginLoad, UnloadRemovesTheWholeGroupAndTheClass) {
    ASSERT_TRUE(load(L"QUARNArxBase.arx"));
    ASSERT_TRUE(load(L"QUARNArxApply.arx"));
    ASSERT_TRUE(load(L"Kavrel.arx"));
    ASSERT_EQ(commandCount(), 6);
    EXPECT_TRUE(unload(L"Kavrel.arx"));
    EXPECT_EQ(commandCount(), 0);
    EXPECT_EQ(acrxFindClass(L"AcDbMPointEle"), nullptr);
    EXPECT_EQ(acedRegCmds->removeGroup(L"VELMORAMLAYER"), Acad::eKeyNotFound);
    // Loaded again, it registers again.
    ASSERT_TRUE(load(L"Kavrel.arx"));
    EXPECT_EQ(commandCount(), 6);
}

TEST_F(PluginLoad, AMissingHelperModuleMeansNothingRegisteredYetSuccess) {
    for (const wchar_t* present : {L"QUARNArxBase.arx", L"QUARNArxApply.arx"}) {
        ASSERT_TRUE(load(present));
        acedHostClearTranscript();
        EXPECT_TRUE(load(L"Kavrel.arx"));
        EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"KAVREL.ARX"));
        EXPECT_EQ(commandCount(), 0);
        EXPECT_EQ(acrxFindClass(L"AcDbMPointEle"), nullptr);
        EXPECT_EQ(acedHostTranscript(), L"");  // silent
        EXPECT_TRUE(unload(L"Kavrel.arx"));
        acrxDynamicLinker->unloadAll();
    }
}

TEST_F(PluginLoad, StaysWhileADrawingHoldsItsElevationPoints) {
    ASSERT_TRUE(load(L"QUARNArxBase.arx"));
    ASSERT_TRUE(load(L"QUARNArxApply.arx"));
    ASSERT_TRUE(load(L"Kavrel.arx"));
    AcDbEntity* point = AcDbEntity::cast(acrxFindClass(L"AcDbMPointEle")->create());
    ASSERT_NE(point, nullptr);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, mDoc->database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(space->appendAcDbEntity(point), Acad::eOk);
    point->close();
    space->close();
    EXPECT_FALSE(unload(L"Kavrel.arx"));
    EXPECT_EQ(commandCount(), 6);
    acDocManager->closeDocument(mDoc);
    mDoc = acDocManager->addDocument(nullptr, L"");
    EXPECT_TRUE(unload(L"Kavrel.arx"));
}

}  // namespace
