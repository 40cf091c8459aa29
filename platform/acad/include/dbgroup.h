// Groups: named sets of entities, kept in the database's group dictionary.
#pragma once

#include <string>
#include <vector>

#include "dbdict.h"
#include "dbmain.h"

class AcDbGroup : public AcDbObject {
  public:
    static AcRxClass* desc();
    static AcDbGroup* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    explicit AcDbGroup(const ACHAR* description = nullptr, bool selectable = true);

    // The group's name in the group dictionary (empty until added to it).
    const ACHAR* name() const;
    Acad::ErrorStatus getName(ACHAR*& name) const;
    const ACHAR* description() const { return mDescription.c_str(); }
    Acad::ErrorStatus setDescription(const ACHAR* description);
    bool isSelectable() const { return mSelectable; }
    Acad::ErrorStatus setSelectable(bool selectable);
    // Anonymous groups are named "*A1", "*A2", ... by the group dictionary.
    bool isAnonymous() const { return mAnonymous; }
    Acad::ErrorStatus setAnonymous();

    // The group must be open for write; an id already in the group gives eAlreadyInDb.
    Acad::ErrorStatus append(AcDbObjectId id);
    Acad::ErrorStatus append(const AcDbObjectIdArray& ids);
    Acad::ErrorStatus prepend(AcDbObjectId id);
    Acad::ErrorStatus remove(AcDbObjectId id);
    Acad::ErrorStatus clear();
    bool has(const AcDbEntity* entity) const;
    bool has(AcDbObjectId id) const;
    // Entities that are not erased, in group order.
    Adesk::UInt32 numEntities() const;
    Adesk::UInt32 allEntityIds(AcDbObjectIdArray& ids) const;
    Acad::ErrorStatus getIndex(AcDbObjectId id, Adesk::UInt32& index) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    // 100 "AcDbGroup", 300 description, 70 unnamed flag, 71 selectable, 340 for each
    // entity that is not erased.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

  private:
    std::vector<AcDbObjectId> liveIds() const;
    std::wstring mDescription;
    bool mSelectable = true;
    bool mAnonymous = false;
    mutable std::wstring mNameCache;
    std::vector<AcDbObjectId> mIds;
};
