#include <cmath>

#include "db_dxf_fields.h"
#include "db_stub.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "rx_builtin.h"

ACRX_BUILTIN_MEMBERS(AcDbText, AcDbEntity, ACRX_CONSTRUCTOR(AcDbText), L"TEXT")

// Groups of the first "AcDbText" section that map straight onto members. Text, style,
// modes and flags are handled by the code around the table.
struct AcDbText::Fields {
    using F = DxfField<AcDbText>;
    static const DxfFieldTable<AcDbText>& table() {
        static const DxfFieldTable<AcDbText> rows = {
            {39, &AcDbText::mThickness, F::kOptional},
            {10, &AcDbText::mPosition},
            {40, &AcDbText::mHeight},
            {1, &AcDbText::mText},
            {50, &AcDbText::mRotation, F::kOptionalAngle},
            {41, &AcDbText::mWidthFactor},
            {51, &AcDbText::mOblique, F::kOptionalAngle},
        };
        return rows;
    }
    // Written after the style and modes.
    static const DxfFieldTable<AcDbText>& tail() {
        static const DxfFieldTable<AcDbText> rows = {
            {11, &AcDbText::mAlignment},
            {210, &AcDbText::mNormal, F::kOptional},
        };
        return rows;
    }
};

namespace {

// Share of the height a character takes across: wide (CJK and full-width) characters
// fill the em square, others about 0.6 of it in the host's usual fonts.
double characterWidth(wchar_t c) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6);
    return wide ? 1.0 : 0.6;
}

const AcDbTextStyleTableRecord* peekStyle(AcDbObjectId id) {
    return id.isValid() ? AcDbTextStyleTableRecord::cast(id.stub()->object.get()) : nullptr;
}

AcDbObjectId styleByName(AcDbDatabase* db, const ACHAR* name) {
    AcDbObjectId id;
    if (db == nullptr || !db->textStyleTableId().isValid() || name == nullptr) return id;
    const auto* table = AcDbTextStyleTable::cast(db->textStyleTableId().stub()->object.get());
    if (table != nullptr) table->getAt(name, id);
    return id;
}

}  // namespace

AcDbText::AcDbText() {
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase())
        mStyle = db->textstyle();
}

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style,
                   double height, double rotation)
    : AcDbText() {
    mPosition = position;
    mText = text != nullptr ? text : L"";
    if (!style.isNull()) mStyle = style;
    if (height > 0.0) mHeight = height;
    mRotation = rotation;
}

#define TEXT_SETTER(NAME, TYPE, MEMBER)                       \
    Acad::ErrorStatus AcDbText::NAME(TYPE value) {            \
        if (!isWriteEnabled()) return Acad::eNotOpenForWrite; \
        MEMBER = value;                                       \
        return Acad::eOk;                                     \
    }
TEXT_SETTER(setPosition, const AcGePoint3d&, mPosition)
TEXT_SETTER(setAlignmentPoint, const AcGePoint3d&, mAlignment)
TEXT_SETTER(setRotation, double, mRotation)
TEXT_SETTER(setOblique, double, mOblique)
TEXT_SETTER(setThickness, double, mThickness)
TEXT_SETTER(setHorizontalMode, AcDb::TextHorzMode, mHorzMode)
TEXT_SETTER(setVerticalMode, AcDb::TextVertMode, mVertMode)
TEXT_SETTER(setGenerationFlags, Adesk::Int16, mGeneration)
#undef TEXT_SETTER

Acad::ErrorStatus AcDbText::setHeight(double h) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(h > 0.0) || !std::isfinite(h)) return Acad::eInvalidInput;
    mHeight = h;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double factor) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(factor > 0.0) || !std::isfinite(factor)) return Acad::eInvalidInput;
    mWidthFactor = factor;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (n.isZeroLength()) return Acad::eInvalidInput;
    mNormal = n.normal();
    return Acad::eOk;
}

ACHAR* AcDbText::textString() const {
    ACHAR* copy = nullptr;
    acutNewString(mText.c_str(), copy);
    return copy;
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (text == nullptr) return Acad::eInvalidInput;
    mText = text;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId styleId) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (peekStyle(styleId) == nullptr) return Acad::eInvalidInput;
    mStyle = styleId;
    return Acad::eOk;
}

bool AcDbText::isDefaultAlignment() const {
    return mHorzMode == AcDb::kTextLeft && mVertMode == AcDb::kTextBase;
}

