#include "TextStyles.h"

#include <memory>

#include "ClosedOnExit.h"
#include "dbsymtb.h"

namespace {

constexpr const ACHAR* kTypeface = L"仿宋_GB2312";
// GB2312 character set and the pitch/family byte of a fixed-pitch modern
// font (FF_MODERN | FIXED_PITCH), as the suite's styles carry them.
constexpr int kCharset = 134;
constexpr int kPitchAndFamily = 49;
constexpr double kNarrowWidthFactor = 0.7;

// How a style looks when it has to be created.
struct NewStyleLooks {
    double widthFactor;
    double fixedHeight;  // 0: no fixed height
};

ClosedOnExit<AcDbTextStyleTable> OpenStyleTable() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, AcDb::kForWrite) != Acad::eOk) return nullptr;
    return ClosedOnExit<AcDbTextStyleTable>(table);
}

bool AddStyle(AcDbTextStyleTable& table, const ACHAR* name, const NewStyleLooks& looks,
              AcDbObjectId& styleId) {
    auto record = std::make_unique<AcDbTextStyleTableRecord>();
    if (record->setName(name) != Acad::eOk ||
        record->setFont(kTypeface, false, false, kCharset, kPitchAndFamily) != Acad::eOk ||
        record->setXScale(looks.widthFactor) != Acad::eOk ||
        record->setTextSize(looks.fixedHeight) != Acad::eOk ||
        table.add(styleId, record.get()) != Acad::eOk) {
        styleId.setNull();
        return false;
    }
    record.release()->close();
    return true;
}

// Finds or creates the style; with a height, an existing record's fixed
// height is set to it.
bool FindOrAddStyle(const ACHAR* name, const NewStyleLooks& looks, const double* newHeight,
                    AcDbObjectId& styleId) {
    styleId.setNull();
    ClosedOnExit<AcDbTextStyleTable> table = OpenStyleTable();
    if (!table || name == nullptr) return false;
    if (table->getAt(name, styleId) != Acad::eOk) return AddStyle(*table, name, looks, styleId);
    if (newHeight == nullptr) return true;
    auto record = OpenClosedOnExit<AcDbTextStyleTableRecord>(styleId, AcDb::kForWrite);
    return record && record->setTextSize(*newHeight) == Acad::eOk;
}

}  // namespace

bool MakeTextStyle(const ACHAR* styleName, AcDbObjectId& styleId) {
    return FindOrAddStyle(styleName, {1.0, 0.0}, nullptr, styleId);
}

bool MakeNarrowTextStyle(const ACHAR* styleName, double height, AcDbObjectId& styleId) {
    return FindOrAddStyle(styleName, {kNarrowWidthFactor, height}, &height, styleId);
}
