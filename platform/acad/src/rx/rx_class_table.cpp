#include "arxsdk.h"
#include "rx_builtin.h"

namespace {

// Every class the stand-in defines; touching desc() creates and lists it.
using DescFunction = AcRxClass* (*)();
constexpr DescFunction kStandInClasses[] = {
    &AcRxObject::desc,
    &AcRxClass::desc,
    &AcRxDictionary::desc,
    &AcDbDwgFiler::desc,
    &AcDbDxfFiler::desc,
    &AcDbObject::desc,
    &AcDbEntity::desc,
    &AcDbCurve::desc,
    &AcDbLine::desc,
    &AcDbRay::desc,
    &AcDbCircle::desc,
    &AcDbText::desc,
    &AcDbPolyline::desc,
    &AcDbSymbolTable::desc,
    &AcDbBlockTable::desc,
    &AcDbLayerTable::desc,
    &AcDbTextStyleTable::desc,
    &AcDbRegAppTable::desc,
    &AcDbSymbolTableRecord::desc,
    &AcDbBlockTableRecord::desc,
    &AcDbLayerTableRecord::desc,
    &AcDbTextStyleTableRecord::desc,
    &AcDbRegAppTableRecord::desc,
    &AcDbDictionary::desc,
    &AcDbGroup::desc,
    &AcDbDatabase::desc,
    &AcDbHostApplicationServices::desc,
};

}  // namespace

void acrxRegisterStandInClasses() {
    for (DescFunction desc : kStandInClasses) desc();
}
