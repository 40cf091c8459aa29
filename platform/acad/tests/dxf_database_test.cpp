#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "ScratchFolder.h"
#include "dxf_io.h"
#include "dxf_proxy.h"
#include "dxf_sample.h"

namespace {

// Compares two DXF texts line by line and names the first difference, so that
// a failure does not print whole files.
void expectSameText(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1;; ++line) {
        bool moreA = static_cast<bool>(std::getline(a, la)),
             moreE = static_cast<bool>(std::getline(e, le));
        if (!moreA && !moreE) return;
        if (moreA != moreE || la != le) {
            ADD_FAILURE() << "line " << line << ": \"" << la << "\" instead of \"" << le << "\"";
            return;
        }
    }
}

std::string readBack(AcDbDatabase& db, const std::string& text) {
    DxfError error;
    EXPECT_EQ(dxfReadDatabase(text, db, error), Acad::eOk) << error.message;
    return dxfTestText(db);
}

// Reads the text, saves the drawing, and checks that the saved text reads back
// and saves to the same text again; the saved text.
std::string savedStably(const std::string& text) {
    AcDbDatabase first(false, true);
    const std::string saved = readBack(first, text);
    AcDbDatabase second(false, true);
    expectSameText(readBack(second, saved), saved);
    return saved;
}

std::wstring layerOf(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return L"?";
    std::wstring name = ent->layerName();
    ent->close();
    return name;
}

AcDbObjectIdArray modelSpace(AcDbDatabase& db) {
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead);
    AcDbObjectIdArray ids;
    for (AcDbObjectId id : space->entityIds()) ids.append(id);
    space->close();
    return ids;
}

// The extended data of an application as UTF-8 text lines "code value".
std::string xdataText(AcDbObjectId id, const ACHAR* app) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return "?";
    AcRbChain chain(obj->xData(app));
    obj->close();
    std::string out;
    for (const resbuf* rb = chain.get(); rb != nullptr; rb = rb->rbnext) {
        out += std::to_string(rb->restype) + " ";
        switch (acutRbValueKind(rb->restype)) {
            case AcRbValueKind::kString:
                out += wcrtToUtf8(rb->resval.rstring);
                break;
            case AcRbValueKind::kReal:
                out += std::to_string(rb->resval.rreal);
                break;
            case AcRbValueKind::kInt16:
                out += std::to_string(rb->resval.rint);
                break;
            case AcRbValueKind::kInt32:
                out += std::to_string(rb->resval.rlong);
                break;
            default:
                out += "*";
                break;
        }
        out += "\n";
    }
    return out;
}

TEST(DxfDatabase, WriteReadWriteGivesTheSameText) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    const std::string first = dxfTestText(*db);
    AcDbDatabase loaded(false, true);
    expectSameText(readBack(loaded, first), first);
}

TEST(DxfDatabase, LoadedDrawingKeepsEntitiesGroupsAndExtendedData) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    AcDbDatabase loaded(false, true);
    readBack(loaded, dxfTestText(*db));

    AcDbObjectIdArray before = modelSpace(*db), after = modelSpace(loaded);
    ASSERT_EQ(after.length(), before.length());
    for (int i = 0; i < before.length(); ++i) {
        EXPECT_EQ(after[i].handle(), before[i].handle());
        EXPECT_EQ(layerOf(after[i]), layerOf(before[i]));
        EXPECT_EQ(xdataText(after[i], nullptr), xdataText(before[i], nullptr));
    }
    EXPECT_NE(xdataText(after[0], L"场区").find(wcrtToUtf8(dxfTestLongValue()).substr(0, 200)),
              std::string::npos);
    EXPECT_NE(xdataText(after[0], L"OTHERAPP").find("1071 70000"), std::string::npos);

    AcDbPolyline* pane = nullptr;
    ASSERT_EQ(acdbOpenObject(pane, after[0], AcDb::kForRead), Acad::eOk);
    double bulge = 0;
    pane->getBulgeAt(1, bulge);
    EXPECT_EQ(pane->numVerts(), 4u);
    EXPECT_TRUE(pane->isClosed());
    EXPECT_DOUBLE_EQ(bulge, 0.25);
    pane->close();

    DxfTestMarker* marker = nullptr;
    ASSERT_EQ(acdbOpenObject(marker, after[4], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(marker->levels.length(), 2);
    EXPECT_DOUBLE_EQ(marker->size, 0.1);
    marker->close();

    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(loaded.getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    AcDbObjectId named, anonymous;
    EXPECT_EQ(groups->getAt(L"场区1", named), Acad::eOk);
    EXPECT_EQ(groups->getAt(L"*A1", anonymous), Acad::eOk);
    groups->close();
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, named, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(group->numEntities(), 3u);
    group->close();
    EXPECT_EQ(loaded.clayer(), db->clayer() == AcDbObjectId() ? AcDbObjectId() : loaded.clayer());
    EXPECT_GE(loaded.handseed().value(), db->handseed().value());
}

// A save while a command holds an entity open for write still writes it.
TEST(DxfDatabase, EntityOpenForWriteIsSaved) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    const std::string closed = dxfTestText(*db);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, modelSpace(*db)[2], AcDb::kForWrite), Acad::eOk);
    expectSameText(dxfTestText(*db), closed);
    ent->close();
}

