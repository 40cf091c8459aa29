// Reads a DXF file into an empty database. The grammar, one function per rule:
//
//   file      = section* "0 EOF"
//   section   = "0 SECTION" "2 <name>" body "0 ENDSEC"
//   header    = ("9 <$variable>" group*)*
//   classes   = ("0 CLASS" group*)*
//   tables    = ("0 TABLE" group* record* "0 ENDTAB")*
//   blocks    = ("0 BLOCK" group* entity* "0 ENDBLK" group*)*
//   entities  = entity*
//   objects   = object*
//   record, entity, object = "0 <type>" header-groups data-groups xdata
//   header-groups = ["5"|"105" handle] ("102 {<name>" group* "102 }")* ["330" owner]
//   xdata     = ("1001 <application>" group*)*
//
// Records of known types are made through their runtime class and read by their
// own dxfInFields; every other record is kept whole as a proxy.
#include "dxf_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "dbsymtb.h"
#include "dxf_codepage.h"
#include "dxf_database.h"
#include "dxf_layout.h"
#include "wcrt.h"

namespace dxfread {

std::optional<DxfGroup> Reader::expect(int code, const char* what) {
    std::optional<DxfGroup> g = mIn.next();
    if (failed()) return std::nullopt;
    if (!g) {
        fail(DxfFault::Truncated, mIn.line(),
             std::string("the file ends where ") + what + " was expected");
        return std::nullopt;
    }
    if (g->code != code) {
        fail(DxfFault::BadStructure, g->line,
             std::string("expected ") + what + ", found group code " + std::to_string(g->code));
        return std::nullopt;
    }
    return g;
}

// The highest handle any group of the file names. A file that is not well
// formed yields what it has so far: the reading proper reports its fault.
uint64_t highestHandleNamed(std::string_view bytes) {
    DxfGroupReader in(bytes);
    uint64_t highest = 0;
    bool seed = false;  // $HANDSEED's value is the next free handle, not an object's
    int code = 0;
    std::string_view text;
    while (in.scan(code, text)) {
        uint64_t handle = 0;
        bool names = code == 5 || dxfValueType(code) == DxfValueType::Handle;
        if (names && dxfParseHandle(text, handle) && handle > 0)
            highest = std::max(highest, seed ? handle - 1 : handle);
        seed = code == 9 && dxfTrim(text) == "$HANDSEED";
    }
    return highest;
}

// Objects the reader makes itself (the tables, records and dictionaries a file
// lacks) take handles from the seed. Starting it above every handle the file
// names keeps them clear of the file's own objects, whatever order those come
// in. Well-formed files lack nothing, so the extra pass over the text is only
// made for the others.
void Reader::makeRoomForOwnObjects() {
    if (mRoomMade) return;
    mRoomMade = true;
    const uint64_t highest = highestHandleNamed(mBytes);
    if (highest >= mDb.handseed().value()) mDb.setHandseed(AcDbHandle(highest + 1));
}

// Objects made after loading take handles above every handle of the file.
bool Reader::tooHigh(const char* what, uint64_t handle, int line) {
    return fail(DxfFault::BadValue, line,
                std::string(what) + " " + dxfFormatHandle(handle) +
                    " leaves no room for new objects (the highest accepted is " +
                    dxfFormatHandle(kDxfMaxObjectHandle) + ")");
}

// file = section* "0 EOF"
Acad::ErrorStatus Reader::run(DxfError& error) {
    while (!failed()) {
        std::optional<DxfGroup> g = expect(0, "\"0 SECTION\" or \"0 EOF\"");
        if (!g) break;
        if (dxfTrim(g->text) == "EOF") {
            if (finish()) return Acad::eOk;
            break;
        }
        if (dxfTrim(g->text) != "SECTION") {
            fail(DxfFault::BadStructure, g->line,
                 "expected SECTION, found " + std::string(dxfTrim(g->text)));
            break;
        }
        if (!readSection()) break;
    }
    error = mIn.error();
    return dxfErrorStatus(error.fault);
}

// section = "0 SECTION" "2 <name>" body "0 ENDSEC"
bool Reader::readSection() {
    std::optional<DxfGroup> name = expect(2, "the section name");
    if (!name) return false;
    std::string_view n = dxfTrim(name->text);
    bool ok = true;
    if (n == "HEADER")
        ok = readHeader();
    else if (n == "CLASSES")
        ok = readClasses();
    else if (n == "TABLES" && mTablesReady)
        // The tables are complete once one TABLES section, or any section
        // needing them, has been read; a later table would replace one that
        // records and entities already belong to.
        return fail(DxfFault::BadStructure, name->line,
                    "TABLES section after the tables were complete (a second one, or one "
                    "after BLOCKS, ENTITIES or OBJECTS)");
    else if (n == "TABLES")
        ok = readTables();
    else if (n == "BLOCKS")
        ok = ensureTables() && readBlocks();
    else if (n == "ENTITIES")
        ok = ensureTables() && readEntities(mDb.modelSpaceId(), nullptr);
    else if (n == "OBJECTS")
        ok = ensureTables() && readObjects();
    else {
        // Sections of other programs (thumbnails, data stores) carry nothing
        // the drawing's objects depend on; they are passed over.
        while (auto g = mIn.next())
            if (g->is(0, "ENDSEC")) {
                mIn.pushBack();
                break;
            }
    }
    if (!ok) return false;
    std::optional<DxfGroup> end = expect(0, "\"0 ENDSEC\"");
    if (end && dxfTrim(end->text) != "ENDSEC")
        return fail(DxfFault::BadStructure, end->line, "expected ENDSEC, found " + end->text);
    return end.has_value();
}

struct KnownVariable {
    const ACHAR* name;
    int code;  // the group code of its value
};

// Header variables the database holds itself; every other one is kept.
constexpr KnownVariable kKnownVariables[] = {
    {L"$ACADVER", 1}, {L"$HANDSEED", 5}, {L"$CLAYER", 8}, {L"$TEXTSTYLE", 7}};

const KnownVariable* knownVariable(const std::wstring& name) {
    for (const KnownVariable& v : kKnownVariables)
        if (name == v.name) return &v;
    return nullptr;
}

// header = ("9 <$variable>" group*)*
bool Reader::readHeader() {
    std::wstring variable;
    mFiler.setStopAtExtendedData(false);
    while (!failed()) {
        std::optional<DxfGroup> g = mIn.next();
        if (!g) {
            if (!failed())
                fail(DxfFault::Truncated, mIn.line(), "the file ends inside the HEADER section");
            return false;
        }
        if (g->code == 0) {
            mIn.pushBack();
            break;
        }
        if (g->code == 9) {
            variable = wide(dxfTrim(g->text));
            if (knownVariable(variable) == nullptr) {
                resbuf item{};
                item.restype = 9;
                item.resval.rstring = variable.data();
                mKeptHeader.emplace_back(acutCopyRb(&item));
            }
        } else if (variable.empty()) {
            return fail(DxfFault::BadStructure, g->line, "header value without a variable");
        } else if (!readHeaderValue(variable, *g)) {
            return false;
        }
    }
    mFiler.setStopAtExtendedData(true);
    return !failed();
}

bool Reader::readHeaderValue(const std::wstring& variable, const DxfGroup& g) {
    const KnownVariable* known = knownVariable(variable);
    if (known == nullptr) {
        mFiler.clearPushBack();
        mIn.pushBack();
        resbuf item{};
        if (mFiler.readResBuf(&item) != Acad::eOk) return false;
        mKeptHeader.emplace_back(acutCopyRb(&item));
        return true;
    }
    if (g.code != known->code)
        return fail(DxfFault::BadStructure, g.line,
                    "header variable " + wcrtToUtf8(variable) + " takes group code " +
                        std::to_string(known->code) + ", not " + std::to_string(g.code));
    if (variable == L"$HANDSEED" && dxfParseHandle(g.text, mHandseed) &&
        mHandseed > kDxfMaxObjectHandle)
        return tooHigh("$HANDSEED", mHandseed, g.line);
    if (variable == L"$ACADVER") mRelease = dxfTrim(g.text);
    if (variable == L"$CLAYER") mClayer = wide(dxfTrim(g.text));
    if (variable == L"$TEXTSTYLE") mTextstyle = wide(dxfTrim(g.text));
    return true;
}

// classes = ("0 CLASS" group*)*; entries of registered classes are made anew
// on save, the others are kept.
bool Reader::readClasses() {
    while (!failed()) {
        std::optional<DxfGroup> g = expect(0, "\"0 CLASS\" or \"0 ENDSEC\"");
        if (!g) return false;
        if (dxfTrim(g->text) != "CLASS") {
            mIn.pushBack();
            return true;
        }
        std::vector<AcRbChain> entry;
        resbuf head{};
        head.restype = 0;
        head.resval.rstring = const_cast<ACHAR*>(L"CLASS");
        entry.emplace_back(acutCopyRb(&head));
        std::wstring dxfName;
        mFiler.setStopAtExtendedData(false);
        mFiler.clearPushBack();
        while (!mFiler.atEOF()) {
            resbuf item{};
            if (mFiler.readResBuf(&item) != Acad::eOk) return false;
            if (item.restype == 1) dxfName = item.resval.rstring;
            entry.emplace_back(acutCopyRb(&item));
        }
        mFiler.setStopAtExtendedData(true);
        AcRxClass* cls = acrxFindClassByDxfName(dxfName.c_str());
        if (cls == nullptr || cls->constructor() == nullptr)
            for (AcRbChain& item : entry) mKeptClasses.push_back(std::move(item));
    }
    return false;
}

// tables = ("0 TABLE" group* record* "0 ENDTAB")*
bool Reader::readTables() {
    while (!failed()) {
        std::optional<DxfGroup> g = expect(0, "\"0 TABLE\" or \"0 ENDSEC\"");
        if (!g) return false;
        if (dxfTrim(g->text) != "TABLE") {
            mIn.pushBack();
            return ensureTables();
        }
        if (!readTable(*g)) return false;
    }
    return false;
}

bool Reader::readTable(const DxfGroup& start) {
    std::vector<DxfGroup> headGroups;
    while (auto g = mIn.next()) {
        if (g->code == 0) {
            mIn.pushBack();
            break;
        }
        headGroups.push_back(*g);
    }
    if (failed()) return false;
    DxfRawRecord head{"TABLE", std::move(headGroups), DxfHome::Tables};
    const std::string name = head.valueOf(2);
    const DxfTableKind* kind = dxfFindTableKind(name);
    // Tables are found by name when the file is written again: one of each.
    if (!mTableNames.insert(name).second)
        return fail(DxfFault::BadStructure, start.line, "second " + name + " table");
    // Records refer to their table by its handle, and a table carried as it
    // stands is written back with its own groups: without a handle it could
    // not keep the one it is given here.
    // Tables of release 12 (AC1009) and before had no handles; theirs are
    // given one here and written from then on.
    if (head.valueOf(5).empty() && !handlesOptional())
        return fail(DxfFault::BadStructure, start.line,
                    "the " + name + " table has no handle (group 5)");
    uint64_t handle = 0;
    dxfParseHandle(head.valueOf(5), handle);
    AcDbObjectId tableId;
    if (kind != nullptr && kind->tableId != nullptr) {
        size_t slot = tableSlot(name);
        AcDbSymbolTable* table = kind->newTable();
        if (!add(table, handle, start.line, tableId)) return false;
        table->close();
        mTables[slot] = tableId;
    } else {
        AcDbObjectId owner = rawOwner(head);
        auto proxy = std::make_unique<AcDbProxyObject>();
        proxy->setRaw(std::move(head));
        AcDbObject* obj = proxy.release();
        if (!add(obj, handle, start.line, tableId)) return false;
        obj->setOwnerId(owner);
        obj->close();
    }
    while (auto g = mIn.next()) {
        if (g->code != 0) return fail(DxfFault::BadStructure, g->line, "expected a table record");
        if (dxfTrim(g->text) == "ENDTAB") return true;
        if (dxfTrim(g->text) == "TABLE")
            return fail(DxfFault::BadStructure, g->line, "TABLE inside the " + name + " table");
        // A table holds records of its own type only; the writer files each
        // record under its table, so a stranger would be lost on the next save.
        if (dxfTrim(g->text) != name)
            return fail(DxfFault::BadStructure, g->line,
                        std::string(dxfTrim(g->text)) + " record inside the " + name + " table");
        if (!readRecord(*g, DxfHome::Tables, tableId)) return false;
    }
    return fail(DxfFault::Truncated, mIn.line(), "the file ends inside the " + name + " table");
}

AcDbObjectId Reader::ownerOf(AcDbObjectId id) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId owner = obj->ownerId();
    obj->close();
    return owner;
}

