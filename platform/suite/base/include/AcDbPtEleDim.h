// The point elevation dimension: at a grid corner, the natural elevation,
// the design elevation and their difference, each text on its own layer and
// in its own colour. Drawing, filing and DXF form: docs/ptele-dim.md.
#pragma once

#include <string>

#include "dbmain.h"

class AcDbPtEleDim : public AcDbEntity {
  public:
    static AcRxClass* gpDesc;
    static AcRxClass* desc();
    static AcDbPtEleDim* cast(const AcRxObject* inPtr);
    AcRxClass* isA() const override;
    // Registers and removes the runtime class (done by the module's entry point).
    static void rxInit();
    static void rxUninit();

    AcDbPtEleDim();

    // Setters need the entity open for write, getters for read.
    void setDimPoint(const AcGePoint3d& point);
    void setLeadPoint(const AcGePoint3d& point);
    void setOriginEle(const ACHAR* text);
    void setDesignEle(const ACHAR* text);
    void setVar(const ACHAR* text);
    // A layer that does not exist in the working drawing is created with the
    // text's colour at the time of the call.
    void setOriginLayer(const ACHAR* layer);
    void setDesignLayer(const ACHAR* layer);
    void setVarLayer(const ACHAR* layer);
    void setOriginColor(int colorIndex);
    void setDesignColor(int colorIndex);
    void setVarColor(int colorIndex);
    void setTextHeight(double height);
    // Radians.
    void setTextAngle(double angle);

    AcGePoint3d dimPoint() const;
    AcGePoint3d leadPoint() const;
    const ACHAR* originEle() const;
    const ACHAR* designEle() const;
    const ACHAR* var() const;
    const ACHAR* originLayer() const;
    const ACHAR* designLayer() const;
    const ACHAR* varLayer() const;
    int originColor() const;
    int designColor() const;
    int varColor() const;
    double textHeight() const;
    double textAngle() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // One of the three texts as drawn and exploded: its place and looks.
    struct TextPiece {
        AcGePoint3d position;  // left end of the baseline
        std::wstring text;
        std::wstring layer;
        int color = 256;
    };
    // The three texts in the order difference, design, natural; empty texts
    // are left out.
    void textPieces(TextPiece pieces[3], int& count) const;

    // The members, public for the filing tables of the implementation.
    struct Data {
        AcGePoint3d dimPoint;
        AcGePoint3d leadPoint;
        std::wstring originEle;
        std::wstring designEle;
        std::wstring var;
        std::wstring originLayer;
        std::wstring designLayer;
        std::wstring varLayer;
        int originColor = 256;
        int designColor = 256;
        int varColor = 256;
        double textHeight = 2.5;
        double textAngle = 0.0;
    };

  protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices,
                                          const AcGeVector3d& offset) override;

  private:
    Data mData;
};
