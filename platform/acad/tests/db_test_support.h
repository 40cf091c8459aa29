// Test helpers: a fresh drawing as the working database, and entity creation.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "arxsdk.h"

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
    }
    void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    // Appends to model space and closes; returns the new id.
    AcDbObjectId add(AcDbEntity* entity) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }

    AcDbObjectId addLine(AcGePoint3d a, AcGePoint3d b) { return add(new AcDbLine(a, b)); }

    std::unique_ptr<AcDbDatabase> db;
};