bool Reader::isBlockRecord(AcDbObjectId id) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return false;
    record->close();
    return true;
}

// blocks = ("0 BLOCK" group* entity* "0 ENDBLK" group*)*
bool Reader::readBlocks() {
    while (!failed()) {
        std::optional<DxfGroup> g = expect(0, "\"0 BLOCK\" or \"0 ENDSEC\"");
        if (!g) return false;
        if (dxfTrim(g->text) != "BLOCK") {
            mIn.pushBack();
            return true;
        }
        AcDbObjectId begin, finish;
        if (!readRecord(*g, DxfHome::Blocks, mDb.modelSpaceId(), &begin)) return false;
        const bool release12 = handlesOptional();
        AcDbObjectId btr = release12 ? blockRecordOfRelease12(begin) : ownerOf(begin);
        // The writer puts each block's markers with its block record: one pair each.
        if (!isBlockRecord(btr) || !mBlocksSeen.insert(btr).second)
            return fail(DxfFault::BadStructure, g->line, "BLOCK without a block record of its own");
        if (!readEntities(btr, "ENDBLK")) return false;
        std::optional<DxfGroup> end = expect(0, "\"0 ENDBLK\"");
        if (end && dxfTrim(end->text) != "ENDBLK")
            return fail(DxfFault::BadStructure, end->line, "BLOCK without ENDBLK");
        if (!end || !readRecord(*end, DxfHome::Blocks, btr, &finish)) return false;
        // The markers of release 12 model and paper space name them in that
        // release's way; the writer makes the markers of today's for them.
        if (release12 && (btr == mDb.modelSpaceId() || btr == mDb.paperSpaceId()))
            for (AcDbObjectId marker : {begin, finish}) eraseObject(marker);
    }
    return false;
}

