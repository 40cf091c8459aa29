// A sample drawing for the DXF tests: layers, text style, applications with
// extended data (a long value in braces), polylines, a circle, a text, named
// and anonymous groups and a custom entity registered with a DXF name.
#pragma once

#include <memory>
#include <string>

#include "arxsdk.h"
#include "dxf_database.h"

// A custom entity as a plug-in defines one: its own subclass data after the
// common entity data.
class DxfTestMarker : public AcDbEntity {
  public:
    ACRX_DECLARE_MEMBERS(DxfTestMarker);
    AcGePoint3d position;
    double size = 1.0;
    AcGeDoubleArray levels;

    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
};

// Registers DxfTestMarker for the lifetime of the object.
struct DxfTestMarkerClass {
    DxfTestMarkerClass();
    ~DxfTestMarkerClass();
};

// The sample drawing in a new database.
std::unique_ptr<AcDbDatabase> dxfTestDrawing();

// Adds a layer with the colour index to the drawing; its id.
AcDbObjectId dxfTestAddLayer(AcDbDatabase& db, const ACHAR* name, int color);

// The drawing written as text; fails the test on an error.
std::string dxfTestText(AcDbDatabase& db);

// A value longer than one 1000 group can hold, as the suite stores it.
std::wstring dxfTestLongValue();
