// An object opened for the length of one operation and closed when the
// operation leaves, whichever way it leaves.
#pragma once

#include "dbmain.h"
#include "dbsymtb.h"

template <typename T>
class ScopedOpen {
  public:
    ScopedOpen(AcDbObjectId id, AcDb::OpenMode mode) {
        mStatus = acdbOpenObject(mObject, id, mode);
    }
    ~ScopedOpen() {
        if (mObject != nullptr) mObject->close();
    }
    ScopedOpen(const ScopedOpen&) = delete;
    ScopedOpen& operator=(const ScopedOpen&) = delete;

    T* get() const { return mObject; }
    T* operator->() const { return mObject; }
    explicit operator bool() const { return mObject != nullptr; }
    Acad::ErrorStatus status() const { return mStatus; }

  private:
    T* mObject = nullptr;
    Acad::ErrorStatus mStatus = Acad::eOk;
};

// The drawing the helpers work on.
inline AcDbDatabase* WorkingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

// Ids of the entities of model space that are not erased, in drawing order.
inline AcDbObjectIdArray ModelSpaceEntities(AcDbDatabase* db) {
    AcDbObjectIdArray ids;
    if (db == nullptr) return ids;
    ScopedOpen<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
    if (!space) return ids;
    for (const AcDbObjectId& id : space->entityIds())
        if (!id.isErased()) ids.append(id);
    return ids;
}
