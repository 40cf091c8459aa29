// Recording what entities draw, measuring it, and SVG pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <tuple>

#include "acdocman.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "dxf_sample.h"
#include "giRenderPalette.h"
#include "giRenderRecord.h"
#include "giRenderSvg.h"
#include "wcrt.h"

namespace fs = std::filesystem;

namespace {

TEST(GiPalette, StandardEntries) {
    const std::pair<int, std::uint32_t> cases[] = {
        {1, 0xFF0000},   {2, 0xFFFF00},   {3, 0x00FF00},   {5, 0x0000FF},  {7, 0xFFFFFF},
        {8, 0x808080},   {10, 0xFF0000},  {11, 0xFF7F7F},  {14, 0x990000}, {130, 0x00FFFF},
        {173, 0x6666CC}, {250, 0x333333}, {255, 0xFFFFFF}, {-1, 0xFFFFFF}, {256, 0xFFFFFF},
    };
    for (const auto& [index, rgb] : cases) EXPECT_EQ(acgiPaletteRgb(index), rgb) << index;
}

// Geometry of each kind, drawn through the recording context.
std::vector<AcGiPrimitive> sampleGeometry() {
    AcGiRecordingDraw draw;
    const AcGeVector3d up(0, 0, 1);
    const AcGePoint3d path[3] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    draw.beginEntity(AcDbObjectId::kNull, 1, AcDbObjectId::kNull);
    draw.geometry().polyline(3, path);
    draw.subEntityTraits().setColor(3);
    draw.geometry().circle({20, 0, 0}, 2.0, up);
    draw.geometry().circularArc({0, 20, 0}, 5.0, up, {1, 0, 0}, std::numbers::pi / 2);
    draw.geometry().text({0, -10, 0}, up, {1, 0, 0}, 2.0, 0.5, 0.0, L"场区AB");
    return draw.primitives();
}

TEST(GiRecord, RecordsKindsAndTraits) {
    const auto prims = sampleGeometry();
    ASSERT_EQ(prims.size(), 4u);
    EXPECT_EQ(prims[0].kind, AcGiPrimitive::Kind::kPolyline);
    EXPECT_EQ(prims[0].color, 1);
    EXPECT_EQ(prims[1].color, 3);
    EXPECT_EQ(prims[3].text, L"场区AB");
    // Two full-width characters and two others at height 2, width factor 0.5.
    EXPECT_DOUBLE_EQ(acgiTextLength(prims[3]), (2 * 1.0 + 2 * 0.6) * 2.0 * 0.5);
}

TEST(GiRecord, StyledTextReadsNoFurtherThanItsEnd) {
    AcGiRecordingDraw draw;
    AcGiTextStyle style;
    style.setTextSize(3.0);
    style.setXScale(0.7);
    draw.geometry().text({0, 0, 0}, {0, 0, 1}, {1, 0, 0}, L"abc", 99, false, style);
    draw.geometry().text({0, 0, 0}, {0, 0, 1}, {1, 0, 0}, L"abc", 2, false, style);
    ASSERT_EQ(draw.primitives().size(), 2u);
    EXPECT_EQ(draw.primitives()[0].text, L"abc");
    EXPECT_EQ(draw.primitives()[1].text, L"ab");
    EXPECT_DOUBLE_EQ(draw.primitives()[1].widthFactor, 0.7);
}

TEST(GiMeasure, DistancesInPlan) {
    const auto prims = sampleGeometry();
    struct Case {
        size_t primitive;
        AcGePoint3d point;
        double distance;
    } cases[] = {
        {0, {5, 3, 99}, 3.0},               // above the first segment; z ignored
        {0, {13, 5, 0}, 3.0},               // beside the second
        {0, {-3, -4, 0}, 5.0},              // beyond the start
        {1, {20, 0, 0}, 2.0},               // circle centre
        {1, {25, 0, 0}, 3.0},               // outside the circle
        {2, {0, 26, 0}, 1.0},               // on the arc's radius inside its sweep
        {2, {-5, 20, 0}, std::sqrt(50.0)},  // outside the sweep: nearest end
        {3, {1, -9.5, 0}, 0.0},             // inside the text box
        {3, {1, -13, 0}, 3.0},              // below it
    };
    for (const Case& c : cases)
        EXPECT_NEAR(acgiDistanceTo(prims[c.primitive], c.point), c.distance, 1e-9) << c.primitive;
}

TEST(GiMeasure, ExtentsCoverEverything) {
    const AcGiExtents2d e = acgiExtents(sampleGeometry());
    ASSERT_FALSE(e.empty);
    EXPECT_DOUBLE_EQ(e.minX, 0.0);
    EXPECT_DOUBLE_EQ(e.maxX, 22.0);
    EXPECT_DOUBLE_EQ(e.minY, -10.0);
    EXPECT_DOUBLE_EQ(e.maxY, 25.0);
    EXPECT_TRUE(acgiExtents({}).empty);
}

TEST(GiSvg, FlipsYAndKeepsTextTransforms) {
    AcGiRecordingDraw draw;
    const AcGePoint3d line[2] = {{0, 0, 0}, {100, 50, 0}};
    draw.geometry().polyline(2, line);
    AcGiTextStyle style;
    style.setTextSize(5.0);
    style.setXScale(0.8);
    style.setFont(L"仿宋_GB2312", false, false, 134, 0);
    const double a = std::numbers::pi / 6;
    draw.geometry().text({10, 10, 0}, {0, 0, 1}, {std::cos(a), std::sin(a), 0}, L"a<b & \"c\"\x01",
                         -1, false, style);
    const std::string svg =
        acgiSvgFromPrimitives(draw.primitives(), [](const AcGiPrimitive&) { return 0x123456u; });
    // Extents 0..100 x 0..50, margin 5: world (0,0) is at (5,55), (100,50) at (105,5).
    EXPECT_NE(svg.find("points=\"5,55 105,5\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("viewBox=\"0 0 110 60\""), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#123456\""), std::string::npos);
    EXPECT_NE(svg.find("translate(15 45) rotate(-30) skewX(0) scale(0.8 1)"), std::string::npos)
        << svg;
    EXPECT_NE(svg.find("font-size=\"5\""), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"'仿宋_GB2312','Noto Sans CJK SC'"), std::string::npos);
    EXPECT_NE(svg.find(">a&lt;b &amp; &quot;c&quot;</text>"), std::string::npos) << svg;
}

// A drawing with polylines, circles and Chinese texts on coloured layers.
class DrawingPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        mDoc = acDocManager->addDocument(nullptr, L"");
        mDb = mDoc->database();
    }
    void TearDown() override { acDocManager->closeDocument(mDoc); }

    AcDbObjectId layer(const wchar_t* name, int color) {
        return dxfTestAddLayer(*mDb, name, color);
    }

    void add(AcDbEntity* entity, AcDbObjectId layerId) {
        entity->setLayer(layerId);
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, mDb->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(space->appendAcDbEntity(entity), Acad::eOk);
        entity->close();
        space->close();
    }

    void buildSite() {
        const AcDbObjectId panes = layer(L"场区1方格", 2);
        const AcDbObjectId texts = layer(L"场区1方格标高标注", 173);
        for (int i = 0; i < 3; ++i) {
            auto* pl = new AcDbPolyline();
            const double x = i * 20.0;
            const AcGePoint2d corners[4] = {{x, 0}, {x + 20, 0}, {x + 20, 20}, {x, 20}};
            for (unsigned k = 0; k < 4; ++k) pl->addVertexAt(k, corners[k]);
            pl->setClosed(true);
            add(pl, panes);
            add(new AcDbCircle({x, 0, 0}, {0, 0, 1}, 0.8), panes);
            auto* label =
                new AcDbText({x + 2, 12, 0}, L"挖方 W=12.50", AcDbObjectId::kNull, 2.5, 0.0);
            label->setWidthFactor(0.8);
            add(label, texts);
        }
        auto* title = new AcDbText({5, 25, 0}, L"场区1 土方计算", AcDbObjectId::kNull, 4.0, 0.1);
        title->setColorIndex(1);
        add(title, texts);
    }

    AcApDocument* mDoc = nullptr;
    AcDbDatabase* mDb = nullptr;
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(DrawingPicture, ColoursComeFromEntitiesAndLayers) {
    buildSite();
    const std::string svg = acgiRenderSvg(mDb);
    EXPECT_NE(svg.find("stroke=\"#FFFF00\""), std::string::npos);  // panes by layer colour 2
    EXPECT_NE(svg.find("fill=\"#6666CC\""), std::string::npos);    // texts by layer colour 173
    EXPECT_NE(svg.find("fill=\"#FF0000\""), std::string::npos);    // the title's own colour
    EXPECT_NE(svg.find(">挖方 W=12.50</text>"), std::string::npos);
}

