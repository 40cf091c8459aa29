#include <algorithm>

#include "QUARNArxApply.h"
#include "SuiteTestSupport.h"

namespace {

class Xdata : public DrawingTest {
  protected:
    AcDbObjectId addPane() { return addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}); }

    // Runs fn on the keyed data of the entity and writes it back.
    template <typename Fn>
    Acad::ErrorStatus edit(AcDbObjectId id, const ACHAR* app, Fn fn) {
        AcDbEntity* entity = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
        ArxDbgAppXdataX xdata(app, db());
        xdata.getXdata(entity);
        fn(xdata);
        const Acad::ErrorStatus es = xdata.setXdata(entity);
        entity->close();
        return es;
    }

    ArxDbgAppXdataX read(AcDbObjectId id, const ACHAR* app) {
        ArxDbgAppXdataX xdata(app, db());
        AcDbEntity* entity = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
        xdata.getXdata(entity);
        entity->close();
        return xdata;
    }
};

std::vector<std::wstring> Keys(const ArxDbgAppXdataX& xdata) {
    std::vector<std::wstring> keys;
    xdata.GetFlagArray(keys);
    return keys;
}

TEST_F(Xdata, KeysKeepInsertionOrderAndValuesReplaceInPlace) {
    const AcDbObjectId pane = addPane();
    ASSERT_EQ(edit(pane, L"方格",
                   [](ArxDbgAppXdataX& x) {
                       x.setString(L"方格类", L"是");
                       x.setString(L"点自然标高1", L"12.35");
                       x.setString(L"点自然标高2", L"12.40");
                   }),
              Acad::eOk);
    ASSERT_EQ(edit(pane, L"方格",
                   [](ArxDbgAppXdataX& x) {
                       x.setString(L"点自然标高1", L"13.00");
                       x.setString(L"填方量", L"3.50");
                       EXPECT_TRUE(x.remove(L"点自然标高2"));
                       EXPECT_FALSE(x.remove(L"点自然标高2"));
                   }),
              Acad::eOk);
    const ArxDbgAppXdataX xdata = read(pane, L"方格");
    EXPECT_EQ(Keys(xdata), (std::vector<std::wstring>{L"方格类", L"点自然标高1", L"填方量"}));
    std::wstring value;
    EXPECT_TRUE(xdata.getString(L"点自然标高1", value));
    EXPECT_EQ(value, L"13.00");
    EXPECT_FALSE(xdata.getString(L"挖方量", value));
    EXPECT_EQ(value, L"");
}

TEST_F(Xdata, OtherApplicationsAndUnknownGroupsSurviveAReadModifyWrite) {
    const AcDbObjectId site = addPane();
    ASSERT_EQ(acdbRegApp(L"场区"), 1);
    ASSERT_EQ(acdbRegApp(L"OTHER"), 1);
    {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, site, AcDb::kForWrite), Acad::eOk);
        const ads_real at[3] = {1, 2, 3};
        AcRbChain chain(acutBuildList(1001, L"OTHER", 1040, 2.5, 1001, L"场区", 1000, L"场区编号",
                                      1000, L"7", 1010, at, 0));
        ASSERT_EQ(entity->setXData(chain.get()), Acad::eOk);
        entity->close();
    }
    ASSERT_EQ(edit(site, L"场区", [](ArxDbgAppXdataX& x) { x.setString(L"场区类型", L"外框"); }),
              Acad::eOk);
    const ArxDbgAppXdataX xdata = read(site, L"场区");
    EXPECT_EQ(Keys(xdata), (std::vector<std::wstring>{L"场区编号", L"场区类型"}));
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, site, AcDb::kForRead), Acad::eOk);
    AcRbChain other(entity->xData(L"OTHER"));
    AcRbChain mine(entity->xData(L"场区"));
    entity->close();
    ASSERT_NE(other, nullptr);
    EXPECT_DOUBLE_EQ(other->rbnext->resval.rreal, 2.5);
    int codes = 0;
    bool pointKept = false;
    for (const resbuf* rb = mine.get(); rb != nullptr; rb = rb->rbnext, ++codes)
        pointKept |= rb->restype == 1010;
    EXPECT_TRUE(pointKept);
    EXPECT_EQ(codes, 1 + 4 + 1);
}

TEST_F(Xdata, LongValuesRoundTripThroughADxfSaveAndLoad) {
    const AcDbObjectId pane = addPane();
    std::wstring process;
    for (int i = 0; i < 120; ++i) process += L"(12.35+11.2)*4/方格+";
    ASSERT_GT(process.size(), 1000u);
    ASSERT_EQ(edit(pane, L"方格",
                   [&](ArxDbgAppXdataX& x) {
                       x.setString(L"方格类", L"是");
                       x.setString(L"填方过程", process.c_str());
                       x.setString(L"填方量", L"3.50");
                   }),
              Acad::eOk);
    const AcDbHandle handle = pane.handle();
    saveAndReopen();
    AcDbObjectId reread;
    ASSERT_EQ(db()->getAcDbObjectId(reread, false, handle), Acad::eOk);
    const ArxDbgAppXdataX xdata = read(reread, L"方格");
    EXPECT_EQ(Keys(xdata), (std::vector<std::wstring>{L"方格类", L"填方过程", L"填方量"}));
    std::wstring value;
    ASSERT_TRUE(xdata.getString(L"填方过程", value));
    EXPECT_EQ(value, process);
}

