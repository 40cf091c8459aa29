// The DXF reader's state, shared by the files that implement its parts:
// dxf_reader.cpp (the file's grammar), dxf_reader_records.cpp (one record),
// dxf_reader_checks.cpp (completing and checking the drawing at the end).
#pragma once

#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"
#include "dxf_filer.h"
#include "dxf_proxy.h"
#include "wcrt.h"

namespace dxfread {

// The database's own tables in the order of setFixedObjectIds.
constexpr const char* kFixedTables[] = {"BLOCK_RECORD", "LAYER", "STYLE", "APPID"};

inline size_t tableSlot(std::string_view name) {
    size_t slot = 0;
    while (slot < 3 && name != kFixedTables[slot]) ++slot;
    return slot;
}

inline std::wstring wide(std::string_view utf8) { return wcrtFromUtf8(dxfUnescapeString(utf8)); }

// The header groups of a record, read before its own data.
struct RecordHead {
    uint64_t handle = 0;
    AcDbObjectId owner;
    bool hasOwner = false;
    std::vector<AcRbChain> appData;  // 102 groups, kept for the next save
};

class Reader {
  public:
    Reader(std::string_view bytes, AcDbDatabase& db)
        : mBytes(bytes), mIn(bytes), mDb(db), mFiler(mIn, &db) {}
    Acad::ErrorStatus run(DxfError& error);

    // The parts of the grammar and of the checks, one per rule.
    bool fail(DxfFault fault, int line, const std::string& message) {
        mIn.fail(fault, line, message);
        return false;
    }
    bool failed() const { return mIn.failed(); }
    std::optional<DxfGroup> expect(int code, const char* what);
    bool readSection();
    bool readHeader();
    bool readHeaderValue(const std::wstring& variable, const DxfGroup& g);
    bool readClasses();
    bool readTables();
    bool readTable(const DxfGroup& start);
    bool readBlocks();
    AcDbObjectId ownerOf(AcDbObjectId id);
    bool isBlockRecord(AcDbObjectId id);
    bool handlesOptional() const;
    void impliedSubclasses(const DxfGroup& typeGroup);
    AcDbObjectId blockRecordOfRelease12(AcDbObjectId begin);
    AcDbObjectId blockRecordNamed(const std::wstring& name);
    void eraseObject(AcDbObjectId id);
    bool readEntities(AcDbObjectId defaultOwner, const char* endType);
    bool readObjects();
    bool readRecord(const DxfGroup& typeGroup, DxfHome home, AcDbObjectId defaultOwner,
                    AcDbObjectId* madeId = nullptr);
    bool readRecordHead(RecordHead& head);
    bool readKnown(AcDbObject* obj, const DxfGroup& typeGroup, RecordHead& head, DxfHome home,
                   AcDbObjectId defaultOwner, AcDbObjectId& id);
    bool readProxy(const DxfGroup& typeGroup, DxfHome home, AcDbObjectId defaultOwner,
                   AcDbObjectId& id);
    bool place(AcDbObject* obj, AcDbObjectId id, const RecordHead& head, DxfHome home,
               AcDbObjectId defaultOwner, int line);
    bool dataAllRead(const DxfGroup& typeGroup);
    AcDbObjectId rawOwner(const DxfRawRecord& raw);
    bool readXdata(AcDbObject* obj);
    bool setXdata(AcDbObject* obj, const resbuf* chain, int line);
    bool applyPendingXdata();
    bool add(AcDbObject* obj, uint64_t handle, int line, AcDbObjectId& id);
    bool tooHigh(const char* what, uint64_t handle, int line);
    AcDbObject* create(const std::string& type, DxfHome home);
    void makeRoomForOwnObjects();
    bool ensureTables();
    bool ensureLayer(const std::wstring& name);
    bool ensureRegApp(const std::wstring& name);
    bool finish();
    bool checkReferences();
    bool checkOwnership();
    bool setCurrentNames();
    void keepAll(const ACHAR* subclass, std::vector<AcRbChain>& items);

    std::string_view mBytes;
    DxfGroupReader mIn;
    AcDbDatabase& mDb;
    DxfInFiler mFiler;
    std::unordered_map<uint64_t, int> mLineOfObject;  // handle -> line of its 0 group
    // Classes by the record type that named them: no module loads during a
    // read, and the class dictionary is searched name by name.
    std::unordered_map<std::string, AcRxClass*> mClassOfType;
    AcRxClass* classOfType(const std::string& type);
    std::vector<AcRbChain> mKeptHeader, mKeptClasses;
    std::wstring mClayer, mTextstyle;
    std::string mRelease;  // $ACADVER, "AC1027" for instance
    uint64_t mHandseed = 0;
    bool mTablesReady = false;
    bool mRoomMade = false;   // the seed is above every handle of the file
    AcDbObjectId mTables[4];  // block, layer, text style, regapp
    AcDbObjectId mRoot;
    std::set<std::string> mTableNames;
    std::set<AcDbObjectId> mBlocksSeen;
    struct PendingXdata {
        AcDbObjectId id;
        AcRbChain chain;
        int line;
    };
    std::vector<PendingXdata> mPendingXdata;
};

}  // namespace dxfread