// Without its class the custom entity and its CLASSES entry are carried as
// they stand, so the file comes out unchanged.
TEST(DxfDatabase, CustomEntityWithoutItsClassIsCarriedUnchanged) {
    std::string original;
    {
        DxfTestMarkerClass markerClass;
        original = dxfTestText(*dxfTestDrawing());
    }
    ASSERT_EQ(acrxFindClassByDxfName(L"DXFTESTMARKER"), nullptr);
    AcDbDatabase loaded(false, true);
    expectSameText(readBack(loaded, original), original);
    AcDbObjectIdArray ids = modelSpace(loaded);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, ids[4], AcDb::kForRead), Acad::eOk);
    EXPECT_NE(AcDbProxyEntity::cast(obj), nullptr);
    obj->close();
}

// A file of another program: unknown header variable, an entity and an object
// of unknown types, application data groups and another application's
// extended data all come out of a load and save unchanged.
constexpr const char* kForeign =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  9\n$INSUNITS\n 70\n     6\n"
    "  9\n$EXTMIN\n 10\n-1.5\n 20\n2\n 30\n0\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nCLASSES\n  0\nCLASS\n  1\nWIPEOUT\n  2\nAcDbWipeout\n  3\nWipeOut\n 90\n   "
    "127\n"
    " 91\n     1\n280\n     0\n281\n     1\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nWIPEOUT\n  5\n40\n102\n{ACAD_XDICTIONARY\n360\n41\n102\n}\n330\n0\n100\nAcDbEntity\n  "
    "8\nLAYERX\n"
    "100\nAcDbWipeout\n 10\n1.25\n 20\n2\n 30\n0\n1001\nTHEIRAPP\n1000\nhello\n1040\n3.5\n"
    "  0\nENDSEC\n"
    "  0\nSECTION\n  2\nOBJECTS\n"
    "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n281\n     1\n  3\nACAD_GROUP\n350\nD\n"
    "  0\nDICTIONARY\n  5\nD\n330\nC\n100\nAcDbDictionary\n281\n     1\n"
    "  0\nDICTIONARY\n  5\n41\n330\n40\n100\nAcDbDictionary\n281\n     1\n  3\nTHEIRS\n350\n42\n"
    "  0\nXRECORD\n  5\n42\n330\n41\n100\nAcDbXrecord\n280\n     1\n  1\nany text\n 40\n7.25\n"
    "  0\nENDSEC\n  0\nEOF\n";

TEST(DxfDatabase, ForeignRecordsAndExtendedDataSurvive) {
    const std::string saved = savedStably(kForeign);
    for (const char* part :
         {"  9\n$INSUNITS\n 70\n     6\n", "  9\n$EXTMIN\n 10\n-1.5\n 20\n2\n 30\n0\n",
          "  1\nWIPEOUT\n  2\nAcDbWipeout\n", "102\n{ACAD_XDICTIONARY\n360\n41\n102\n}\n",
          "1001\nTHEIRAPP\n1000\nhello\n1040\n3.5\n",
          "  0\nXRECORD\n  5\n42\n330\n41\n100\nAcDbXrecord\n280\n     1\n  1\nany text\n"})
        EXPECT_NE(saved.find(part), std::string::npos) << part;
}