TEST_F(DrawingPicture, TheForegroundFollowsTheBackground) {
    buildSite();
    auto* note = new AcDbText({0, -5, 0}, L"note", AcDbObjectId::kNull, 2.0, 0.0);
    note->setColorIndex(7);
    add(note, layer(L"notes", 1));
    for (const auto& [dark, background, foreground] :
         {std::tuple{false, "#FFFFFF", "#000000"}, std::tuple{true, "#212830", "#FFFFFF"}}) {
        AcGiSvgOptions options;
        options.darkBackground = dark;
        const std::string svg = acgiRenderSvg(mDb, options);
        EXPECT_NE(svg.find(std::string("fill=\"") + background + "\"/>"), std::string::npos);
        EXPECT_NE(svg.find(std::string("fill=\"") + foreground + "\" transform"),
                  std::string::npos);
        EXPECT_NE(svg.find("stroke=\"#FFFF00\""), std::string::npos);  // colour 2 unchanged
    }
}

TEST_F(DrawingPicture, TheSvgIsXmlAndRendersToPng) {
    buildSite();
    const char* binary = std::getenv("KAVREL_BINARY_DIR");
    const fs::path dir =
        fs::path(binary != nullptr ? binary : fs::temp_directory_path().string()) / "test-output";
    fs::create_directories(dir);
    const fs::path svg = dir / "site_picture.svg";
    const fs::path png = dir / "site_picture.png";
    fs::remove(png);
    ASSERT_EQ(acgiWriteSvg(mDb, svg.string()), Acad::eOk);
    if (access("/usr/bin/python3", X_OK) != 0 || access("/usr/bin/rsvg-convert", X_OK) != 0)
        GTEST_SKIP()
            << "/usr/bin/python3 or rsvg-convert missing (scripts/bootstrap installs them)";
    const std::string parse =
        "/usr/bin/python3 -c \"import sys, xml.dom.minidom as m; m.parse(sys.argv[1])\" " +
        svg.string();
    EXPECT_EQ(std::system(parse.c_str()), 0);
    const std::string convert = "rsvg-convert -o " + png.string() + " " + svg.string();
    ASSERT_EQ(std::system(convert.c_str()), 0);
    const std::string bytes = readAll(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
}

TEST_F(DrawingPicture, AnUnwritablePathIsAnError) {
    EXPECT_EQ(acgiWriteSvg(mDb, "/nonexistent/folder/p.svg"), Acad::eFileAccessErr);
}

}  // namespace
