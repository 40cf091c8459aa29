// The drawing interface entities draw through (AcGi). Renderers implement the
// abstract geometry and traits classes; entities only call them.
#pragma once

#include <string>

#include "acge.h"
#include "adesk.h"
#include "dbid.h"

class AcDbDatabase;

enum AcGiArcType { kAcGiArcSimple = 0, kAcGiArcSector, kAcGiArcChord };
enum AcGiRegenType {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand,
    kAcGiShadedDisplay,
    kAcGiForExplode,
    kAcGiSaveWorldDrawForProxy
};

// A text style for drawing: font, size, width factor and obliquing. Built without a
// database, or filled from a text style record (see ArxText helpers / loadStyleRec).
class AcGiTextStyle {
  public:
    AcGiTextStyle() = default;
    explicit AcGiTextStyle(AcDbDatabase* database) : mDatabase(database) {}
    AcGiTextStyle(const ACHAR* fontName, const ACHAR* bigFontName, double textSize, double xScale,
                  double obliqueAngle, double trackPercent, bool isBackward, bool isUpsideDown,
                  bool isVertical, bool isOverlined, bool isUnderlined,
                  const ACHAR* styleName = nullptr);

    // Copies the record's font, size, width factor and obliquing; returns non-zero on success.
    int loadStyleRec(AcDbDatabase* database = nullptr);

    void setTextSize(double size) { mTextSize = size; }
    double textSize() const { return mTextSize; }
    void setXScale(double xScale) { mXScale = xScale; }
    double xScale() const { return mXScale; }
    void setObliquingAngle(double angle) { mObliquingAngle = angle; }
    double obliquingAngle() const { return mObliquingAngle; }
    void setTrackingPercent(double percent) { mTrackingPercent = percent; }
    double trackingPercent() const { return mTrackingPercent; }
    void setFileName(const ACHAR* name) { mFileName = name != nullptr ? name : L""; }
    const ACHAR* fileName() const { return mFileName.c_str(); }
    void setBigFontFileName(const ACHAR* name) { mBigFontFileName = name != nullptr ? name : L""; }
    const ACHAR* bigFontFileName() const { return mBigFontFileName.c_str(); }
    Acad::ErrorStatus setStyleName(const ACHAR* name) {
        mStyleName = name != nullptr ? name : L"";
        return Acad::eOk;
    }
    Acad::ErrorStatus styleName(const ACHAR*& name) const {
        name = mStyleName.c_str();
        return Acad::eOk;
    }
    const ACHAR* styleName() const { return mStyleName.c_str(); }
    Acad::ErrorStatus setFont(const ACHAR* typeface, bool bold, bool italic, int charset,
                              int pitchAndFamily);
    Acad::ErrorStatus font(const ACHAR*& typeface, bool& bold, bool& italic, int& charset,
                           int& pitchAndFamily) const;
    const ACHAR* typeface() const { return mTypeface.c_str(); }
    void setVertical(bool v) { mVertical = v; }
    bool isVertical() const { return mVertical; }
    void setUpsideDown(bool v) { mUpsideDown = v; }
    bool isUpsideDown() const { return mUpsideDown; }
    void setBackward(bool v) { mBackward = v; }
    bool isBackward() const { return mBackward; }
    void setUnderlined(bool v) { mUnderlined = v; }
    bool isUnderlined() const { return mUnderlined; }
    void setOverlined(bool v) { mOverlined = v; }
    bool isOverlined() const { return mOverlined; }
    AcDbDatabase* database() const { return mDatabase; }

  private:
    AcDbDatabase* mDatabase = nullptr;
    std::wstring mStyleName;
    std::wstring mFileName;
    std::wstring mBigFontFileName;
    std::wstring mTypeface;
    bool mBold = false;
    bool mItalic = false;
    int mCharset = 0;
    int mPitchAndFamily = 0;
    double mTextSize = 0.0;
    double mXScale = 1.0;
    double mObliquingAngle = 0.0;
    double mTrackingPercent = 1.0;
    bool mVertical = false;
    bool mUpsideDown = false;
    bool mBackward = false;
    bool mUnderlined = false;
    bool mOverlined = false;
};

// Properties applied to the geometry drawn after they are set.
class AcGiSubEntityTraits {
  public:
    virtual ~AcGiSubEntityTraits() = default;
    // Colour index: 0 by block, 1..255 the palette, 256 by layer.
    virtual void setColor(Adesk::UInt16 color) = 0;
    virtual Adesk::UInt16 color() const = 0;
    virtual void setLayer(AcDbObjectId layerId) = 0;
    virtual AcDbObjectId layerId() const = 0;
};

// Primitive geometry in world coordinates.
class AcGiGeometry {
  public:
    virtual ~AcGiGeometry() = default;
    virtual Adesk::Boolean circle(const AcGePoint3d& center, double radius,
                                  const AcGeVector3d& normal) const = 0;
    // Arc from startVector (from the centre) turning sweepAngle radians counter-clockwise about
    // normal.
    virtual Adesk::Boolean circularArc(const AcGePoint3d& center, double radius,
                                       const AcGeVector3d& normal, const AcGeVector3d& startVector,
                                       double sweepAngle,
                                       AcGiArcType arcType = kAcGiArcSimple) const = 0;
    virtual Adesk::Boolean polyline(Adesk::UInt32 nbPoints, const AcGePoint3d* vertexList,
                                    const AcGeVector3d* normal = nullptr,
                                    Adesk::LongPtr baseSubEntMarker = -1) const = 0;
    virtual Adesk::Boolean polygon(Adesk::UInt32 nbPoints, const AcGePoint3d* vertexList) const = 0;
    // Text with explicit height, width factor and obliquing angle.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                const AcGeVector3d& direction, double height, double width,
                                double oblique, const ACHAR* message) const = 0;
    // Text with a style; length -1 means up to the terminating zero; raw draws control codes as
    // typed.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                const AcGeVector3d& direction, const ACHAR* message,
                                Adesk::Int32 length, Adesk::Boolean raw,
                                const AcGiTextStyle& textStyle) const = 0;
    Adesk::Boolean worldLine(const AcGePoint3d points[2]) const { return polyline(2, points); }
};

class AcGiWorldGeometry : public AcGiGeometry {};

// What an entity's worldDraw receives.
class AcGiCommonDraw {
  public:
    virtual ~AcGiCommonDraw() = default;
    virtual AcGiRegenType regenType() const { return kAcGiStandardDisplay; }
    virtual Adesk::Boolean regenAbort() const { return false; }
    virtual Adesk::Boolean isDragging() const { return false; }
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual AcGiGeometry* rawGeometry() const = 0;
    virtual double deviation() const { return 0.0; }
};

class AcGiWorldDraw : public AcGiCommonDraw {
  public:
    virtual AcGiWorldGeometry& geometry() const = 0;
    AcGiGeometry* rawGeometry() const override { return &geometry(); }
};

class AcGiViewportDraw : public AcGiCommonDraw {};
