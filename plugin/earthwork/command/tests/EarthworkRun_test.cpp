// MLayerCalPaneTuf through the host program, after MLayerCalPaneEle, on
// drawings whose volumes are worked out by hand below.
#include <string>
#include <vector>

#include "ArxDbgAppXdataX.h"
#include "CadhostSession.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "wcrt.h"

namespace e2e {
namespace {

using Earthwork = CadhostSession;

// Two 10 x 10 panes side by side; a single point gives every corner its
// elevations unchanged, so each layer is a flat plane.
SiteDrawingPlan TwoFlatPanes(std::vector<double> layers) {
    return {{SquareSite(L"1", 2, 1, 10)}, {Point(5, 5, std::move(layers))}};
}

constexpr const char* kBoth = "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n";

std::vector<SavedEntity> Panes(const std::vector<SavedEntity>& all) {
    return OnLayer(all, "场区1方格", "LWPOLYLINE");
}

TEST_F(Earthwork, ThreeLayersGiveTwoPairsAndTheirSums) {
    // Pair 1: 10 - 8 = 2 m of cut over 100 m²; pair 2: 8 - 9 = -1 m, fill.
    makeDrawing(TwoFlatPanes({10, 8, 9}));
    const Outcome o = run(kBoth);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "\n计算土方量完成.")) << o.out;
    const std::vector<SavedEntity> all = saved();
    for (const SavedEntity& pane : Panes(all)) {
        EXPECT_EQ(pane.values("方格", "挖方组"), (std::vector<std::string>{"200.00", "0.00"}));
        EXPECT_EQ(pane.values("方格", "填方组"), (std::vector<std::string>{"0.00", "100.00"}));
        EXPECT_EQ(pane.value("方格", "挖方量"), "200.00");
        EXPECT_EQ(pane.value("方格", "填方量"), "100.00");
    }
    const SavedEntity site = OnLayer(all, "场区1", "LWPOLYLINE")[0];
    EXPECT_EQ(site.value("场区", "场区挖方量"), "400.00");
    EXPECT_EQ(site.value("场区", "场区填方量"), "200.00");
    // Both texts per pane: fill above, cut below the centre, 0.7 x height apart.
    const std::vector<SavedEntity> fills = OnLayer(all, "场区1填方标注", "TEXT");
    const std::vector<SavedEntity> cuts = OnLayer(all, "场区1挖方标注", "TEXT");
    ASSERT_EQ(fills.size(), 2u);
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(fills[0].text, "T=100.00");
    EXPECT_EQ(cuts[0].text, "W=200.00");
    // The offsets turn by 1.5707963, a little short of a right angle.
    EXPECT_NEAR(fills[0].ax, 5.0, 1e-6);
    EXPECT_NEAR(fills[0].ay, 5.7, 1e-6);
    EXPECT_NEAR(cuts[0].ay, 4.3, 1e-6);
}

TEST_F(Earthwork, OnlyCutShowsOneTextAtTheCentre) {
    makeDrawing(TwoFlatPanes({10, 8}));
    ASSERT_EQ(run(kBoth).status, 0);
    const std::vector<SavedEntity> all = saved();
    EXPECT_TRUE(OnLayer(all, "场区1填方标注", "TEXT").empty());
    const std::vector<SavedEntity> cuts = OnLayer(all, "场区1挖方标注", "TEXT");
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(Panes(all)[0].value("方格", "挖方组1"), Panes(all)[0].value("方格", "挖方量"));
    // At the midpoint of the square's first and third corners, a tenth of
    // the spacing high.
    EXPECT_NEAR(cuts[0].ax, 5.0, 1e-9);
    EXPECT_NEAR(cuts[0].ay, 5.0, 1e-9);
    EXPECT_DOUBLE_EQ(cuts[0].height, 1.0);
}

TEST_F(Earthwork, OneLayerStoresZerosAndShowsBothZeroTexts) {
    makeDrawing(TwoFlatPanes({10}));
    ASSERT_EQ(run(kBoth).status, 0);
    const std::vector<SavedEntity> all = saved();
    for (const SavedEntity& pane : Panes(all)) {
        EXPECT_TRUE(pane.values("方格", "挖方组").empty());
        EXPECT_EQ(pane.value("方格", "挖方量"), "0.00");
        EXPECT_EQ(pane.value("方格", "填方量"), "0.00");
    }
    EXPECT_EQ(OnLayer(all, "场区1填方标注", "TEXT")[0].text, "T=0.00");
    EXPECT_EQ(OnLayer(all, "场区1挖方标注", "TEXT")[0].text, "W=0.00");
    EXPECT_EQ(OnLayer(all, "场区1", "LWPOLYLINE")[0].value("场区", "场区挖方量"), "0.00");
}