struct BadFile {
    const char* name;
    std::string text;
    DxfFault fault;
    int line;
};

// A small valid file: root dictionary, group dictionary, one group.
const std::string kSmall =
    "  0\nSECTION\n  2\nOBJECTS\n"  // lines 1-4
    "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n281\n1\n  3\nACAD_GROUP\n350\nD\n"  // 5-18
    "  0\nDICTIONARY\n  5\nD\n330\nC\n100\nAcDbDictionary\n281\n1\n  3\nG1\n350\nE\n"  // 19-32
    "  0\nGROUP\n  5\nE\n330\nD\n100\nAcDbGroup\n300\ndesc\n 70\n0\n 71\n1\n"          // 33-46
    "  0\nENDSEC\n  0\nEOF\n";                                                         // 47-50

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string deepDictionaries(int depth) {
    std::string text = "  0\nSECTION\n  2\nOBJECTS\n";
    for (int i = 0; i < depth; ++i) {
        std::string h = dxfFormatHandle(0x100 + static_cast<uint64_t>(i));
        std::string owner = i == 0 ? "0" : dxfFormatHandle(0xFF + static_cast<uint64_t>(i));
        text += "  0\nDICTIONARY\n  5\n" + h + "\n330\n" + owner + "\n100\nAcDbDictionary\n";
        if (i + 1 < depth)
            text += "  3\nK\n350\n" + dxfFormatHandle(0x101 + static_cast<uint64_t>(i)) + "\n";
    }
    return text + "  0\nENDSEC\n  0\nEOF\n";
}

TEST(DxfDatabase, MalformedFilesNameTheLine) {
    const BadFile cases[] = {
        {"truncated inside a group", kSmall.substr(0, kSmall.find("E\n330\nD")),
         DxfFault::Truncated, 35},
        {"odd number of lines", kSmall.substr(0, kSmall.size() - 4), DxfFault::Truncated, 49},
        {"no EOF", kSmall.substr(0, kSmall.size() - 8), DxfFault::Truncated, 47},
        {"non-numeric code", replaced(kSmall, " 71\n", "x71\n"), DxfFault::BadCode, 45},
        {"unknown code", replaced(kSmall, " 71\n", " 85\n"), DxfFault::UnknownCode, 45},
        {"value does not parse", replaced(kSmall, "281\n1\n  3\nG1", "281\nyes\n  3\nG1"),
         DxfFault::BadValue, 28},
        {"handle points nowhere", replaced(kSmall, " 71\n1\n", " 71\n1\n340\nFF\n"),
         DxfFault::DanglingHandle, 47},
        {"handle used twice", replaced(kSmall, "GROUP\n  5\nE", "GROUP\n  5\nD"),
         DxfFault::DuplicateHandle, 33},
        {"cyclic ownership", replaced(kSmall, "  5\nD\n330\nC", "  5\nD\n330\nE"),
         DxfFault::BadOwnership, 19},
        {"deep ownership", deepDictionaries(70), DxfFault::BadOwnership, 0},
        {"table inside a table",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVIEW\n  5\n1\n  0\nTABLE\n  2\nUCS\n",
         DxfFault::BadStructure, 11},
        {"table twice",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVIEW\n  5\n1\n  0\nENDTAB\n  0\nTABLE\n"
         "  2\nVIEW\n  5\n2\n",
         DxfFault::BadStructure, 13},
        {"table without a handle",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVIEW\n  0\nENDTAB\n", DxfFault::BadStructure,
         5},
        {"record of another table",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVIEW\n  5\n1\n  0\nLTYPE\n  5\n2\n",
         DxfFault::BadStructure, 11},
        {"tables after objects",
         replaced(kSmall, "  0\nEOF\n", "  0\nSECTION\n  2\nTABLES\n  0\nENDSEC\n  0\nEOF\n"),
         DxfFault::BadStructure, 51},
        {"tables twice",
         "  0\nSECTION\n  2\nTABLES\n  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n  0\nENDSEC\n",
         DxfFault::BadStructure, 9},
        {"group outside a section", "  0\nGROUP\n", DxfFault::BadStructure, 1},
        {"section without name", "  0\nSECTION\n  5\nA\n", DxfFault::BadStructure, 3},
        {"empty file", "", DxfFault::Truncated, 0},
        {"binary file", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), DxfFault::BadStructure, 1},
        {"handle at the top of the range",
         replaced(kSmall, "GROUP\n  5\nE", "GROUP\n  5\n7FFFFFFFFFFFFFFF"), DxfFault::BadValue, 33},
        {"seed at the top of the range",
         "  0\nSECTION\n  2\nHEADER\n  9\n$HANDSEED\n  5\n7FFFFFFF00000000\n", DxfFault::BadValue,
         7},
    };
    for (const BadFile& c : cases) {
        AcDbDatabase db(false, true);
        DxfError error;
        EXPECT_NE(dxfReadDatabase(c.text, db, error), Acad::eOk) << c.name;
        EXPECT_EQ(error.fault, c.fault) << c.name << ": " << error.message;
        if (c.line > 0) {
            EXPECT_EQ(error.line, c.line) << c.name << ": " << error.message;
            EXPECT_EQ(error.message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
                << error.message;
        }
    }
    AcDbDatabase shallow(false, true);
    DxfError error;
    EXPECT_EQ(dxfReadDatabase(deepDictionaries(20), shallow, error), Acad::eOk) << error.message;
}

