// A drawing open in the host stand-in for each test, a private registry file
// and a scratch folder, and small builders of entities.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QUARNArxBase.h"
#include "acdocman.h"
#include "acedhost.h"
#include "arxsdk.h"
#include "winreg_standin.h"

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mDir = std::filesystem::temp_directory_path() /
               ("suite_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::remove_all(mDir);
        std::filesystem::create_directories(mDir);
        RegStandInSetFile((mDir / "registry.reg").string().c_str());
        acedHostReset();
        mDoc = acDocManager->addDocument(nullptr, L"");
    }
    void TearDown() override {
        acDocManager->closeDocument(mDoc);
        RegStandInSetFile(nullptr);
        std::filesystem::remove_all(mDir);
    }

    AcDbDatabase* db() const { return mDoc->database(); }
    std::wstring path(const char* name) const { return (mDir / name).wstring(); }

    // Appends and closes an entity; its id.
    template <typename T>
    AcDbObjectId add(std::unique_ptr<T> entity) {
        AcDbObjectId id;
        EXPECT_EQ(ArxEntity::Arx_addToModelSpace(entity.get(), id), Acad::eOk);
        entity.release()->close();
        return id;
    }

    AcDbObjectId addPolyline(const std::vector<AcGePoint2d>& corners, bool closed = true,
                             const std::vector<double>& bulges = {}) {
        auto pl = std::make_unique<AcDbPolyline>();
        for (size_t i = 0; i < corners.size(); ++i)
            pl->addVertexAt(static_cast<unsigned>(i), corners[i],
                            i < bulges.size() ? bulges[i] : 0.0);
        pl->setClosed(closed);
        return add(std::move(pl));
    }

    // Saves the drawing and opens the file as a new current drawing.
    void saveAndReopen() {
        ASSERT_EQ(db()->dxfOut(path("drawing.dxf").c_str()), Acad::eOk);
        acDocManager->closeDocument(mDoc);
        mDoc = acDocManager->addDocument(nullptr, path("drawing.dxf"));
        ASSERT_EQ(db()->dxfIn(path("drawing.dxf").c_str()), Acad::eOk);
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
