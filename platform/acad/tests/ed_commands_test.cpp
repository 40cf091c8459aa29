// The command stack, the document manager and selection sets.
#include <gtest/gtest.h>

#include "acdocman.h"
#include "aced.h"
#include "acedhost.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "rxdlinkr.h"

namespace {

void first() {}
void second() {}

TEST(AcedCommandStack, RegistrationRules) {
    AcEdCommandStack stack;
    struct Case {
        const wchar_t* group;
        const wchar_t* name;
        AcRxFunctionPtr fn;
        Acad::ErrorStatus expected;
    } cases[] = {
        {L"G1", L"Alpha", first, Acad::eOk},
        {L"G1", L"ALPHA", second, Acad::eDuplicateKey},  // names ignore case
        {L"G2", L"Alpha", second, Acad::eOk},            // another group may reuse it
        {L"G1", L"Two words", first, Acad::eInvalidInput},
        {L"G1", L"", first, Acad::eInvalidInput},
        {L"", L"Beta", first, Acad::eInvalidInput},
        {L"G1", L"Beta", nullptr, Acad::eInvalidInput},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stack.addCommand(c.group, c.name, c.name, ACRX_CMD_MODAL, c.fn), c.expected)
            << c.name;
    // The group added last is searched first.
    ASSERT_NE(stack.lookupGlobalCmd(L"alpha"), nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd(L"alpha")->functionAddr(), &second);
    EXPECT_EQ(stack.groupNames(), (std::vector<std::wstring>{L"G2", L"G1"}));
    EXPECT_EQ(stack.removeGroup(L"g2"), Acad::eOk);
    EXPECT_EQ(stack.lookupGlobalCmd(L"ALPHA")->functionAddr(), &first);
    EXPECT_EQ(stack.removeGroup(L"G2"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd(L"G1", L"Gamma"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCmd(L"G1", L"alpha"), Acad::eOk);
    EXPECT_TRUE(stack.groupNames().empty());  // its last command gone, the group goes too
}

TEST(AcedCommandStack, LocalAndGlobalNames) {
    AcEdCommandStack stack;
    AcEdCommand* cmd = nullptr;
    ASSERT_EQ(stack.addCommand(L"G", L"Erase", L"Effacer", ACRX_CMD_TRANSPARENT, first, nullptr, -1,
                               nullptr, &cmd),
              Acad::eOk);
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(stack.lookupLocalCmd(L"effacer"), cmd);
    EXPECT_EQ(stack.lookupLocalCmd(L"erase"), nullptr);
    EXPECT_EQ(stack.lookupGlobalCmd(L"ERASE"), cmd);
    EXPECT_EQ(cmd->commandFlags(), ACRX_CMD_TRANSPARENT);
}

TEST(AcedServices, TheSystemRegistryHoldsTheHostServices) {
    EXPECT_EQ(AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)), acedRegCmds);
    EXPECT_EQ(AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER)),
              acrxDynamicLinker);
    EXPECT_NE(acedRegCmds, nullptr);
    EXPECT_NE(acrxDynamicLinker, nullptr);
}

// Records what the document manager tells it.
class Recorder : public AcApDocManagerReactor {
  public:
    void documentCreated(AcApDocument* d) override { log += L"created " + title(d) + L";"; }
    void documentBecameCurrent(AcApDocument* d) override { log += L"current " + title(d) + L";"; }
    void documentToBeDestroyed(AcApDocument* d) override {
        log += L"closing " + title(d) + L";";
        if (removeSelf) acDocManager->removeReactor(this);
    }
    static std::wstring title(AcApDocument* d) { return d->docTitle(); }
    std::wstring log;
    bool removeSelf = false;
};

TEST(AcApDocuments, ReactorsCurrentDocumentAndWorkingDatabase) {
    Recorder r;
    acDocManager->addReactor(&r);
    acDocManager->addReactor(&r);  // once only
    AcApDocument* a = acDocManager->addDocument(nullptr, L"/data/a.dxf");
    AcApDocument* b = acDocManager->addDocument(nullptr, L"");
    EXPECT_EQ(acDocManager->curDocument(), b);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), b->database());
    EXPECT_EQ(acDocManager->document(a->database()), a);
    const std::wstring untitled = b->docTitle();
    EXPECT_EQ(untitled.rfind(L"Drawing", 0), 0u);
    acDocManager->closeDocument(b);
    EXPECT_EQ(acDocManager->curDocument(), a);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), a->database());
    r.removeSelf = true;
    acDocManager->closeDocument(a);
    EXPECT_EQ(r.log, L"created a.dxf;current a.dxf;created " + untitled + L";current " + untitled +
                         L";closing " + untitled + L";current a.dxf;closing a.dxf;");
    EXPECT_EQ(acDocManager->curDocument(), nullptr);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
    EXPECT_EQ(acDocManager->closeDocument(a), Acad::eInvalidInput);
}

TEST(AcApDocuments, ResourceHandlesNest) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(0x1000);
    const size_t depth = acDocManager->resourceDepth();
    acDocManager->pushResourceHandle(module);
    EXPECT_EQ(acDocManager->currentResourceHandle(), module);
    acDocManager->popResourceHandle();
    acDocManager->popResourceHandle();  // unbalanced: ignored
    EXPECT_EQ(acDocManager->resourceDepth(), depth > 0 ? depth - 1 : 0);
}