// Reading one key straight from the object answers as loading the whole data.
TEST_F(Xdata, OneKeyReadsAsTheLoadedData) {
    const AcDbObjectId pane = addPane();
    ASSERT_EQ(acdbRegApp(L"方格"), 1);
    const std::wstring piece(80, L'长');  // 240 UTF-8 bytes, within a group's limit
    const ads_real at[3] = {1, 2, 3};
    {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, pane, AcDb::kForWrite), Acad::eOk);
        AcRbChain chain(acutBuildList(1001, L"方格", 1000, L"方格类", 1000, L"是", 1000, L"长",
                                      1002, L"{", 1000, piece.c_str(), 1000, piece.c_str(), 1002,
                                      L"}", 1000, L"空", 1000, L"", 1010, at, 1000, L"断后", 1000,
                                      L"1", 0));
        ASSERT_EQ(entity->setXData(chain.get()), Acad::eOk);
        entity->close();
    }
    const ArxDbgAppXdataX loaded = read(pane, L"方格");
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, pane, AcDb::kForRead), Acad::eOk);
    for (const ACHAR* key : {L"方格类", L"长", L"空", L"断后", L"没有", L"1"}) {
        std::wstring expected, actual = L"stale";
        const bool found = loaded.getString(key, expected);
        EXPECT_EQ(ArxDbgAppXdataX(L"方格", db()).getString(entity, key, actual), found) << key;
        EXPECT_EQ(actual, expected) << key;
    }
    std::wstring none;
    EXPECT_FALSE(ArxDbgAppXdataX(L"其他", db()).getString(entity, L"方格类", none));
    entity->close();
}

TEST_F(Xdata, RefusedWritesChangeNothing) {
    const AcDbObjectId pane = addPane();
    ASSERT_EQ(edit(pane, L"方格", [](ArxDbgAppXdataX& x) { x.setString(L"方格类", L"是"); }),
              Acad::eOk);
    ArxDbgAppXdataX probe(L"方格", db());
    EXPECT_FALSE(probe.setString(L"", L"x"));
    EXPECT_FALSE(probe.setString(std::wstring(256, L'k').c_str(), L"x"));
    // More than the object's 16 KB of extended data.
    const std::wstring huge(20000, L'9');
    EXPECT_EQ(
        edit(pane, L"方格", [&](ArxDbgAppXdataX& x) { x.setString(L"填方过程", huge.c_str()); }),
        Acad::eXdataSizeExceeded);
    EXPECT_EQ(Keys(read(pane, L"方格")), (std::vector<std::wstring>{L"方格类"}));
}

TEST_F(Xdata, EmptyListRemovesTheApplicationsData) {
    const AcDbObjectId pane = addPane();
    ASSERT_EQ(edit(pane, L"方格", [](ArxDbgAppXdataX& x) { x.setString(L"方格类", L"是"); }),
              Acad::eOk);
    ASSERT_EQ(edit(pane, L"方格", [](ArxDbgAppXdataX& x) { x.remove(L"方格类"); }), Acad::eOk);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, pane, AcDb::kForRead), Acad::eOk);
    AcRbChain chain(entity->xData(L"方格"));
    entity->close();
    EXPECT_EQ(chain, nullptr);
}

TEST(ArxDbgRbList, OwnsCopiesAndHandsOver) {
    ArxDbgRbList list;
    list.addString(1000, L"a");
    list.addString(1000, L"b");
    ArxDbgRbList copy(list);
    EXPECT_EQ(copy.length(), 2);
    EXPECT_EQ(std::wstring(copy.getAt(1)->resval.rstring), L"b");
    EXPECT_EQ(copy.getAt(2), nullptr);
    ArxDbgRbList moved(std::move(copy));
    EXPECT_EQ(moved.length(), 2);
    EXPECT_TRUE(copy.isEmpty());  // NOLINT: moved-from state is defined as empty
    resbuf* chain = moved.orphanData();
    EXPECT_TRUE(moved.isEmpty());
    acutRelRb(chain);
    resbuf* head = acutNewRb(1000);
    acutNewString(L"first", head->resval.rstring);
    list.addHead(head);
    EXPECT_EQ(std::wstring(list.getAt(0)->resval.rstring), L"first");
    EXPECT_EQ(list.length(), 3);
}

}  // namespace