// Faults the fuzzer found, each pinned by the smallest file that showed it.
TEST(DxfDatabase, RegressionRecordsWithoutHandleKeepTheHandleTheyGot) {
    const std::string text =
        "  0\nSECTION\n  2\nOBJECTS\n  0\nUNKNOWNTHING\n330\n0\n  1\nno handle\n"
        "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  0\nENDSEC\n  0\nEOF\n";
    savedStably(text);
}

TEST(DxfDatabase, RegressionHeaderVariableWithTheWrongCodeIsRefused) {
    const std::string text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$CLAYER\n 70\n     1\n  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db(false, true);
    DxfError error;
    EXPECT_EQ(dxfReadDatabase(text, db, error), Acad::eBadDxfSequence);
    EXPECT_EQ(error.message, "line 7: header variable $CLAYER takes group code 8, not 70");
}

TEST(DxfDatabase, RegressionStrayCoordinateGroupsAreWrittenBack) {
    const std::string text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ODD\n 20\n2.5\n 30\n0\n  9\n$FLAG\n290\n     5\n"
        "  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    EXPECT_NE(saved.find("  9\n$ODD\n 20\n2.5\n 30\n0\n  9\n$FLAG\n290\n     5\n"),
              std::string::npos);
}

TEST(DxfDatabase, RegressionCarriedTableHeadKeepsItsOwner) {
    const std::string text =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nVIEW\n  5\n30\n330\nC\n100\nAcDbSymbolTable\n"
        " 70\n     0\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n"
        "  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    EXPECT_NE(saved.find("VIEW\n  5\n30\n330\nC\n"), std::string::npos);
}

// A table of another program used to be dropped on saving, with its records,
// so that references to it dangled when the saved file was read back.
TEST(DxfDatabase, RegressionTableOfAnotherProgramIsWrittenBack) {
    const std::string text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$THEIRFRAME\n394\n2\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nTHEIRS\n  5\n2\n330\n0\n"
        "100\nAcDbSymbolTable\n 70\n     1\n  0\nTHEIRS\n  5\n24\n330\n2\n  2\nfirst\n"
        "  0\nENDTAB\n  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    EXPECT_NE(saved.find("  0\nTABLE\n  2\nTHEIRS\n  5\n2\n330\n0\n"), std::string::npos);
    EXPECT_NE(saved.find("  0\nTHEIRS\n  5\n24\n330\n2\n  2\nfirst\n  0\nENDTAB\n"),
              std::string::npos);
}