TEST_F(Earthwork, SiteTotalsAreTheSumOfTheStoredRoundedPaneValues) {
    // A site outline cutting its panes into irregular shapes, and points
    // that give every corner a different depth.
    SitePlan site = SquareSite(L"1", 3, 2, 10);
    site.outline = {{0, 0}, {27.3, 0}, {30, 13.7}, {11.1, 20}, {0, 16.6}};
    SiteDrawingPlan plan{{site},
                         {Point(1, 1, {10.13, 8.71}), Point(29, 2, {11.07, 8.02}),
                          Point(15, 19, {9.31, 7.77}), Point(3, 15, {10.9, 9.47})}};
    makeDrawing(plan);
    ASSERT_EQ(run(kBoth).status, 0);
    const std::vector<SavedEntity> all = saved();
    double cut = 0;
    for (const SavedEntity& pane : Panes(all)) cut += std::stod(pane.value("方格", "挖方量"));
    EXPECT_EQ(OnLayer(all, "场区1", "LWPOLYLINE")[0].value("场区", "场区挖方量"), Fixed2(cut));
}

TEST_F(Earthwork, RerunningReplacesTheTexts) {
    makeDrawing(TwoFlatPanes({10, 8, 9}));
    ASSERT_EQ(run(std::string(kBoth) + "MLayerCalPaneTuf\n5,5\n").status, 0);
    const std::vector<SavedEntity> all = saved();
    EXPECT_EQ(OnLayer(all, "场区1填方标注", "TEXT").size(), 2u);
    EXPECT_EQ(OnLayer(all, "场区1挖方标注", "TEXT").size(), 2u);
}

TEST_F(Earthwork, FewerLayersLeaveNoStalePerLayerKeys) {
    // The point just outside the site comes first and has three layers; with
    // option B only the two-layer point inside counts.
    makeDrawing(
        {{SquareSite(L"1", 2, 1, 10)}, {Point(10, 10.5, {10, 8, 9}), Point(10, 5, {10, 8})}});
    ASSERT_EQ(run(kBoth).status, 0);
    EXPECT_EQ(Panes(saved())[0].values("方格", "挖方组").size(), 2u);
    ASSERT_EQ(run(std::string(kBoth) + "MLayerCalPaneEle\nB\nA\nMLayerCalPaneTuf\nA\n").status, 0);
    for (const SavedEntity& pane : Panes(saved())) {
        EXPECT_EQ(pane.values("方格", "标高组0_").size(), 2u);
        EXPECT_EQ(pane.values("方格", "挖方组"), (std::vector<std::string>{"200.00"}));
        EXPECT_EQ(pane.values("方格", "填方组"), (std::vector<std::string>{"0.00"}));
    }
}

