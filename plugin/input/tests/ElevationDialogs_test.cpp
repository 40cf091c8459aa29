// The define, import and modify commands with their dialogs, acted on through
// the test driver as a user would.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "CommandBodies.h"
#include "DataTestSupport.h"
#include "DlgImportH.h"
#include "DocData.h"
#include "TestUiDriver.h"
#include "acedhost.h"
#include "acutads.h"
#include "dbsymtb.h"

namespace {

struct Point {
    AcGePoint3d position;
    std::vector<double> elevations;
    double angle = 0, height = 0;
    std::wstring layer;
};

class ElevationInput : public SiteDrawingTest {
  protected:
    void SetUp() override {
        SiteDrawingTest::SetUp();
        DocVars.lastLayerCount = 0;
        acedHostAddBuiltinCommand(L"DEF", RunDefineElevations);
        acedHostAddBuiltinCommand(L"IMP", RunImportElevations);
        acedHostAddBuiltinCommand(L"MOD", RunModifyElevations);
    }
    void TearDown() override {
        acedHostClearBuiltinCommands();
        SiteDrawingTest::TearDown();
    }

    // Runs command-line answers; dialogs go to the driver.
    void run(const std::vector<std::wstring>& lines) {
        AcEdScriptSource source(acedHostScriptFromLines(lines).lines);
        const AcEdRunResult r = acedHostRun(source);
        EXPECT_TRUE(r.ok) << wcrtToUtf8(r.error);
    }

    std::vector<Point> points() {
        std::vector<Point> out;
        for (const AcDbObjectId& id : ModelSpaceIds(db())) {
            AcDbMPointEle* p = nullptr;
            if (acdbOpenObject(p, id, AcDb::kForRead) != Acad::eOk) continue;
            AcGeDoubleArray e;
            p->elevations(e);
            ACHAR* layer = p->layer();
            out.push_back({p->position(), std::vector<double>(e.begin(), e.end()), p->textAngle(),
                           p->textHeight(), layer});
            acutDelString(layer);
            p->close();
        }
        return out;
    }

