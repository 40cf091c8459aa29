#include "ArxModuleGuard.h"

#include <memory>

#include "acdocman.h"
#include "dbmain.h"

namespace {

bool DatabaseHolds(const AcDbDatabase& db, const AcRxClass* classObj) {
    for (const AcDbObjectId& id : db.allObjectIds()) {
        const AcRxClass* c = id.objectClass();
        if (c != nullptr && (c == classObj || c->isDerivedFrom(classObj))) return true;
    }
    return false;
}

}  // namespace

bool ArxClassHasInstances(const AcRxClass* classObj) {
    if (classObj == nullptr) return false;
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; it != nullptr && !it->done(); it->step())
        if (it->document()->database() != nullptr &&
            DatabaseHolds(*it->document()->database(), classObj))
            return true;
    return false;
}