TEST_F(Earthwork, AUserBreakWritesTheTotalsSoFar) {
    makeDrawing(TwoFlatPanes({10, 8}));
    const Outcome o = run("MLayerCalPaneEle\nA\n!break 1\nMLayerCalPaneTuf\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "计算土方量完成.")) << o.out;
    const std::vector<SavedEntity> all = saved();
    EXPECT_EQ(OnLayer(all, "场区1", "LWPOLYLINE")[0].value("场区", "场区挖方量"), "200.00");
    EXPECT_EQ(Panes(all)[1].value("方格", "挖方量"), "<none>");
}

// The volumes of a broken formula are kept, but the user hears once per run
// and formula where they come from.
TEST_F(Earthwork, EmptyOrFailingUserFormulasAreToldOncePerRun) {
    const struct {
        const char* settings;
        const char* message;
    } cases[] = {
        {"\"CALTUFMODE\"=\"junk\"", "\n土方公式CalTuFFormula1为空!"},
        {"\"CALTUFMODE\"=\"0\"\r\n\"CalTuFFormula1\"=\"[+V=x/(h1-h2)]\"",
         "\n土方公式CalTuFFormula1计算出错:Divide by zero!"},
    };
    for (const auto& c : cases) {
        makeDrawing(TwoFlatPanes({10, 8}));
        std::ofstream(path("registry.reg"), std::ios::binary)
            << "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\SOFTWARE\\Brontavex\\QUARN\\V9]\r\n"
            << c.settings << "\r\n";
        const Outcome o = run("MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n");
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(Count(o.out, c.message), 1u) << o.out;
        EXPECT_EQ(Count(o.out, "土方公式"), 1u) << o.out;
        EXPECT_TRUE(Has(o.out, "\n计算土方量完成.")) << o.out;
    }
}

TEST_F(Earthwork, WithoutCornerElevationsTheSiteIsSkipped) {
    makeDrawing(TwoFlatPanes({10, 8}));
    const Outcome o = run("MLayerCalPaneTuf\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "\n请先进行<计算多层标高>!\n计算土方量完成.")) << o.out;
}

TEST_F(Earthwork, ASiteWithoutPanesIsReportedAndTheRunCompletes) {
    SitePlan bare = SquareSite(L"3", 1, 1, 10);
    bare.outline = {{1, 1}, {1.1, 1}, {1.1, 1.1}};  // a sliver: no pane is laid out
    makeDrawing({{bare}, {}});
    const Outcome o = run("MLayerCalPaneTuf\nA\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(Has(o.out, "\n在场区内选择方格失败!---<可能是该场区内没有布置方格>.")) << o.out;
    EXPECT_TRUE(Has(o.out, "计算土方量完成.")) << o.out;
}

// The example's result, read by an independent DXF reader (Debian's
// python3-ezdxf, installed for /usr/bin/python3): it audits without errors
// and holds the same pane keys and values as the drawing the host saved.
// The per-pane keys ("k=v|k=v" per pane, in drawing order) as the project's
// own DXF reader and extended-data accessor read them back from a file.
std::string PaneKeysReadByProject(const fs::path& file) {
    AcDbDatabase db;
    if (db.dxfIn(file.wstring().c_str()) != Acad::eOk) return "the project could not read the file";
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk)
        return "no model space";
    std::string text = "0\n";
    for (const AcDbObjectId& id : space->entityIds()) {
        AcDbPolyline* pane = nullptr;
        if (acdbOpenObject(pane, id, AcDb::kForRead) != Acad::eOk) continue;
        ArxDbgAppXdataX data(L"方格", &db);
        data.getXdata(pane);
        pane->close();
        std::vector<std::wstring> keys;
        data.GetFlagArray(keys);
        if (keys.empty()) continue;
        std::string line;
        for (const std::wstring& key : keys) {
            std::wstring value;
            data.getString(key.c_str(), value);
            line += (line.empty() ? "" : "|") + wcrtToUtf8(key) + "=" + wcrtToUtf8(value);
        }
        text += line + "\n";
    }
    space->close();
    return text;
}

TEST_F(Earthwork, TheExampleResultReadsAlikeInAnIndependentReader) {
    if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
    fs::copy_file(fs::path(KAVREL_SOURCE_DIR) / "examples/site.dxf", path("in.dxf"));
    ASSERT_EQ(run(kBoth).status, 0);
    const std::string cmd = "/usr/bin/python3 " + std::string(PANE_KEYS_SCRIPT) + " " +
                            path("out.dxf").string() + " >" + path("keys.txt").string() + " 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << ReadFile(path("keys.txt"));
    std::string expected = "0\n";
    size_t panes = 0;
    for (const SavedEntity& e : saved()) {
        if (e.type != "LWPOLYLINE" || !e.apps.count("方格")) continue;
        std::string line;
        for (const auto& [k, v] : e.apps.at("方格"))
            line += (line.empty() ? "" : "|") + k + "=" + v;
        expected += line + "\n";
        ++panes;
    }
    EXPECT_EQ(panes, 175u);
    EXPECT_EQ(ReadFile(path("keys.txt")), expected);
    EXPECT_TRUE(Has(expected, "挖方组3=")) << "three layer pairs";
    // And the project's own reader reads the same keys and values.
    EXPECT_EQ(PaneKeysReadByProject(path("out.dxf")), expected);
}

}  // namespace
}  // namespace e2e
