#include "ArxDbgAppXdataX.h"

#include <algorithm>
#include <memory>

#include "XdataLayout.h"
#include "dbsymtb.h"

namespace {

bool SameKey(const std::wstring& stored, const ACHAR* key) { return stored == key; }

// Registers the application in the database's table; true when it is there.
bool Register(AcDbDatabase* db, const std::wstring& appName) {
    if (db == nullptr) return false;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return false;
    bool ok = table->has(appName.c_str());
    if (!ok) {
        auto record = std::make_unique<AcDbRegAppTableRecord>();
        ok = record->setName(appName.c_str()) == Acad::eOk && table->add(record.get()) == Acad::eOk;
        if (ok) record.release()->close();
    }
    table->close();
    return ok;
}

}  // namespace

ArxDbgAppXdataX::ArxDbgAppXdataX(const ACHAR* appName, AcDbDatabase* database)
    : mAppName(appName != nullptr ? appName : L""), mDatabase(database) {}

void ArxDbgAppXdataX::getXdata(const AcDbObject* object) {
    mEntries.clear();
    mTail.removeAll();
    if (object == nullptr || mAppName.empty()) return;
    ArxDbgRbList chain(object->xData(mAppName.c_str()));
    if (chain.isEmpty()) return;
    DecodedXdata decoded = DecodeKeyedXdata(chain.data()->rbnext);
    mEntries = std::move(decoded.entries);
    mTail = std::move(decoded.tail);
}

ArxDbgRbList ArxDbgAppXdataX::buildChain() const {
    ArxDbgRbList list;
    list.addString(1001, mAppName.c_str());
    EncodeKeyedXdata(mEntries, list);
    if (!mTail.isEmpty()) {
        ArxDbgRbList tail(mTail);
        for (resbuf* rb = tail.orphanData(); rb != nullptr;) {
            resbuf* next = rb->rbnext;
            rb->rbnext = nullptr;
            list.addTail(rb);
            rb = next;
        }
    }
    return list;
}

Acad::ErrorStatus ArxDbgAppXdataX::setXdata(AcDbObject* object) const {
    if (object == nullptr) return Acad::eNullObjectPointer;
    if (mAppName.empty()) return Acad::eInvalidInput;
    AcDbDatabase* db = object->database() != nullptr ? object->database() : mDatabase;
    if (!Register(db, mAppName)) return Acad::eRegappIdNotFound;
    const ArxDbgRbList chain = buildChain();
    return object->setXData(chain.data());
}

bool ArxDbgAppXdataX::getString(const ACHAR* key, std::wstring& value) const {
    value.clear();
    if (key == nullptr) return false;
    for (const auto& [k, v] : mEntries)
        if (SameKey(k, key)) {
            value = v;
            return true;
        }
    return false;
}

bool ArxDbgAppXdataX::getString(const AcDbObject* object, const ACHAR* key,
                                std::wstring& value) const {
    value.clear();
    if (object == nullptr || key == nullptr || mAppName.empty()) return false;
    ArxDbgRbList chain(object->xData(mAppName.c_str()));
    return !chain.isEmpty() && FindKeyedValue(chain.data()->rbnext, key, value);
}

bool ArxDbgAppXdataX::setString(const ACHAR* key, const ACHAR* value) {
    if (key == nullptr || *key == 0 || Utf8Length(key) > kMaxXdataStringBytes) return false;
    const std::wstring text = value != nullptr ? value : L"";
    for (auto& [k, v] : mEntries)
        if (SameKey(k, key)) {
            v = text;
            return true;
        }
    mEntries.emplace_back(key, text);
    return true;
}

bool ArxDbgAppXdataX::remove(const ACHAR* key) {
    if (key == nullptr) return false;
    const auto removed =
        std::erase_if(mEntries, [&](const auto& entry) { return SameKey(entry.first, key); });
    return removed > 0;
}

void ArxDbgAppXdataX::GetFlagArray(std::vector<std::wstring>& keys) const {
    keys.clear();
    for (const auto& entry : mEntries) keys.push_back(entry.first);
}