    std::filesystem::path survey(const char* name, const std::string& bytes) {
        const auto p = path(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    TestUiDriver driver;
};

CGridCtrl& GridOf(CDialog& d) {
    for (CWnd* c : d.Controls())
        if (auto* g = dynamic_cast<CGridCtrl*>(c)) return *g;
    throw std::logic_error("no grid");
}

TEST_F(ElevationInput, DefineAddsDeletesAndConfirms) {
    setSetting(L"OEleTextAngle", L" 90 ");
    driver.Expect(L"定义标高", [](CDialog& d) {
        CGridCtrl& g = GridOf(d);
        EXPECT_EQ(g.GetRowCount(), 1);  // lastLayerCount 0: the header only
        EXPECT_EQ(g.GetTextColor(), RGB(0, 0, 255));
        EXPECT_EQ(g.GetBkColor(), RGB(0, 128, 128));
        for (int k = 0; k < 3; ++k) UI_DO(ui::Click(d, L"添加行"));
        UI_DO(ui::Set(d, L"grid:1,1", L"10"));
        UI_DO(ui::Set(d, L"grid:2,1", L"9"));
        UI_DO(ui::Set(d, L"grid:3,1", L"8"));
        EXPECT_NE(ui::Set(d, L"grid:3,1", L"8m"), L"");
        UI_DO(ui::Focus(d, L"grid:2,1"));
        UI_DO(ui::Click(d, L"删除行"));
        EXPECT_EQ(g.GetItemText(2, 0), L"2");
        EXPECT_EQ(g.GetItemText(2, 1), L"8");
        UI_DO(ui::Focus(d, L"grid:0,1"));  // the header: nothing goes
        UI_DO(ui::Click(d, L"删除行"));
        UI_DO(ui::Click(d, L"添加行"));  // a blank layer reads 0
        UI_DO(ui::Ok(d));
    });
    driver.Expect(L"定义标高", [](CDialog& d) {
        EXPECT_EQ(GridOf(d).GetRowCount(), 4);  // three rows, as the last point had
        UI_DO(ui::Cancel(d));
    });
    run({L"DEF", L"5,6", L"7,8", L""});
    const std::vector<Point> got = points();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].elevations, (std::vector<double>{10, 8, 0}));
    EXPECT_EQ(got[0].position, AcGePoint3d(5, 6, 0));
    EXPECT_DOUBLE_EQ(got[0].angle, std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(got[0].height, 2.5);
    EXPECT_EQ(got[0].layer, L"多层标高");
    EXPECT_EQ(DocVars.lastLayerCount, 3);
    EXPECT_EQ(setting(L"MLayerELeColor"), L"6");
    EXPECT_EQ(setting(L"OEleTextHeight"), L"");  // not written back here
}

TEST_F(ElevationInput, DefineWithoutRowsMakesTheLayerOnly) {
    DocVars.lastLayerCount = 2;
    driver.Expect(L"定义标高", [](CDialog& d) {
        for (int r : {1, 1}) {
            UI_DO(ui::Focus(d, L"grid:" + std::to_wstring(r) + L",1"));
            UI_DO(ui::Click(d, L"删除行"));
        }
        UI_DO(ui::Ok(d));
    });
    run({L"DEF", L"0,0", L""});
    EXPECT_TRUE(points().empty());
    EXPECT_EQ(DocVars.lastLayerCount, 0);
    AcDbObjectId layer;
    EXPECT_NE(ArxLayer::Arx_FindLayerFromName(L"多层标高", layer), 0);
}

TEST_F(ElevationInput, TextSettingsSelectTheFirstEntryBeginningWithTheStoredAngle) {
    const struct {
        const wchar_t* stored;
        const wchar_t* shown;
        const wchar_t* storedAfter;
    } cases[] = {{L"", L"0", L"0"},
                 {L"45", L"45", L"45"},
                 {L"45.5", L"0", L"45.5"},
                 {L"1", L"1", L"1"},
                 {L"abc", L"0", L"abc"}};
    for (const auto& c : cases) {
        setSetting(L"OEleTextAngle", c.stored);
        driver.Expect(L"文本设置", [&](CDialog& d) {
            EXPECT_EQ(d.Controls()[1]->GetWindowText(), c.shown) << wcrtToUtf8(c.stored);
            UI_DO(ui::Cancel(d));
        });
        run({L"DEF", L"S", L""});
        EXPECT_EQ(setting(L"OEleTextAngle"), c.storedAfter);
    }
    driver.Expect(L"文本设置", [](CDialog& d) {
        EXPECT_EQ(d.Controls()[3]->GetWindowText(), L"2.5");
        UI_DO(ui::Set(d, L"标注角度", L"45.5"));
        EXPECT_NE(ui::Set(d, L"文本高度", L"3,5"), L"");
        UI_DO(ui::Set(d, L"文本高度", L"-3.5"));
        UI_DO(ui::Ok(d));
    });
    run({L"DEF", L"S", L""});
    EXPECT_EQ(setting(L"OEleTextAngle"), L"45.5");
    EXPECT_EQ(setting(L"OEleTextHeight"), L"-3.5");
}

TEST_F(ElevationInput, ImportKeepsFullPrecisionDropsRowsAndCountsLayersAcrossCommands) {
    const auto file = survey("s.txt",
                             "1,1000.12345,2000.5,45.1234567,44.1\r\n"
                             "bad line\r\n"
                             "2,1,2,3.25\r\n"
                             "3,4,5,6,7,8\r\n"
                             "4,9,9,9,9\r\n");
    const std::wstring name = file.wstring();
    driver.Expect(L"导入标高", [&](CDialog& d) {
        UI_DO(ui::Click(d, L"..."));
        CGridCtrl& g = GridOf(d);
        ASSERT_EQ(g.GetRowCount(), 5);
        ASSERT_EQ(g.GetColumnCount(), 4);
        EXPECT_EQ(DocVars.lastLayerCount, 2);
        EXPECT_EQ(g.GetItemText(0, 3), L"标高2");
        EXPECT_EQ(g.GetItemText(1, 1), L"1000.123, 2000.500");
        EXPECT_EQ(g.GetItemText(1, 2), L"45.1235");
        EXPECT_EQ(g.GetItemText(2, 3), L"");   // one elevation: the second cell stays empty
        EXPECT_EQ(g.GetItemText(3, 3), L"7");  // the third value is dropped
        UI_DO(ui::Focus(d, L"grid:4,1"));
        UI_DO(ui::Click(d, L"移项"));
        UI_DO(ui::Set(d, L"grid:3,2", L"6.5"));
        UI_DO(ui::Ok(d));
    });
    driver.Expect(L"打开", [&](CDialog& d) {
        UI_DO(ui::Set(d, L"文件名", name));
        UI_DO(ui::Ok(d));
    });
    run({L"IMP"});
    const std::vector<Point> got = points();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].position, AcGePoint3d(1000.12345, 2000.5, 0));
    EXPECT_EQ(got[0].elevations, (std::vector<double>{45.1234567, 44.1}));
    EXPECT_EQ(got[1].elevations, (std::vector<double>{3.25}));
    EXPECT_EQ(got[2].elevations, (std::vector<double>{6.5, 7}));
    EXPECT_EQ(setting(L"MLayerHFormat"), L"1");

