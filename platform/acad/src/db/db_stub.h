// What an object id points at: the database's slot for one handle.
#pragma once

#include <memory>

#include "dbmain.h"

class AcDbStub {
  public:
    AcDbDatabase* database = nullptr;
    AcDbHandle handle;
    std::unique_ptr<AcDbObject> object;  // null for a handle referred to but not yet read
};
