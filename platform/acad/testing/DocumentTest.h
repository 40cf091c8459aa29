// A drawing open in the host stand-in for each test, and a scratch folder for
// its files. Fixtures of the modules above the host derive from it and add
// what their tests need (a registry file, registered classes, builders).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "acdocman.h"
#include "acedhost.h"
#include "arxsdk.h"

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mDir = MakeScratchFolder("kavrel");
        acedHostReset();
        mDoc = acDocManager->addDocument(nullptr, L"");
    }
    void TearDown() override {
        closeDocument();
        std::filesystem::remove_all(mDir);
    }

    void closeDocument() {
        if (mDoc != nullptr) acDocManager->closeDocument(mDoc);
        mDoc = nullptr;
    }

    AcDbDatabase* db() const { return mDoc->database(); }
    std::filesystem::path path(const char* name) const { return mDir / name; }

    // Saves the drawing as DXF and opens the file as the new current drawing.
    void saveAndReopen() {
        const std::wstring file = path("drawing.dxf").wstring();
        ASSERT_EQ(db()->dxfOut(file.c_str()), Acad::eOk);
        closeDocument();
        mDoc = acDocManager->addDocument(nullptr, file);
        ASSERT_EQ(db()->dxfIn(file.c_str()), Acad::eOk);
    }

    std::filesystem::path mDir;
    AcApDocument* mDoc = nullptr;
};

// Entity ids of model space in drawing order (erased ones left out).
inline std::vector<AcDbObjectId> ModelSpaceIds(AcDbDatabase* db) {
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return ids;
    for (const AcDbObjectId& id : space->entityIds())
        if (!id.isErased()) ids.push_back(id);
    space->close();
    return ids;
}