class SelectionSets : public ::testing::Test {
  protected:
    void SetUp() override {
        acedHostReset();
        mDoc = acDocManager->addDocument(nullptr, L"");
        for (int i = 0; i < 3; ++i) mIds.push_back(addCircle(i * 10.0));
    }
    void TearDown() override { acDocManager->closeDocument(mDoc); }

    AcDbObjectId addCircle(double x) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, mDoc->database()->modelSpaceId(), AcDb::kForWrite),
                  Acad::eOk);
        auto* circle = new AcDbCircle({x, 0, 0}, {0, 0, 1}, 1.0);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, circle), Acad::eOk);
        circle->close();
        space->close();
        return id;
    }

    static void nameOf(AcDbObjectId id, ads_name out) {
        ads_name n;
        acdbGetAdsName(n, id);
        ads_name_set(n, out);
    }

    AcApDocument* mDoc = nullptr;
    std::vector<AcDbObjectId> mIds;
};

TEST_F(SelectionSets, BuildQueryAndFree) {
    ads_name set;
    ads_name e0, e1;
    nameOf(mIds[0], e0);
    nameOf(mIds[1], e1);
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
    Adesk::Int32 n = -1;
    ASSERT_EQ(acedSSLength(set, &n), RTNORM);
    EXPECT_EQ(n, 0);
    ads_name same;
    EXPECT_EQ(acedSSAdd(e0, set, same), RTNORM);
    EXPECT_EQ(acedSSAdd(e0, set, same), RTNORM);  // no duplicates
    EXPECT_EQ(acedSSAdd(e1, set, same), RTNORM);
    EXPECT_TRUE(ads_name_equal(same, set));
    acedSSLength(set, &n);
    EXPECT_EQ(n, 2);
    ads_name got;
    ASSERT_EQ(acedSSName(set, 1, got), RTNORM);
    EXPECT_TRUE(ads_name_equal(got, e1));
    EXPECT_EQ(acedSSName(set, 2, got), RTERROR);
    EXPECT_EQ(acedSSName(set, -1, got), RTERROR);
    EXPECT_EQ(acedSSMemb(e0, set), RTNORM);
    EXPECT_EQ(acedSSDel(e0, set), RTNORM);
    EXPECT_EQ(acedSSMemb(e0, set), RTERROR);
    EXPECT_EQ(acedSSDel(e0, set), RTERROR);
    EXPECT_EQ(acedSSLength(e1, &n), RTERROR);  // an entity name is no selection set
    EXPECT_EQ(acedSSFree(set), RTNORM);
    EXPECT_EQ(acedSSFree(set), RTERROR);
    EXPECT_EQ(acedSSLength(set, &n), RTERROR);
}

TEST_F(SelectionSets, SelectAllWithFilters) {
    AcDbEntity* erased = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(erased, mIds[2], AcDb::kForWrite), Acad::eOk);
    erased->erase();
    erased->close();
    ads_name set;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, set), RTNORM);
    Adesk::Int32 n = 0;
    acedSSLength(set, &n);
    EXPECT_EQ(n, 2);  // the erased circle is not selected
    acedSSFree(set);

    resbuf* circles = acutBuildList(RTDXF0, L"CIRCLE", 8, L"0", 0);
    EXPECT_EQ(acedSSGet(L"_X", nullptr, nullptr, circles, set), RTNORM);
    acedSSFree(set);
    acutRelRb(circles);
    resbuf* lines = acutBuildList(RTDXF0, L"LINE", 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, lines, set), RTERROR);  // nothing matches
    acutRelRb(lines);
    resbuf* unsupported = acutBuildList(40, 1.0, 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, unsupported, set), RTERROR);
    acutRelRb(unsupported);
    EXPECT_EQ(acedSSGet(L"W", nullptr, nullptr, nullptr, set), RTERROR);
}

}  // namespace

namespace {

std::wstring stringVar(const wchar_t* name) {
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM || rb.restype != RTSTR) return L"?";
    std::wstring value = rb.resval.rstring;
    acutDelString(rb.resval.rstring);
    return value;
}

int setStringVar(const wchar_t* name, const wchar_t* value) {
    resbuf rb{};
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<ACHAR*>(value);
    return acedSetVar(name, &rb);
}

TEST_F(SelectionSets, CurrentLayerAndTextStyleAreTheDrawings) {
    EXPECT_EQ(stringVar(L"CLAYER"), L"0");
    EXPECT_EQ(stringVar(L"TEXTSTYLE"), L"Standard");
    EXPECT_EQ(setStringVar(L"CLAYER", L"场区1"), RTERROR);  // no such layer yet
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(mDoc->database()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbLayerTableRecord();
    record->setName(L"场区1");
    AcDbObjectId layerId;
    ASSERT_EQ(table->add(layerId, record), Acad::eOk);
    record->close();
    table->close();
    EXPECT_EQ(setStringVar(L"clayer", L"场区1"), RTNORM);
    EXPECT_EQ(mDoc->database()->clayer(), layerId);
    EXPECT_EQ(stringVar(L"CLAYER"), L"场区1");
}

}  // namespace