// The tables a file lacks are made on reading; their handles used to come
// from the seed and could take one an entity of the file has.
TEST(DxfDatabase, TablesMadeOnReadingLeaveTheFilesHandlesFree) {
    const std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n1\n100\nAcDbEntity\n  8\n0\n"
        "100\nAcDbLine\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n"
        "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db(false, true);
    const std::string saved = readBack(db, text);
    EXPECT_NE(saved.find("  0\nLINE\n  5\n1\n"), std::string::npos);
}

// A record with the highest 64-bit handle wrapped the seed to 0, and the next
// object made was written with handle 0, which reads as none.
TEST(DxfDatabase, HandleBeyondTheRangeIsGivenANewOne) {
    const std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\nFFFFFFFFFFFFFFFF\n100\nAcDbEntity\n"
        "  8\n0\n100\nAcDbLine\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n"
        "  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    EXPECT_EQ(saved.find("  5\nFFFFFFFFFFFFFFFF\n"), std::string::npos);
    EXPECT_EQ(saved.find("\n  5\n0\n"), std::string::npos);
}

// A table record in the OBJECTS section belonged to no table and was lost on
// saving; it is carried as it stands, like any type out of its section.
TEST(DxfDatabase, RegressionTableRecordAmongObjectsIsCarried) {
    const std::string text =
        "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n330\n0\n100\nAcDbDictionary\n"
        "  0\nLAYER\n  5\n30\n330\nC\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n"
        "  2\nstray\n 70\n0\n 62\n7\n  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    const size_t objects = saved.find("  2\nOBJECTS\n");
    EXPECT_NE(saved.find("  0\nLAYER\n  5\n30\n330\nC\n", objects), std::string::npos);
}

// A text without a style group took the working drawing's style on reading,
// and the next save wrote the name as the file spells it.
TEST(DxfDatabase, RegressionTextWithoutStyleHasTheFilesStandardStyle) {
    const std::string text =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nSTYLE\n  5\n5\n330\n0\n"
        "100\nAcDbSymbolTable\n 70\n     1\n  0\nSTYLE\n  5\n29\n330\n5\n"
        "100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n  2\nSTANDARD\n 70\n0\n"
        " 40\n0\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  5\n30\n"
        "100\nAcDbEntity\n  8\n0\n100\nAcDbText\n 10\n1\n 20\n2\n 30\n0\n 40\n2.5\n  1\nT\n"
        "100\nAcDbText\n  0\nENDSEC\n  0\nEOF\n";
    const std::string saved = savedStably(text);
    EXPECT_NE(saved.find("  1\nT\n 41\n1\n  7\nSTANDARD\n"), std::string::npos);
}

// Per-vertex groups before the first vertex used to be kept and written after
// the last one, where they read as that vertex's width on the next load.
TEST(DxfDatabase, RegressionPolylineWidthBeforeFirstVertexIsRefused) {
    auto polyline = [](const std::string& stray) {
        return "  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n  5\n20\n100\nAcDbEntity\n  8\n0\n"
               "100\nAcDbPolyline\n 90\n2\n" +
               stray + " 10\n0\n 20\n0\n 10\n1\n 20\n0\n  0\nENDSEC\n  0\nEOF\n";
    };
    AcDbDatabase bad(false, true);
    DxfError error;
    EXPECT_EQ(dxfReadDatabase(polyline(" 40\n1\n"), bad, error), Acad::eDxfReadAborted);
    EXPECT_NE(error.message.find("before its first vertex"), std::string::npos) << error.message;
    // A z group alone was kept and written after the last vertex, whose z it
    // became on the next load.
    AcDbDatabase stray(false, true);
    EXPECT_EQ(dxfReadDatabase(polyline(" 30\n1\n"), stray, error), Acad::eDxfReadAborted);
    EXPECT_NE(error.message.find("group code 30 without its point (group code 10)"),
              std::string::npos)
        << error.message;
    savedStably(polyline(" 91\n7\n"));
}

