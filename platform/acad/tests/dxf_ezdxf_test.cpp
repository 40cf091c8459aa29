// Interoperability with an independent DXF reader and writer (ezdxf, run with
// the system's Python, which is where Debian installs it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numbers>

#include "EzdxfScript.h"
#include "ScratchFolder.h"
#include "dxf_sample.h"

namespace fs = std::filesystem;

namespace {

fs::path scriptDir() { return SourcePath("platform/acad/tests/ezdxf"); }

class DxfEzdxf : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf for " << kEzdxfPython << " is not installed";
        dir = MakeScratchFolder("dxf_ezdxf");
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }
    int script(const char* name, const fs::path& file, std::string& output) {
        return RunEzdxfScript(scriptDir() / name, file, output);
    }
    fs::path dir;
};

TEST_F(DxfEzdxf, OurDrawingPassesTheirAudit) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    const fs::path file = dir / "ours.dxf";
    ASSERT_EQ(db->dxfOut(file.wstring().c_str()), Acad::eOk) << wcrtToUtf8(dxfLastErrorMessage());
    std::string output;
    EXPECT_EQ(script("audit.py", file, output), 0) << output;
    for (const char* line : {"entity LWPOLYLINE", "entity CIRCLE", "entity TEXT",
                             "entity DXFTESTMARKER", "group 场区1 3", "group *A1 1"})
        EXPECT_NE(output.find(line), std::string::npos) << line << "\n" << output;
}

struct Pane {
    int vertices = 0;
    bool closed = false;
    double bulge1 = 0;
    std::string xdata;
};

Pane paneAt(AcDbObjectId id) {
    Pane pane;
    AcDbPolyline* pl = nullptr;
    if (acdbOpenObject(pl, id, AcDb::kForRead) != Acad::eOk) return pane;
    pane.vertices = static_cast<int>(pl->numVerts());
    pane.closed = pl->isClosed();
    pl->getBulgeAt(1, pane.bulge1);
    AcRbChain chain(pl->xData(L"场区"));
    pl->close();
    for (const resbuf* rb = chain.get(); rb != nullptr; rb = rb->rbnext)
        if (rb->restype == 1000) pane.xdata += wcrtToUtf8(rb->resval.rstring);
    return pane;
}

TEST_F(DxfEzdxf, TheirDrawingReadsHere) {
    const fs::path file = dir / "theirs.dxf";
    std::string output;
    ASSERT_EQ(script("make_drawing.py", file, output), 0) << output;
    AcDbDatabase db(true, true);
    ASSERT_EQ(db.dxfIn(file.wstring().c_str()), Acad::eOk) << wcrtToUtf8(dxfLastErrorMessage());

    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* field = nullptr;
    ASSERT_EQ(layers->getAt(L"场区", field, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(field->color().colorIndex(), 1);
    field->close();
    layers->close();

    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    ASSERT_EQ(ids.size(), 6u);
    std::string longValue;
    for (int i = 0; i < 40; ++i) longValue += "标高组" + std::to_string(i) + "=12.50;";
    for (int k = 0; k < 3; ++k) {
        Pane pane = paneAt(ids[static_cast<size_t>(k)]);
        EXPECT_EQ(pane.vertices, 4);
        EXPECT_TRUE(pane.closed);
        EXPECT_DOUBLE_EQ(pane.bulge1, 0.5);
        EXPECT_EQ(pane.xdata, "方格编号" + std::to_string(k + 1) + longValue);
    }
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, ids[4], AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(text->textStringConst(), L"W=3.25");
    EXPECT_DOUBLE_EQ(text->height(), 2.0);
    EXPECT_NEAR(text->rotation(), std::numbers::pi / 2, 1e-12);
    text->close();
    AcDbCircle* circle = nullptr;
    ASSERT_EQ(acdbOpenObject(circle, ids[5], AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(circle->radius(), 1.5);
    EXPECT_EQ(circle->colorIndex(), 3);
    circle->close();

    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db.getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    AcDbObjectId groupId;
    EXPECT_EQ(groups->getAt(L"场区1", groupId), Acad::eOk);
    groups->close();
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, groupId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(group->numEntities(), 3u);
    EXPECT_TRUE(group->has(ids[0]));
    group->close();

    // Saved again by this system, the drawing still passes their audit.
    const fs::path again = dir / "again.dxf";
    ASSERT_EQ(db.dxfOut(again.wstring().c_str()), Acad::eOk) << wcrtToUtf8(dxfLastErrorMessage());
    EXPECT_EQ(script("audit.py", again, output), 0) << output;
}

}  // namespace

namespace {

// "<layer>|<text>" of every TEXT of model space, in order.
std::string layersAndTexts(AcDbDatabase& db) {
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk) return "?";
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    std::string out;
    for (AcDbObjectId id : ids) {
        AcDbText* text = nullptr;
        if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) continue;
        out += wcrtToUtf8(text->layerName()) + "|" + wcrtToUtf8(text->textStringConst()) + "\n";
        text->close();
    }
    return out;
}

// Drawings of releases before 2007 hold their texts in the code page their
// header names, characters it lacks as \U+ escapes: both survive a load and
// a save (as UTF-8), as read here and by ezdxf.
TEST_F(DxfEzdxf, OlderDrawingsInCodePage936KeepTheirTexts) {
    const std::string plain = "场区1方格|土方 T=12.50\n场区1挖方标注|挖方量 W=3.25\n";
    const std::string escaped = plain + "场区1€|欧元€ 한글 😀\n";
    for (const char* version : {"R12", "R2000"}) {
        for (const char* kind : {"plain", "escapes"}) {
            const std::string what = std::string(version) + " " + kind;
            const fs::path theirs = dir / "theirs.dxf", ours = dir / "ours.dxf";
            std::string output;
            ASSERT_EQ(RunCommand(std::string(kEzdxfPython) + " '" +
                                     (scriptDir() / "codepage_drawing.py").string() + "' write '" +
                                     theirs.string() + "' " + version + " " + kind,
                                 output),
                      0)
                << output;
            const std::string& expected = std::string(kind) == "plain" ? plain : escaped;
            AcDbDatabase db(true, true);
            ASSERT_EQ(db.dxfIn(theirs.wstring().c_str()), Acad::eOk)
                << what << ": " << wcrtToUtf8(dxfLastErrorMessage());
            EXPECT_EQ(layersAndTexts(db), expected) << what;
            ASSERT_EQ(db.dxfOut(ours.wstring().c_str()), Acad::eOk) << what;
            ASSERT_EQ(RunCommand(std::string(kEzdxfPython) + " '" +
                                     (scriptDir() / "codepage_drawing.py").string() + "' read '" +
                                     ours.string() + "'",
                                 output),
                      0)
                << output;
            EXPECT_EQ(output, expected) << what;
        }
    }
}

}  // namespace