double AcDbText::estimatedWidth() const {
    double em = 0.0;
    for (wchar_t c : mText) em += characterWidth(c);
    return em * mHeight * mWidthFactor;
}

// The baseline start that puts the alignment point where the modes say: centre, right
// or middle of the estimated width; middle or top of the height; a bottom a fifth of the
// height below the baseline. Aligned and fit texts run from position to the alignment
// point and keep their position.
Acad::ErrorStatus AcDbText::adjustAlignment(const AcDbDatabase*) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (isDefaultAlignment() || mHorzMode == AcDb::kTextAlign || mHorzMode == AcDb::kTextFit)
        return Acad::eOk;
    const double width = estimatedWidth();
    double along = 0.0, up = 0.0;
    if (mHorzMode == AcDb::kTextCenter) along = width / 2.0;
    if (mHorzMode == AcDb::kTextRight) along = width;
    if (mHorzMode == AcDb::kTextMid) along = width / 2.0, up = mHeight / 2.0;
    if (mVertMode == AcDb::kTextVertMid) up = mHeight / 2.0;
    if (mVertMode == AcDb::kTextTop) up = mHeight;
    if (mVertMode == AcDb::kTextBottom) up = -mHeight / 5.0;
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    AcGeVector3d dir =
        AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0).transformBy(toWorld);
    const AcGeVector3d upDir = mNormal.crossProduct(dir);
    mPosition = mAlignment - dir * along - upDir * up;
    return Acad::eOk;
}

Adesk::Boolean AcDbText::subWorldDraw(AcGiWorldDraw* mode) {
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    const AcGeVector3d dir =
        AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0).transformBy(toWorld);
    AcGiTextStyle style;
    if (const AcDbTextStyleTableRecord* record = peekStyle(mStyle)) {
        style.setStyleName(record->nameText().c_str());
        const ACHAR* file = nullptr;
        record->fileName(file);
        style.setFileName(file);
        style.setFont(record->typefaceText().c_str(), false, false, 0, 0);
    }
    style.setTextSize(mHeight);
    style.setXScale(mWidthFactor);
    style.setObliquingAngle(mOblique);
    mode->geometry().text(mPosition, mNormal, dir, mText.c_str(), -1, false, style);
    return true;
}

void AcDbText::subList() const {
    AcDbEntity::subList();
    const AcDbTextStyleTableRecord* record = peekStyle(mStyle);
    acutPrintf(L"\n%18s  Style = \"%s\"", L"",
               record != nullptr ? record->nameText().c_str() : L"");
    acutPrintf(L"\n%18s  start point, X=%10.4f  Y=%10.4f  Z=%10.4f", L"", mPosition.x, mPosition.y,
               mPosition.z);
    acutPrintf(L"\n%18s  height %10.4f", L"", mHeight);
    acutPrintf(L"\n%18s  text %s", L"", mText.c_str());
    acutPrintf(L"\n%18s  rotation angle %G", L"", mRotation * dxffields::kDegreesPerRadian);
    acutPrintf(L"\n%18s  width scale factor %10.4f", L"", mWidthFactor);
}