bool Reader::handlesOptional() const { return mRelease.size() == 6 && mRelease < "AC1012"; }

// Release 12 had no block records: a BLOCK names its block, "$MODEL_SPACE"
// and "$PAPER_SPACE" (or "*...") the two spaces. A block record is made for
// any other name, and the BLOCK is given it as owner.
AcDbObjectId Reader::blockRecordOfRelease12(AcDbObjectId begin) {
    AcDbObject* marker = nullptr;
    if (acdbOpenAcDbObject(marker, begin, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    const DxfRawRecord* raw = dxfRawRecordOf(marker);
    std::string name = raw != nullptr ? std::string(dxfTrim(raw->valueOf(2))) : std::string();
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    AcDbObjectId btr;
    if (name == "$MODEL_SPACE" || name == "*MODEL_SPACE") btr = mDb.modelSpaceId();
    if (name == "$PAPER_SPACE" || name == "*PAPER_SPACE") btr = mDb.paperSpaceId();
    if (btr.isNull() && raw != nullptr) btr = blockRecordNamed(wide(dxfTrim(raw->valueOf(2))));
    marker->setOwnerId(btr);
    marker->close();
    return btr;
}

AcDbObjectId Reader::blockRecordNamed(const std::wstring& name) {
    AcDbBlockTable* blocks = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(blocks, mTables[0], AcDb::kForWrite) != Acad::eOk) return id;
    if (blocks->getAt(name.c_str(), id) != Acad::eOk) {
        makeRoomForOwnObjects();
        auto record = std::make_unique<AcDbBlockTableRecord>();
        record->setName(name.c_str());
        if (blocks->add(id, record.get()) == Acad::eOk) record.release()->close();
    }
    blocks->close();
    return id;
}

void Reader::eraseObject(AcDbObjectId id) {
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForWrite) != Acad::eOk) return;
    obj->erase();
    obj->close();
}

