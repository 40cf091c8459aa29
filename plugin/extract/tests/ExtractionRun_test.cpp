// MLayerPickTufDraw through the host program, after the corner elevations
// and the earthwork, on the bundled example and on a generated site whose
// boundary panes include pentagons and triangles. Every new pane is checked
// against its source pane by an independent DXF reader (ezdxf).
#include <string>
#include <vector>

#include "CadhostSession.h"
#include "EzdxfScript.h"
#include "SiteLayout.h"

namespace e2e {
namespace {

using Extract = CadhostSession;

constexpr const char* kEarthwork = "MLayerCalPaneEle\nA\nMLayerCalPaneTuf\nA\n";

// The checker's summary line ("errors=0 outlines=2 panes=100 ...") and its
// exit status.
struct Check {
    int status = -1;
    std::string output;
};

Check CheckExtracted(const fs::path& drawing, const std::string& site, int pair) {
    Check c;
    c.status = RunCommand(std::string(kEzdxfPython) + " " + EXTRACTED_PANES_SCRIPT + " " +
                              drawing.string() + " " + site + " " + std::to_string(pair),
                          c.output);
    return c;
}

// A convex site cut by its outline into squares, quadrilaterals, pentagons
// and triangles, with four layers (three layer pairs) at its survey points.
SiteDrawingPlan CutSite() {
    SitePlan site = SquareSite(L"1", 6, 5, 10);
    site.outline = {{0, 4}, {47, 0}, {56, 23}, {31, 47}, {3, 36}};
    return {{site},
            {Point(2, 5, {20.1, 18.3, 17.2, 15.0}), Point(45, 3, {21.4, 18.9, 19.5, 14.2}),
             Point(53, 24, {19.7, 18.8, 16.1, 15.5}), Point(30, 44, {22.0, 19.2, 18.0, 14.9}),
             Point(5, 34, {20.6, 17.7, 18.4, 16.3}), Point(27, 21, {21.1, 18.1, 17.0, 15.2})}};
}

TEST_F(Extract, GeneratedSiteHasPentagonAndTrianglePanes) {
    size_t pentagons = 0, triangles = 0;
    for (const PaneShape& pane : LayOutPanes(CutSite().sites[0])) {
        pentagons += pane.corners.size() >= 5;
        triangles += pane.corners.size() == 3;
    }
    EXPECT_GT(pentagons, 0u);
    EXPECT_GT(triangles, 0u);
}

// The prompt shows three pairs and the default 1; the answer is clamped to
// them, and every new pane equals its source pane's pair.
TEST_F(Extract, NewPanesCarryTheirSourcePairOnAGeneratedSite) {
    if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf is not installed for " << kEzdxfPython;
    struct Case {
        const char* answer;
        int pair;
    };
    const Case cases[] = {{"5", 3}, {"-2", 1}, {"0", 1}, {"", 1}, {"2", 2}};
    makeDrawing(CutSite());
    for (const Case& c : cases) {
        const Outcome o =
            run(std::string(kEarthwork) + "MLayerPickTufDraw\n20,20\n" + c.answer + "\n200,0\n");
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_TRUE(Has(o.out, "\n多层土方计算_提取层土方图:\n选择提取场区:")) << o.out;
        EXPECT_TRUE(Has(o.out, "\n一共3层,提取哪层<1>:")) << o.out;
        const Check check = CheckExtracted(path("out.dxf"), "1", c.pair);
        EXPECT_EQ(check.status, 0) << c.answer << ": " << check.output;
        EXPECT_TRUE(Has(check.output, "errors=0 outlines=1 ")) << check.output;
        EXPECT_FALSE(Has(check.output, " panes=0 ")) << check.output;
        const std::string layer = "场区1-" + std::to_string(c.pair) + "方格";
        EXPECT_EQ(OnLayer(saved(), layer, "LWPOLYLINE").size(),
                  OnLayer(saved(), "场区1方格", "LWPOLYLINE").size());
    }
}

// Layer pair 2 of the example's site 1, twice: two copies with the number
// 1-2 (outer and inner outline each), every pane equal to its source.
TEST_F(Extract, TheExampleExtractedTwiceMakesTwoCopies) {
    if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf is not installed for " << kEzdxfPython;
    fs::copy_file(SourcePath("examples/site.dxf"), path("in.dxf"));
    const std::string extract = "MLayerPickTufDraw\n1100,2100\n2\n1500,2500\n";
    const Outcome o = run(std::string(kEarthwork) + extract + extract);
    ASSERT_EQ(o.status, 0) << o.err;
    const Check check = CheckExtracted(path("out.dxf"), "1", 2);
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_TRUE(Has(check.output, "errors=0 outlines=4 panes=200 checked=200 mismatches=0"))
        << check.output;
    const std::vector<SavedEntity> all = saved();
    EXPECT_EQ(OnLayer(all, "场区1-2", "CIRCLE").size(), 2u);
    EXPECT_EQ(OnLayer(all, "场区1-2方格编号", "TEXT").size(),
              2 * OnLayer(all, "场区1方格编号", "TEXT").size());
}

// The main job's script on the example: site 1-2 beside site 1, whose
// totals are the sums of its own panes, not the source site's totals.
TEST_F(Extract, TheMainJobMakesSite12WithItsOwnTotals) {
    if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf is not installed for " << kEzdxfPython;
    fs::copy_file(SourcePath("examples/site.dxf"), path("in.dxf"));
    const Outcome o = run(ReadFile(SourcePath("examples/site.scr")));
    ASSERT_EQ(o.status, 0) << o.err;
    const Check check = CheckExtracted(path("out.dxf"), "1", 2);
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_TRUE(Has(check.output, "errors=0 outlines=2 panes=100 ")) << check.output;
    const std::vector<SavedEntity> all = saved();
    double fill = 0, cut = 0;
    for (const SavedEntity& pane : OnLayer(all, "场区1-2方格", "LWPOLYLINE")) {
        fill += std::stod(pane.value("方格", "填方量"));
        cut += std::stod(pane.value("方格", "挖方量"));
    }
    const std::vector<SavedEntity> outlines = OnLayer(all, "场区1-2", "LWPOLYLINE");
    ASSERT_FALSE(outlines.empty());
    EXPECT_EQ(outlines[0].value("场区", "场区填方量"), Fixed2(fill));
    EXPECT_EQ(outlines[0].value("场区", "场区挖方量"), Fixed2(cut));
    EXPECT_NE(outlines[0].value("场区", "场区挖方量"),
              OnLayer(all, "场区1", "LWPOLYLINE")[0].value("场区", "场区挖方量"));
}

// The drop point is taken in the user's coordinate system: the copy's
// outline starts where the user points, in world coordinates.
TEST_F(Extract, TheCopyStartsAtTheDropPoint) {
    struct Case {
        const char* ucs;   // script lines before the command
        const char* drop;  // in user coordinates
        double x, y;       // the copy's start in world coordinates
    };
    const Case cases[] = {{"", "30,40", 30, 40}, {"UCS\n100,100\n100,101\n\n", "10,0", 100, 110}};
    makeDrawing({{SquareSite(L"1", 2, 1, 10)}, {Point(5, 5, {10, 8, 9})}});
    for (const Case& c : cases) {
        const Outcome o =
            run(std::string(kEarthwork) + c.ucs + "MLayerPickTufDraw\n5,5\n\n" + c.drop + "\n");
        ASSERT_EQ(o.status, 0) << o.err;
        const std::vector<SavedEntity> copies = OnLayer(saved(), "场区1-1", "LWPOLYLINE");
        ASSERT_EQ(copies.size(), 1u) << c.drop;
        EXPECT_NEAR(copies[0].x, c.x, 1e-9) << c.drop;
        EXPECT_NEAR(copies[0].y, c.y, 1e-9) << c.drop;
        const std::vector<SavedEntity> panes = OnLayer(saved(), "场区1-1方格", "LWPOLYLINE");
        ASSERT_EQ(panes.size(), 2u);
        EXPECT_NEAR(panes[0].x, c.x, 1e-9) << c.drop;
        EXPECT_NEAR(panes[0].y, c.y, 1e-9) << c.drop;
    }
}

TEST_F(Extract, EndingAtAPromptChangesNothing) {
    struct Case {
        const char* name;
        const char* answers;  // after the command name
        const char* message;
    };
    const Case cases[] = {
        {"Escape at the drag", "5,5\n\n!escape\n", "\n指定插入点:"},
        {"Enter at the drag", "5,5\n\n\n", "\n指定插入点:"},
        {"Enter at the site prompt", "\n", "\n选择提取场区:"},
        {"no earthwork yet", "5,5\n", "\n请先进行<计算多层土方>!"},
    };
    makeDrawing({{SquareSite(L"1", 2, 1, 10)}, {Point(5, 5, {10, 8, 9})}});
    for (const Case& c : cases) {
        const std::string before = std::string(c.name) == "no earthwork yet" ? "" : kEarthwork;
        const Outcome o = run(before + "MLayerPickTufDraw\n" + c.answers);
        ASSERT_EQ(o.status, 0) << c.name << o.err;
        EXPECT_TRUE(Has(o.out, c.message)) << c.name << o.out;
        for (const SavedEntity& e : saved()) EXPECT_FALSE(Has(e.layer, "1-")) << c.name << e.layer;
    }
}

}  // namespace
}  // namespace e2e
