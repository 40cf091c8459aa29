// A drawing open in the host stand-in for each test, with the elevation
// point class registered, and a scratch folder for files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "acdocman.h"
#include "acedhost.h"
#include "arxsdk.h"
#include "dbsymtb.h"

class EntityDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        mDir = std::filesystem::temp_directory_path() /
               ("kavrel_entity_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::remove_all(mDir);
        std::filesystem::create_directories(mDir);
        acedHostReset();
        mDoc = acDocManager->addDocument(nullptr, L"");
        RegisterMPointEleClass();
    }
    void TearDown() override {
        if (mDoc != nullptr) acDocManager->closeDocument(mDoc);
        std::filesystem::remove_all(mDir);
    }

    AcDbDatabase* db() const { return mDoc->database(); }
    std::wstring path(const char* name) const { return (mDir / name).wstring(); }

    // Saves the drawing as DXF and opens the file as the new current drawing.
    void saveAndReopen() {
        ASSERT_EQ(db()->dxfOut(path("drawing.dxf").c_str()), Acad::eOk);
        acDocManager->closeDocument(mDoc);
        mDoc = acDocManager->addDocument(nullptr, path("drawing.dxf"));
        ASSERT_EQ(db()->dxfIn(path("drawing.dxf").c_str()), Acad::eOk);
    }

    // The record of the text style, open for read (null when missing).
    AcDbTextStyleTableRecord* openStyle(const ACHAR* name) const {
        AcDbTextStyleTable* table = nullptr;
        if (db()->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return nullptr;
        AcDbSymbolTableRecord* record = nullptr;
        table->getAt(name, record, AcDb::kForRead);
        table->close();
        return AcDbTextStyleTableRecord::cast(record);
    }

    std::filesystem::path mDir;
    AcApDocument* mDoc = nullptr;
};
