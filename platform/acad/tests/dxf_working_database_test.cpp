// Reading a drawing works on that drawing alone: objects made while it is
// read (a plug-in entity setting up the text style it draws with) go into
// the drawing being read, never into the drawing that was current.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dxf_sample.h"

namespace {

constexpr const ACHAR* kMarkerStyle = L"MarkerStyle";

// An entity that, like a plug-in's, makes sure its text style exists in the
// working database whenever it is constructed.
class StyledMarker : public AcDbEntity {
  public:
    ACRX_DECLARE_MEMBERS(StyledMarker);
    StyledMarker() { ensureStyle(); }

  private:
    static void ensureStyle() {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbTextStyleTable* table = nullptr;
        if (db == nullptr || db->getTextStyleTable(table, AcDb::kForWrite) != Acad::eOk) return;
        if (!table->has(kMarkerStyle)) {
            auto* record = new AcDbTextStyleTableRecord();
            record->setName(kMarkerStyle);
            if (table->add(record) == Acad::eOk)
                record->close();
            else
                delete record;
        }
        table->close();
    }
};

ACRX_DXF_DEFINE_MEMBERS(StyledMarker, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 3071,
                        STYLEDMARKER, StyledMarkerApp)

bool HasStyle(AcDbDatabase& db) {
    AcDbTextStyleTable* table = nullptr;
    if (db.getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return false;
    const bool has = table->has(kMarkerStyle);
    table->close();
    return has;
}

class WorkingDatabaseWhileReading : public ::testing::Test {
  protected:
    void SetUp() override {
        StyledMarker::rxInit();
        acrxBuildClassHierarchy();
        mDir =
            std::filesystem::temp_directory_path() / ("dxf_working_" + std::to_string(::getpid()));
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        StyledMarker::rxUninit();
        std::filesystem::remove_all(mDir);
    }
    std::wstring path(const char* name) const { return (mDir / name).wstring(); }

    // A drawing holding markers but not their style, as another program writes it.
    void writeDrawingWithoutTheStyle(const char* name, int markers) {
        AcDbDatabase scratch(true, true), drawing(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(&scratch);
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, drawing.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        for (int k = 0; k < markers; ++k) {
            auto* marker = new StyledMarker();
            ASSERT_EQ(space->appendAcDbEntity(marker), Acad::eOk);
            marker->close();
        }
        space->close();
        ASSERT_FALSE(HasStyle(drawing));
        ASSERT_EQ(drawing.dxfOut(path(name).c_str()), Acad::eOk);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    DxfTestMarkerClass mSampleClasses;  // the sample drawing holds a custom entity
    std::filesystem::path mDir;
};

TEST_F(WorkingDatabaseWhileReading, ObjectsMadeDuringTheReadBelongToTheDrawingRead) {
    writeDrawingWithoutTheStyle("b.dxf", 3);
    auto current = dxfTestDrawing();
    acdbHostApplicationServices()->setWorkingDatabase(current.get());
    const std::string before = dxfTestText(*current);

    AcDbDatabase read(false, true);
    ASSERT_EQ(read.dxfIn(path("b.dxf").c_str()), Acad::eOk) << wcrtToUtf8(dxfLastErrorMessage());
    EXPECT_TRUE(HasStyle(read));
    EXPECT_FALSE(HasStyle(*current));
    EXPECT_TRUE(dxfTestText(*current) == before) << "the current drawing changed";
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), current.get());

    // The style made during the read has a handle of its own: the drawing
    // saves and reads back whole.
    ASSERT_EQ(read.dxfOut(path("b2.dxf").c_str()), Acad::eOk);
    AcDbDatabase again(false, true);
    ASSERT_EQ(again.dxfIn(path("b2.dxf").c_str()), Acad::eOk) << wcrtToUtf8(dxfLastErrorMessage());
    EXPECT_TRUE(HasStyle(again));
}

// A drawing of another program, without a handle seed, whose root dictionary
// comes after the entities: the style made while the first marker is read
// takes a handle none of the file's objects has.
TEST_F(WorkingDatabaseWhileReading, AnObjectMadeDuringTheReadTakesAHandleTheFileDoesNotUse) {
    std::ofstream(mDir / "other.dxf") << "0\nSECTION\n2\nTABLES\n"
                                         "0\nTABLE\n2\nLAYER\n5\n2\n330\n0\n"
                                         "0\nLAYER\n5\n10\n330\n2\n2\n0\n70\n0\n"
                                         "0\nENDTAB\n"
                                         "0\nTABLE\n2\nSTYLE\n5\n3\n330\n0\n"
                                         "0\nSTYLE\n5\n11\n330\n3\n2\nStandard\n70\n0\n"
                                         "0\nENDTAB\n"
                                         "0\nTABLE\n2\nAPPID\n5\n4\n330\n0\n"
                                         "0\nAPPID\n5\n12\n330\n4\n2\nACAD\n70\n0\n"
                                         "0\nENDTAB\n"
                                         "0\nTABLE\n2\nBLOCK_RECORD\n5\n5\n330\n0\n"
                                         "0\nBLOCK_RECORD\n5\n13\n330\n5\n2\n*Model_Space\n"
                                         "0\nBLOCK_RECORD\n5\n14\n330\n5\n2\n*Paper_Space\n"
                                         "0\nENDTAB\n"
                                         "0\nENDSEC\n"
                                         "0\nSECTION\n2\nENTITIES\n"
                                         "0\nSTYLEDMARKER\n5\n20\n330\n13\n100\nAcDbEntity\n8\n0\n"
                                         "0\nSTYLEDMARKER\n5\n15\n330\n13\n100\nAcDbEntity\n8\n0\n"
                                         "0\nENDSEC\n"
                                         "0\nSECTION\n2\nOBJECTS\n"
                                         "0\nDICTIONARY\n5\n1\n330\n0\n100\nAcDbDictionary\n"
                                         "0\nENDSEC\n"
                                         "0\nEOF\n";
    AcDbDatabase read(false, true);
    ASSERT_EQ(read.dxfIn(path("other.dxf").c_str()), Acad::eOk)
        << wcrtToUtf8(dxfLastErrorMessage());
    EXPECT_TRUE(HasStyle(read));
}

// A failed read leaves the working database as it was.
TEST_F(WorkingDatabaseWhileReading, AFailedReadRestoresTheWorkingDatabase) {
    auto current = dxfTestDrawing();
    acdbHostApplicationServices()->setWorkingDatabase(current.get());
    std::ofstream(mDir / "cut.dxf") << "0\nSECTION\n2\nENTITIES\n0\nSTYLEDMARKER\n5\n20\n";
    AcDbDatabase read(false, true);
    EXPECT_NE(read.dxfIn(path("cut.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), current.get());
}

}  // namespace