// Positions move, the baseline direction turns, the height scales; a mirror keeps the
// text readable (the baseline direction is taken from the transformed direction).
Acad::ErrorStatus AcDbText::subTransformBy(const AcGeMatrix3d& xform) {
    if (!xform.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    AcGeVector3d dir =
        AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0).transformBy(toWorld);
    dir.transformBy(xform);
    mPosition.transformBy(xform);
    mAlignment.transformBy(xform);
    mNormal.transformBy(xform).normalize();
    mHeight *= xform.scale();
    mRotation = dir.angleOnPlane(AcGePlane(AcGePoint3d::kOrigin, mNormal));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGeomExtents(AcDbExtents& extents) const {
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(mNormal);
    const AcGeVector3d dir =
        AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0).transformBy(toWorld);
    const AcGeVector3d up = mNormal.crossProduct(dir) * mHeight;
    const AcGeVector3d across = dir * estimatedWidth();
    extents = AcDbExtents();
    for (const AcGePoint3d& p :
         {mPosition, mPosition + across, mPosition + up, mPosition + across + up})
        extents.addPoint(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&,
                                             AcDbIntArray&) const {
    gripPoints.append(mPosition);
    if (!isDefaultAlignment()) gripPoints.append(mAlignment);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subMoveGripPointsAt(const AcDbIntArray& indices,
                                                const AcGeVector3d& offset) {
    for (int index : indices) {
        if (index == 0) mPosition += offset;
        if (index == 0 || index == 1) mAlignment += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    dxffields::dwgOut(filer, *this, Fields::table());
    dxffields::dwgOut(filer, *this, Fields::tail());
    filer->writeHardPointerId(mStyle);
    filer->writeInt16(static_cast<Adesk::Int16>(mHorzMode));
    filer->writeInt16(static_cast<Adesk::Int16>(mVertMode));
    filer->writeInt16(mGeneration);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    dxffields::dwgIn(filer, *this, Fields::table());
    dxffields::dwgIn(filer, *this, Fields::tail());
    AcDbHardPointerId style;
    Adesk::Int16 horz = 0, vert = 0;
    filer->readHardPointerId(&style);
    filer->readInt16(&horz);
    filer->readInt16(&vert);
    filer->readInt16(&mGeneration);
    mStyle = style;
    mHorzMode = static_cast<AcDb::TextHorzMode>(horz >= 0 && horz <= 5 ? horz : 0);
    mVertMode = static_cast<AcDb::TextVertMode>(vert >= 0 && vert <= 3 ? vert : 0);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbText");
    dxffields::write(filer, *this, Fields::table());
    const AcDbTextStyleTableRecord* record = peekStyle(mStyle);
    filer->writeString(7, record != nullptr ? record->nameText().c_str() : L"Standard");
    if (mGeneration != 0) filer->writeInt16(71, mGeneration);
    if (mHorzMode != AcDb::kTextLeft) filer->writeInt16(72, static_cast<Adesk::Int16>(mHorzMode));
    if (!isDefaultAlignment()) dxffields::write(filer, *this, {Fields::tail()[0]});
    dxffields::write(filer, *this, {Fields::tail()[1]});
    writeUnknownDxfItems(filer, L"AcDbText");
    // The vertical mode has a subclass section of its own.
    filer->writeString(100, L"AcDbText");
    if (mVertMode != AcDb::kTextBase) filer->writeInt16(73, static_cast<Adesk::Int16>(mVertMode));
    return filer->filerStatus();
}

// Reads both "AcDbText" sections: one group handler, run until neither marker follows.
Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbText"))
        return filer->setError(Acad::eBadDxfSequence, L"text without its subclass marker");
    AcDbDatabase* db = filer->database() != nullptr ? filer->database() : database();
    // A text without a style group has the "Standard" style, found by name as
    // a written one is: the file's own spelling of it, not whatever style the
    // working drawing had when the text was made.
    mStyle = styleByName(db, L"Standard");
    bool alignmentRead = false;
    auto handle = [&](const resbuf& item) {
        switch (item.restype) {
            case 7: {
                // A style the drawing does not define falls back to the current one.
                AcDbObjectId style = styleByName(db, item.resval.rstring);
                if (style.isNull() && db != nullptr) style = db->textstyle();
                mStyle = style;
                return true;
            }
            case 71:
                mGeneration = item.resval.rint;
                return true;
            case 72:
                mHorzMode = static_cast<AcDb::TextHorzMode>(
                    item.resval.rint >= 0 && item.resval.rint <= 5 ? item.resval.rint : 0);
                return true;
            case 73:
                mVertMode = static_cast<AcDb::TextVertMode>(
                    item.resval.rint >= 0 && item.resval.rint <= 3 ? item.resval.rint : 0);
                return true;
            case 11:
                alignmentRead = true;
                return dxffields::read(*this, Fields::tail(), item);
            default:
                return dxffields::read(*this, Fields::table(), item) ||
                       dxffields::read(*this, Fields::tail(), item);
        }
    };
    es = readDxfSubclass(filer, L"AcDbText", handle);
    if (es == Acad::eOk && filer->atSubclassData(L"AcDbText"))
        es = readDxfSubclass(filer, L"AcDbText", handle);
    if (es != Acad::eOk) return es;
    if (!alignmentRead) mAlignment = mPosition;
    if (!(mHeight > 0.0))
        return filer->setError(Acad::eInvalidInput, L"text height %G is not positive", mHeight);
    if (!(mWidthFactor > 0.0)) mWidthFactor = 1.0;
    if (mNormal.isZeroLength()) mNormal = AcGeVector3d::kZAxis;
    mNormal.normalize();
    return Acad::eOk;
}
