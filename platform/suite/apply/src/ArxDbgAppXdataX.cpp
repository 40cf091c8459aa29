#include "ArxDbgAppXdataX.h"

#include <algorithm>
#include <memory>

#include "XdataLayout.h"
#include "dbsymtb.h"

namespace {

bool SameKey(const std::pmr::wstring& stored, const ACHAR* key) { return stored == key; }

// The memory of the entries' texts: blocks of a size reused as they are freed.
// Sanitizer builds take the general heap (KAVREL_GENERAL_HEAP), where misuse
// is caught.
std::pmr::memory_resource* EntryMemory() {
#ifdef KAVREL_GENERAL_HEAP
    return std::pmr::new_delete_resource();
#else
    thread_local std::pmr::unsynchronized_pool_resource memory;
    return &memory;
#endif
}

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

// The chain setXdata writes without a copy of any text: the buffers point
// into the entries, the layout's pieces and, at the end, the kept tail. It
// holds while those stay unchanged; the host copies what it keeps.
class BorrowedChain {
  public:
    BorrowedChain(const std::wstring& appName, const XdataEntries& entries, const resbuf* tail)
        : mLaid(LayOutKeyedXdata(entries)), mItems(mLaid.groups.size() + 1) {
        mItems[0].restype = 1001;
        mItems[0].resval.rstring = const_cast<ACHAR*>(appName.c_str());
        for (size_t i = 0; i < mLaid.groups.size(); ++i) {
            mItems[i + 1].restype = mLaid.groups[i].first;
            mItems[i + 1].resval.rstring = const_cast<ACHAR*>(mLaid.groups[i].second);
        }
        for (size_t i = 0; i + 1 < mItems.size(); ++i) mItems[i].rbnext = &mItems[i + 1];
        mItems.back().rbnext = const_cast<resbuf*>(tail);
    }
    const resbuf* data() const { return mItems.data(); }

  private:
    KeyedGroups mLaid;
    std::vector<resbuf> mItems;
};

}  // namespace

ArxDbgAppXdataX::ArxDbgAppXdataX(const ACHAR* appName, AcDbDatabase* database)
    : mAppName(appName != nullptr ? appName : L""), mDatabase(database), mEntries(EntryMemory()) {}

void ArxDbgAppXdataX::getXdata(const AcDbObject* object) {
    mEntries.clear();
    mTail.removeAll();
    if (object == nullptr || mAppName.empty()) return;
    ArxDbgRbList chain(object->xData(mAppName.c_str()));
    if (chain.isEmpty()) return;
    DecodedXdata decoded = DecodeKeyedXdata(chain.data()->rbnext, EntryMemory());
    mEntries = std::move(decoded.entries);
    mTail = std::move(decoded.tail);
}

ArxDbgRbList ArxDbgAppXdataX::buildChain() const {
    const BorrowedChain chain(mAppName, mEntries, mTail.data());
    return ArxDbgRbList(acutCopyRbChain(chain.data()));
}

Acad::ErrorStatus ArxDbgAppXdataX::setXdata(AcDbObject* object) const {
    if (object == nullptr) return Acad::eNullObjectPointer;
    if (mAppName.empty()) return Acad::eInvalidInput;
    AcDbDatabase* db = object->database() != nullptr ? object->database() : mDatabase;
    if (!Register(db, mAppName)) return Acad::eRegappIdNotFound;
    const BorrowedChain chain(mAppName, mEntries, mTail.data());
    return object->setXData(chain.data());
}

bool ArxDbgAppXdataX::getString(const ACHAR* key, std::wstring& value) const {
    value.clear();
    if (key == nullptr) return false;
    for (const auto& [k, v] : mEntries)
        if (SameKey(k, key)) {
            value.assign(v.data(), v.size());
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
    const ACHAR* text = value != nullptr ? value : L"";
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
    for (const auto& entry : mEntries) keys.emplace_back(entry.first);
}
