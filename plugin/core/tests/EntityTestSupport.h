// The host stand-in's drawing fixture with the elevation point class registered.
#pragma once

#include "AcDbMPointEle.h"
#include "ArxHelpers.h"
#include "DocumentTest.h"
#include "dbsymtb.h"

class EntityDrawingTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        RegisterMPointEleClass();
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
};
