// Site data and elevation points survive a DXF save and reopen unchanged, and
// an independent reader (ezdxf, with the system's Python) sees the same keys
// and values.
#include <map>
#include <sstream>

#include "DataTestSupport.h"
#include "EzdxfScript.h"
#include "FieldData.h"

namespace {

namespace fs = std::filesystem;

const ACHAR* const kApps[] = {L"场区", L"方格", L"边坡"};

fs::path ScriptDir() { return SourcePath("plugin/data/tests/ezdxf"); }

// A process text longer than one extended-data string: it is stored in pieces.
std::wstring LongProcess() {
    std::wstring text;
    for (int i = 0; i < 30; ++i) text += L"V=(12.5+8.25)×" + std::to_wstring(i) + L"；";
    return text;
}

class RoundTripTest : public SiteDrawingTest {
  protected:
    // Every entity's keyed values of the three applications, in drawing order.
    std::vector<std::pair<std::wstring, KeyValues>> snapshot() {
        std::vector<std::pair<std::wstring, KeyValues>> all;
        for (AcDbObjectId id : ModelSpaceIds(db()))
            for (const ACHAR* app : kApps) all.emplace_back(app, readKeys(id, app));
        return all;
    }

    void buildDrawing() {
        setSetting(L"paneeleprec", L"3");
        AcDbObjectId outer = addPolyline({{0, 0}, {20, 0}, {20, 20}, {0, 20}}, L"场区");
        AcDbObjectId hole = addPolyline({{5, 5}, {8, 5}, {8, 8}}, L"场区");
        AcDbObjectIdArray inners;
        inners.append(hole);
        ASSERT_TRUE(SetFieldOutlines(outer, inners, L"12"));
        ASSERT_TRUE(SetFieldVolumes(outer, 1234.5678, -0.0004));
        AcDbObjectId pane = addPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, L"场区12方格");
        ASSERT_TRUE(SetPaneNaturalElevations(pane, {10.1, 10.2, 10.3, 10.4}));
        ASSERT_TRUE(SetCornerLayerElevations(pane, 0, {10.1, 8.5, 7}));
        ASSERT_TRUE(SetPaneRowColumn(pane, 1, 2));
        ASSERT_TRUE(SetPaneFormulas(pane, L"V=a²×h/4", LongProcess().c_str(), L"", L"无"));
        ASSERT_TRUE(SetPaneLayerFills(pane, {0.5, 12.25}));
        AcDbObjectId slope = addPolyline({{30, 0}, {40, 0}, {40, 5}}, L"边坡", false);
        writeKeys(slope, L"边坡", {{L"填方量", L"3.5"}, {L"挖方量", L"0"}});
        addPoint({1, 2, 3}, {10, 8.5, 7}, L"多层标高", 5.0);
    }
};

TEST_F(RoundTripTest, KeyedValuesSurviveSaveAndReopen) {
    buildDrawing();
    const auto before = snapshot();
    ASSERT_EQ(before.size(), 15u);
    saveAndReopen();
    EXPECT_EQ(snapshot(), before);

    const std::vector<AcDbObjectId> ids = ModelSpaceIds(db());
    ASSERT_EQ(ids.size(), 5u);
    std::wstring text;
    ASSERT_TRUE(GetFieldNumber(ids[0], text));
    EXPECT_EQ(text, L"12");
    AcDbObjectIdArray panes;
    ASSERT_TRUE(CollectFieldPanes(ids[0], panes));
    std::vector<double> layers;
    ASSERT_TRUE(GetCornerLayerElevations(panes[0], 0, layers));
    EXPECT_EQ(layers, (std::vector<double>{10.1, 8.5, 7}));
    AcDbObjectIdArray points;
    ASSERT_TRUE(CollectElevationPoints(points));
    MLAYERELEDATA record;
    ASSERT_TRUE(ReadElevationPoint(points[0], record));
    EXPECT_EQ(record.elevations, (std::vector<double>{10, 8.5, 7}));
}

TEST_F(RoundTripTest, AnIndependentReaderSeesTheSameKeysAndPoints) {
    std::string output;
    if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf for " << kEzdxfPython << " is not installed";
    buildDrawing();
    const auto before = snapshot();
    const fs::path file = path("drawing.dxf");
    ASSERT_EQ(db()->dxfOut(file.wstring().c_str()), Acad::eOk);
    ASSERT_EQ(RunEzdxfScript(ScriptDir() / "dump_site_data.py", file, output), 0) << output;

    std::string expected;
    for (const auto& [app, values] : before)
        for (const auto& [key, value] : values)
            expected +=
                "key " + wcrtToUtf8(app) + " " + wcrtToUtf8(key) + "=" + wcrtToUtf8(value) + "\n";
    std::string keys, point;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("key ", 0) == 0) keys += line + "\n";
        if (line.rfind("point ", 0) == 0) point = line;
    }
    EXPECT_EQ(keys, expected);
    EXPECT_NE(keys.find(wcrtToUtf8(L"方格 填方过程=" + LongProcess())), std::string::npos);
    EXPECT_EQ(point, "point 1.0 2.0 3.0 5.0 0.0 3 10.0 8.5 7.0");
    EXPECT_NE(output.find("entity AcDbMPointEle"), std::string::npos) << output;
}

}  // namespace