    // Modify the first point: untouched cells keep every digit.
    driver.Expect(L"修改标高", [](CDialog& d) {
        EXPECT_EQ(GridOf(d).GetItemText(1, 1), L"45.1235");
        UI_DO(ui::Click(d, L"确定"));
    });
    run({L"MOD", L"1000.12345,2000.5"});
    EXPECT_EQ(points()[0].elevations, (std::vector<double>{45.1234567, 44.1}));
    EXPECT_EQ(DocVars.lastLayerCount, 2);
    driver.Expect(L"修改标高", [](CDialog& d) {
        UI_DO(ui::Set(d, L"grid:1,1", L""));
        UI_DO(ui::Ok(d));
    });
    run({L"MOD", L"1,2"});
    EXPECT_EQ(points()[1].elevations, (std::vector<double>{0}));  // the layer count stays
    EXPECT_EQ(DocVars.lastLayerCount, 1);
    driver.Expect(L"定义标高", [](CDialog& d) { EXPECT_EQ(GridOf(d).GetRowCount(), 2); });
    run({L"DEF", L"0,0", L""});
}

TEST_F(ElevationInput, FormatTwoFromUtf16AndAnUnreadableFileLeavesTheHeader) {
    setSetting(L"MLayerHFormat", L"2");
    std::string utf16("\xFF\xFE", 2);
    for (char c : std::string("1,10,20,45.9,1.15,2.3\r\n")) utf16 += std::string{c, '\0'};
    const auto file = survey("two.txt", utf16);
    CDlgImportH dialog(nullptr);
    driver.Expect(L"导入标高", [&](CDialog& d) {
        EXPECT_EQ(d.Controls()[1]->GetWindowText(), L"格式二");
        dialog.LoadFile(file.wstring());
        EXPECT_EQ(GridOf(d).GetItemText(1, 4), L"42.45");
        dialog.LoadFile(L"/no/such/file.txt");
        EXPECT_EQ(GridOf(d).GetRowCount(), 1);
        EXPECT_EQ(GridOf(d).GetItemText(0, 1), L"坐标");
        UI_DO(ui::Click(d, L"格式二"));
        UI_DO(ui::Cancel(d));
    });
    driver.Expect(L"标高数据格式", [](CDialog& d) {
        UI_DO(ui::Click(d, L"格式一"));
        UI_DO(ui::Ok(d));
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_format, 1);
    EXPECT_EQ(setting(L"MLayerHFormat"), L"2");  // not written on cancel
}

}  // namespace