// Records of tables before APPID (a text style with the font in "ACAD" data)
// carry extended data of applications not yet read.
TEST(DxfDatabase, ExtendedDataBeforeTheApplicationTable) {
    const std::string text =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nSTYLE\n  5\n5\n330\n0\n100\nAcDbSymbolTable\n"
        "  0\nSTYLE\n  5\n40\n330\n5\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n"
        "  2\n土方标注\n 70\n0\n1001\nACAD\n1000\n仿宋_GB2312\n  0\nENDTAB\n"
        "  0\nTABLE\n  2\nAPPID\n  5\n6\n330\n0\n100\nAcDbSymbolTable\n  0\nENDTAB\n"
        "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db(false, true);
    const std::string saved = readBack(db, text);
    EXPECT_NE(saved.find("1001\nACAD\n1000\n仿宋_GB2312\n"), std::string::npos);
}

// An item an object put back and left must not stand in for the next record's
// owner (it was read as an id and opened).
TEST(DxfDatabase, RegressionItemLeftByAnObjectIsRefused) {
    const std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nCIRCLE\n  5\n20\n100\nAcDbEntity\n  "
        "8\n0\n100\nAcDbCircle\n"
        " 10\n1\n 20\n2\n 30\n0\n 40\n1\n100\nAcDbSomethingElse\n  0\nCIRCLE\n  5\n21\n330\n1F\n"
        "100\nAcDbEntity\n  8\n0\n100\nAcDbCircle\n 10\n1\n 20\n2\n 30\n0\n 40\n1\n"
        "  0\nENDSEC\n  0\nEOF\n";
    AcDbDatabase db(false, true);
    DxfError error;
    EXPECT_EQ(dxfReadDatabase(text, db, error), Acad::eBadDxfSequence);
    EXPECT_EQ(error.message, "line 23: group code 100 after the CIRCLE record's data");
}

// A file of release 2000 with one text on a layer whose name is "土方" in
// code page 936 (GBK), or whatever the code page makes of those bytes.
std::string olderDrawing(const std::string& codePageGroup) {
    return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n" + codePageGroup +
           "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  5\n20\n100\nAcDbEntity\n"
           "  8\n\xCD\xC1\xB7\xBD\n100\nAcDbText\n 10\n0\n 20\n0\n 30\n0\n 40\n2.5\n"
           "  1\n\\U+571F\xB7\xBD\n  0\nENDSEC\n  0\nEOF\n";
}

// Files before release 2007 are in the code page their header names, or in
// the configured ANSI code page (936 unless set) when it names none.
TEST(DxfDatabase, OlderFilesAreReadInTheirCodePage) {
    const struct {
        const char* what;
        std::string codePageGroup;
        const char* ansiCodePage;  // KAVREL_ANSI_CODEPAGE, null: unset
        const wchar_t* layer;
        std::string error;
    } cases[] = {
        {"named", "  9\n$DWGCODEPAGE\n  3\nANSI_936\n", nullptr, L"土方", ""},
        {"missing: 936", "", nullptr, L"土方", ""},
        {"missing: configured", "", "1252", L"\u00CD\u00C1\u00B7\u00BD", ""},
        {"named wins", "  9\n$DWGCODEPAGE\n  3\nansi_936\n", "1252", L"土方", ""},
        {"unknown", "  9\n$DWGCODEPAGE\n  3\nKLINGON\n", nullptr, nullptr,
         "line 12: code page \"KLINGON\" of $DWGCODEPAGE is not known"},
        {"unknown number", "  9\n$DWGCODEPAGE\n  3\nANSI_4242\n", nullptr, nullptr,
         "line 12: code page \"ANSI_4242\" of $DWGCODEPAGE is not known"},
    };
    for (const auto& c : cases) {
        if (c.ansiCodePage != nullptr)
            ::setenv("KAVREL_ANSI_CODEPAGE", c.ansiCodePage, 1);
        else
            ::unsetenv("KAVREL_ANSI_CODEPAGE");
        AcDbDatabase db(false, true);
        DxfError error;
        const Acad::ErrorStatus es = dxfReadDatabase(olderDrawing(c.codePageGroup), db, error);
        ::unsetenv("KAVREL_ANSI_CODEPAGE");
        if (c.layer == nullptr) {
            EXPECT_EQ(es, Acad::eBadDxfSequence) << c.what;
            EXPECT_EQ(error.message, c.error) << c.what;
            continue;
        }
        ASSERT_EQ(es, Acad::eOk) << c.what << ": " << error.message;
        const AcDbObjectIdArray texts = modelSpace(db);
        ASSERT_EQ(texts.length(), 1) << c.what;
        EXPECT_EQ(layerOf(texts[0]), c.layer) << c.what;
    }
}

