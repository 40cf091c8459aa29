// The little state shared between commands while the plug-in is loaded: one
// document data manager, told by the host when drawings go away.
#pragma once

#include <map>

#include "acdocman.h"
#include "acge.h"

// Per-drawing data; nothing is kept per drawing yet.
class CDocData {};

template <class T>
class AsdkDataManager : public AcApDocManagerReactor {
  public:
    AsdkDataManager() { acDocManager->addReactor(this); }
    // Leaves the reactor list before the map goes.
    ~AsdkDataManager() override { acDocManager->removeReactor(this); }
    AsdkDataManager(const AsdkDataManager&) = delete;
    AsdkDataManager& operator=(const AsdkDataManager&) = delete;

    // Drops the entry of a drawing that is being closed.
    void documentToBeDestroyed(AcApDocument* doc) override { mDataMap.erase(doc); }

    // The data of a drawing, made on first use.
    T& docData(AcApDocument* doc) { return mDataMap[doc]; }
    T& docData() { return docData(acDocManager->curDocument()); }
    bool hasDocData(AcApDocument* doc) const { return mDataMap.count(doc) != 0; }
    size_t docDataCount() const { return mDataMap.size(); }

  private:
    std::map<AcApDocument*, T> mDataMap;

  public:
    // Layer count of the elevation point last defined, imported or modified.
    int lastLayerCount = 0;
    // Base point of the extraction's drag, in user coordinates.
    AcGePoint3d dragBasePoint;
};

// The plug-in's one manager, made when the module is loaded.
extern AsdkDataManager<CDocData> DocVars;
