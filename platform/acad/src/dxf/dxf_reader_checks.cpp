// Completing a drawing read from a file and checking what only the whole file
// can show: references, ownership, current layer and style.
#include <algorithm>
#include <unordered_set>

#include "dbdict.h"
#include "dbgroup.h"
#include "dbsymtb.h"
#include "dxf_database.h"
#include "dxf_layout.h"
#include "dxf_reader.h"
#include "wcrt.h"

namespace dxfread {

// A file without some of the tables gets them empty, with the records every
// drawing has (layer "0", style "Standard", application "ACAD", model and
// paper space), as the host reads such files.
bool Reader::ensureTables() {
    if (mTablesReady) return true;
    mTablesReady = true;
    const ACHAR* firstRecords[] = {ACDB_MODEL_SPACE, L"0", L"Standard", L"ACAD"};
    AcDbObjectId spaces[2];
    for (int i = 0; i < 4; ++i) {
        const DxfTableKind* kind = dxfFindTableKind(kFixedTables[i]);
        if (mTables[i].isNull()) {
            AcDbSymbolTable* made = kind->newTable();
            if (!add(made, 0, 0, mTables[i])) return false;
            made->close();
        }
        AcDbSymbolTable* table = nullptr;
        if (acdbOpenObject(table, mTables[i], AcDb::kForWrite) != Acad::eOk) continue;
        for (int k = 0; k < (i == 0 ? 2 : 1); ++k) {
            const ACHAR* name = k == 0 ? firstRecords[i] : ACDB_PAPER_SPACE;
            AcDbObjectId found;
            if (table->getAt(name, found, true) != Acad::eOk) {
                makeRoomForOwnObjects();
                AcDbSymbolTableRecord* record = kind->newRecord();
                record->setName(name);
                if (table->add(found, record) == Acad::eOk)
                    record->close();
                else
                    delete record;
            }
            if (i == 0) spaces[k] = found;
        }
        table->close();
    }
    mDb.setFixedObjectIds(mTables[0], mTables[1], mTables[2], mTables[3], AcDbObjectId(),
                          AcDbObjectId(), spaces[0], spaces[1]);
    return applyPendingXdata();
}

bool Reader::ensureRegApp(const std::wstring& name) {
    AcDbRegAppTable* table = nullptr;
    if (mDb.getRegAppTable(table, AcDb::kForRead) != Acad::eOk)
        return fail(DxfFault::BadStructure, 0, "no APPID table");
    bool has = table->has(name.c_str());
    table->close();
    if (has) return true;
    if (mDb.getRegAppTable(table, AcDb::kForWrite) != Acad::eOk)
        return fail(DxfFault::BadStructure, 0, "no APPID table");
    makeRoomForOwnObjects();
    auto record = std::make_unique<AcDbRegAppTableRecord>();
    Acad::ErrorStatus es = record->setName(name.c_str());
    if (es == Acad::eOk) es = table->add(record.get());
    table->close();
    if (es != Acad::eOk)
        return fail(DxfFault::BadData, mFiler.line(),
                    "application name \"" + wcrtToUtf8(name) + "\" refused");
    record.release()->close();
    return true;
}

// An entity on a layer the LAYER table lacks gets that layer, as the host
// creates it when it reads such a file.
bool Reader::ensureLayer(const std::wstring& name) {
    AcDbLayerTable* table = nullptr;
    if (name.empty() || mDb.getLayerTable(table, AcDb::kForRead) != Acad::eOk) return true;
    bool has = table->has(name.c_str());
    table->close();
    if (has || mDb.getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return true;
    makeRoomForOwnObjects();
    auto record = std::make_unique<AcDbLayerTableRecord>();
    Acad::ErrorStatus es = record->setName(name.c_str());
    if (es == Acad::eOk) es = table->add(record.get());
    table->close();
    if (es != Acad::eOk)
        return fail(DxfFault::BadData, mFiler.line(),
                    "layer name \"" + wcrtToUtf8(name) + "\" refused");
    record.release()->close();
    return true;
}

void Reader::keepAll(const ACHAR* subclass, std::vector<AcRbChain>& items) {
    AcDbObject* blocks = nullptr;
    if (acdbOpenAcDbObject(blocks, mDb.blockTableId(), AcDb::kForWrite) != Acad::eOk) return;
    for (AcRbChain& item : items) blocks->keepUnknownDxfItem(subclass, *item);
    blocks->close();
}

// Every handle referred to must belong to an object of the file.
bool Reader::checkReferences() {
    AcDbObjectIdArray missing = mDb.unresolvedIds();
    if (missing.isEmpty()) return true;
    int line = 0;
    uint64_t first = 0;
    for (AcDbObjectId id : missing) {
        uint64_t handle = id.handle().value();
        auto it = mFiler.referenceLines().find(handle);
        int at = it != mFiler.referenceLines().end() ? it->second : 0;
        if (line == 0 || (at != 0 && at < line)) {
            line = at;
            first = handle;
        }
    }
    return fail(DxfFault::DanglingHandle, line,
                "handle " + dxfFormatHandle(first) + " points to no object");
}

// Following owners from any object must reach an object without owner within
// kDxfMaxOwnershipDepth steps; a cycle never does. Depths found are remembered,
// so every object is visited about once.
bool Reader::checkOwnership() {
    std::unordered_map<AcDbObjectId, int> depthOf;
    for (AcDbObjectId id : mDb.allObjectIds()) {
        std::vector<AcDbObjectId> chain;
        AcDbObjectId at = id;
        int base = 0;
        while (!at.isNull()) {
            auto known = depthOf.find(at);
            if (known != depthOf.end()) {
                base = known->second;
                break;
            }
            if (chain.size() > static_cast<size_t>(kDxfMaxOwnershipDepth)) break;
            chain.push_back(at);
            AcDbObject* obj = nullptr;
            if (acdbOpenAcDbObject(obj, at, AcDb::kForRead, true) != Acad::eOk) break;
            at = obj->ownerId();
            obj->close();
        }
        if (base + static_cast<int>(chain.size()) > kDxfMaxOwnershipDepth) {
            uint64_t handle = id.handle().value();
            int line = mLineOfObject.count(handle) != 0 ? mLineOfObject[handle] : 0;
            return fail(DxfFault::BadOwnership, line,
                        "ownership of " + dxfFormatHandle(handle) + " is cyclic or deeper than " +
                            std::to_string(kDxfMaxOwnershipDepth) + " levels");
        }
        for (size_t k = 0; k < chain.size(); ++k)
            depthOf[chain[k]] = base + static_cast<int>(chain.size() - k);
    }
    return true;
}

bool Reader::setCurrentNames() {
    AcDbObjectId layer, style;
    AcDbLayerTable* layers = nullptr;
    if (mDb.getLayerTable(layers, AcDb::kForRead) == Acad::eOk) {
        if (layers->getAt(mClayer.c_str(), layer) != Acad::eOk) layers->getAt(L"0", layer);
        layers->close();
    }
    AcDbTextStyleTable* styles = nullptr;
    if (mDb.getTextStyleTable(styles, AcDb::kForRead) == Acad::eOk) {
        if (styles->getAt(mTextstyle.c_str(), style) != Acad::eOk)
            styles->getAt(L"Standard", style);
        styles->close();
    }
    if (!layer.isNull()) mDb.setClayer(layer);
    if (!style.isNull()) mDb.setTextstyle(style);
    return true;
}

bool Reader::finish() {
    if (!ensureTables()) return false;
    AcDbDictionary* root = nullptr;
    if (mRoot.isNull()) {
        auto dict = std::make_unique<AcDbDictionary>();
        if (!add(dict.get(), 0, 0, mRoot)) return false;
        dict.release()->close();
    }
    AcDbObjectId groups;
    if (acdbOpenObject(root, mRoot, AcDb::kForWrite) != Acad::eOk)
        return fail(DxfFault::BadStructure, 0, "the first object is not the root dictionary");
    if (root->getAt(ACDB_GROUP_DICTIONARY, groups) != Acad::eOk) {
        makeRoomForOwnObjects();
        auto dict = std::make_unique<AcDbDictionary>();
        if (root->setAt(ACDB_GROUP_DICTIONARY, dict.get(), groups) == Acad::eOk)
            dict.release()->close();
    }
    root->close();
    AcDbDictionary* groupDict = nullptr;
    if (acdbOpenObject(groupDict, groups, AcDb::kForWrite) == Acad::eOk) {
        groupDict->setNamesAnonymously(true);
        groupDict->close();
    }
    mDb.setFixedObjectIds(mTables[0], mTables[1], mTables[2], mTables[3], mRoot, groups,
                          mDb.modelSpaceId(), mDb.paperSpaceId());
    keepAll(kDxfKeptHeader, mKeptHeader);
    keepAll(kDxfKeptClasses, mKeptClasses);
    uint64_t maxHandle = 0;
    for (AcDbObjectId id : mDb.allObjectIds()) maxHandle = std::max(maxHandle, id.handle().value());
    mDb.setHandseed(AcDbHandle(std::max({mHandseed, maxHandle + 1, mDb.handseed().value()})));
    return checkReferences() && checkOwnership() && setCurrentNames();
}

}  // namespace dxfread