class DxfDatabaseFiles : public ::testing::Test {
  protected:
    void SetUp() override { dir = MakeScratchFolder("dxf_db"); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::wstring path(const char* name) const { return (dir / name).wstring(); }
    std::filesystem::path dir;
};

TEST_F(DxfDatabaseFiles, BadFileLeavesTheDrawingAsItWas) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    const std::string before = dxfTestText(*db);
    std::ofstream(dir / "bad.dxf") << replaced(kSmall, " 71\n", " 85\n");
    EXPECT_EQ(db->dxfIn(path("bad.dxf").c_str()), Acad::eInvalidDxfCode);
    EXPECT_EQ(dxfLastError().line, 45);
    EXPECT_EQ(dxfLastErrorMessage(), L"line 45: unknown group code 85");
    expectSameText(dxfTestText(*db), before);
    EXPECT_EQ(db->dxfIn(path("missing.dxf").c_str()), Acad::eFileAccessErr);
}

// A value the reader refuses must never be saved: the save is refused, names
// the object and leaves the file as it was.
TEST_F(DxfDatabaseFiles, SaveRefusesWhatCannotBeReadBack) {
    struct Case {
        const char* name;
        double x;
        uint64_t seed;
        std::string message;  // beginning of the message, after the line's handle
    };
    DxfTestMarkerClass markerClass;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"not a number", nan, 0, "group code 10 would hold nan, which is not a finite real"},
        {"infinite", HUGE_VAL, 0, "group code 10 would hold inf, which is not a finite real"},
        {"handle past the range", 1.0, kDxfMaxHandle + 1,
         "group code 5 would hold handle 8000000000000000, which is not within the handle"},
    };
    for (const Case& c : cases) {
        auto db = dxfTestDrawing();
        ASSERT_EQ(db->dxfOut(path("site.dxf").c_str()), Acad::eOk) << dxfLastError().message;
        std::ostringstream before;
        before << std::ifstream(dir / "site.dxf").rdbuf();
        if (c.seed != 0) db->setHandseed(AcDbHandle(c.seed));
        AcDbObjectId id;
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto line = std::make_unique<AcDbLine>(AcGePoint3d(c.x, 0, 0), AcGePoint3d(1, 1, 0));
        EXPECT_EQ(space->appendAcDbEntity(id, line.get()), Acad::eOk) << c.name;
        space->close();
        line.release()->close();
        EXPECT_EQ(db->dxfOut(path("site.dxf").c_str()), Acad::eDxfReadAborted) << c.name;
        const std::string handle = dxfFormatHandle(id.handle().value());
        EXPECT_EQ(dxfLastError().message.rfind(
                      "cannot write LINE (object " + handle + "): " + c.message, 0),
                  0u)
            << dxfLastError().message;
        std::ostringstream after;
        after << std::ifstream(dir / "site.dxf").rdbuf();
        EXPECT_EQ(after.str(), before.str()) << c.name;
    }
}

TEST_F(DxfDatabaseFiles, SaveKeepsTheOldFileAsBakAndLoadSwapsIn) {
    DxfTestMarkerClass markerClass;
    auto db = dxfTestDrawing();
    ASSERT_EQ(db->dxfOut(path("site.dxf").c_str()), Acad::eOk);
    std::ostringstream first;
    first << std::ifstream(dir / "site.dxf").rdbuf();
    ASSERT_EQ(db->dxfOut(path("site.dxf").c_str()), Acad::eOk);
    std::ostringstream backup;
    backup << std::ifstream(dir / "site.bak").rdbuf();
    EXPECT_EQ(backup.str(), first.str());

    AcDbDatabase other(true, true);
    ASSERT_EQ(other.dxfIn(path("site.dxf").c_str()), Acad::eOk)
        << wcrtToUtf8(dxfLastErrorMessage());
    EXPECT_EQ(dxfLastError().fault, DxfFault::None);
    expectSameText(dxfTestText(other), first.str());
}

}  // namespace