// entities = entity*, up to ENDSEC (or ENDBLK inside a block)
bool Reader::readEntities(AcDbObjectId defaultOwner, const char* endType) {
    while (auto g = mIn.next()) {
        if (g->code != 0) return fail(DxfFault::BadStructure, g->line, "expected an entity");
        std::string_view type = dxfTrim(g->text);
        if (type == "ENDSEC" || (endType != nullptr && type == endType)) {
            mIn.pushBack();
            return true;
        }
        if (!readRecord(*g, DxfHome::Entities, defaultOwner)) return false;
    }
    return !failed() && fail(DxfFault::Truncated, mIn.line(), "the file ends inside a section");
}

// objects = object*; the first is the root dictionary.
bool Reader::readObjects() {
    while (auto g = mIn.next()) {
        if (g->code != 0) return fail(DxfFault::BadStructure, g->line, "expected an object");
        if (dxfTrim(g->text) == "ENDSEC") {
            mIn.pushBack();
            return true;
        }
        AcDbObjectId id;
        if (!readRecord(*g, DxfHome::Objects, AcDbObjectId(), &id)) return false;
        if (mRoot.isNull() && dxfTrim(g->text) == "DICTIONARY") mRoot = id;
    }
    return !failed() &&
           fail(DxfFault::Truncated, mIn.line(), "the file ends inside the OBJECTS section");
}

}  // namespace dxfread

using dxfread::Reader;

Acad::ErrorStatus dxfReadDatabase(std::string_view bytes, AcDbDatabase& database, DxfError& error) {
    error = DxfError{};
    if (bytes.substr(0, 18) == "AutoCAD Binary DXF") {
        error = DxfError{DxfFault::BadStructure, 1,
                         "line 1: binary DXF files are not read, only ASCII"};
        return dxfErrorStatus(error.fault);
    }
    std::string converted;
    if (!dxfTextAsUtf8(bytes, converted, error)) return dxfErrorStatus(error.fault);
    Reader reader(converted.empty() ? bytes : std::string_view(converted), database);
    return reader.run(error);
}
