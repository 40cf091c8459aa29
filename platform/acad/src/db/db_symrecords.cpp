// Records of the symbol tables: names, and the layer, text style and application data.
#include <cmath>
#include <cwchar>
#include <numbers>

#include "dbsymtb.h"
#include "rx_builtin.h"
#include "wcrt.h"

ACRX_BUILTIN_MEMBERS(AcDbSymbolTableRecord, AcDbObject, nullptr, L"")
ACRX_BUILTIN_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord,
                     ACRX_CONSTRUCTOR(AcDbBlockTableRecord), L"BLOCK_RECORD")
ACRX_BUILTIN_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord,
                     ACRX_CONSTRUCTOR(AcDbLayerTableRecord), L"LAYER")
ACRX_BUILTIN_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord,
                     ACRX_CONSTRUCTOR(AcDbTextStyleTableRecord), L"STYLE")
ACRX_BUILTIN_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord,
                     ACRX_CONSTRUCTOR(AcDbRegAppTableRecord), L"APPID")

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Characters a table record name may not contain.
constexpr const wchar_t* kForbiddenNameCharacters = L"<>/\\\":;?*|,=`";

bool isValidName(const ACHAR* name, bool allowLeadingStar) {
    if (name == nullptr || *name == 0) return false;
    const ACHAR* rest = (allowLeadingStar && *name == L'*') ? name + 1 : name;
    return std::wcspbrk(rest, kForbiddenNameCharacters) == nullptr;
}

}  // namespace

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
    acutNewString(mName.c_str(), name);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    name = mName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(std::wstring& name) const {
    name = mName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!isValidName(name, AcDbBlockTableRecord::cast(this) != nullptr)) return Acad::eInvalidInput;
    rename(name);
    return Acad::eOk;
}

namespace {
std::uint64_t gRenames = 0;
}  // namespace

std::uint64_t AcDbSymbolTableRecord::renameCount() { return gRenames; }

// A record gets its first name before it is indexed (the DXF reader places it
// in its table and then reads it), so only a change of a given name counts.
void AcDbSymbolTableRecord::rename(const std::wstring& name) {
    if (!mName.empty() && mName != name && !ownerId().isNull()) ++gRenames;
    mName = name;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mName.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    std::wstring name;
    es = filer->readString(name);
    rename(name);
    return es;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbSymbolTableRecord");
    writeUnknownDxfItems(filer, L"AcDbSymbolTableRecord");
    filer->writeString(100, dxfSubclassName());
    filer->writeString(2, mName.c_str());
    filer->writeInt16(70, dxfFlags());
    dxfOutRecordFields(filer);
    writeUnknownDxfItems(filer, dxfSubclassName());
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (filer->atSubclassData(L"AcDbSymbolTableRecord"))
        readDxfSubclass(filer, L"AcDbSymbolTableRecord", [](const resbuf&) { return false; });
    // Some writers leave out the markers; the record's own groups are read either way.
    filer->atSubclassData(dxfSubclassName());
    bool named = false;
    es = readDxfSubclass(filer, dxfSubclassName(), [&](const resbuf& item) {
        if (item.restype == 2) {
            named = isValidName(item.resval.rstring, AcDbBlockTableRecord::cast(this) != nullptr);
            if (named) rename(item.resval.rstring);
            return named;
        }
        if (item.restype == 70) {
            setDxfFlags(item.resval.rint);
            return true;
        }
        return dxfInRecordItem(item);
    });
    if (es != Acad::eOk) return es;
    if (!named)
        return filer->setError(Acad::eMissingDxfField,
                               L"table record without a valid name (group 2)");
    return Acad::eOk;
}

// Layers.

Acad::ErrorStatus AcDbLayerTableRecord::setColor(const AcCmColor& color) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (color.colorIndex() < 1 || color.colorIndex() > 255) return Acad::eInvalidInput;
    mColor = color;
    return Acad::eOk;
}

Adesk::Int16 AcDbLayerTableRecord::dxfFlags() const {
    return static_cast<Adesk::Int16>((mFrozen ? 1 : 0) | (mLocked ? 4 : 0));
}

void AcDbLayerTableRecord::setDxfFlags(Adesk::Int16 flags) {
    mFrozen = (flags & 1) != 0;
    mLocked = (flags & 4) != 0;
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const {
    const auto color = static_cast<Adesk::Int16>(mColor.colorIndex());
    filer->writeInt16(62, mOff ? static_cast<Adesk::Int16>(-color) : color);
    filer->writeString(6, mLinetype.c_str());
    return filer->filerStatus();
}

bool AcDbLayerTableRecord::dxfInRecordItem(const resbuf& item) {
    if (item.restype == 62) {
        const int value = item.resval.rint;
        mOff = value < 0;
        const int index = std::abs(value);
        mColor.setColorIndex(static_cast<Adesk::UInt16>(index >= 1 && index <= 255 ? index : 7));
        return true;
    }
    if (item.restype == 6 && item.resval.rstring != nullptr) {
        mLinetype = item.resval.rstring;
        return true;
    }
    return false;
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeUInt16(mColor.colorIndex());
    filer->writeBool(mOff);
    filer->writeBool(mFrozen);
    filer->writeBool(mLocked);
    filer->writeString(mLinetype.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::UInt16 color = 7;
    filer->readUInt16(&color);
    mColor.setColorIndex(color);
    filer->readBool(&mOff);
    filer->readBool(&mFrozen);
    filer->readBool(&mLocked);
    filer->readString(mLinetype);
    return filer->filerStatus();
}

// Text styles.

#define STYLE_SETTER(NAME, MEMBER)                                   \
    Acad::ErrorStatus AcDbTextStyleTableRecord::NAME(double value) { \
        if (!isWriteEnabled()) return Acad::eNotOpenForWrite;        \
        if (!std::isfinite(value)) return Acad::eInvalidInput;       \
        MEMBER = value;                                              \
        return Acad::eOk;                                            \
    }
STYLE_SETTER(setObliquingAngle, mObliquingAngle)
#undef STYLE_SETTER

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(size >= 0.0) || !std::isfinite(size)) return Acad::eInvalidInput;
    mTextSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(xScale > 0.0) || !std::isfinite(xScale)) return Acad::eInvalidInput;
    mXScale = xScale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!(size > 0.0) || !std::isfinite(size)) return Acad::eInvalidInput;
    mPriorSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
    name = mFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mFileName = name != nullptr ? name : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
    name = mBigFontFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    mBigFontFileName = name != nullptr ? name : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFont(const ACHAR* typeface, bool bold, bool italic,
                                                    int charset, int pitchAndFamily) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    // A font read from a file came as the record's "ACAD" data; drop it so that the
    // new font is what gets written.
    AcRbChain own(xData(L"ACAD"));
    if (own != nullptr) {
        AcRbChain removal(acutBuildList(1001, L"ACAD", 0));
        AcDbSymbolTableRecord::setXData(removal.get());
    }
    mTypeface = typeface != nullptr ? typeface : L"";
    mBold = bold;
    mItalic = italic;
    mCharset = charset;
    mPitchAndFamily = pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::font(ACHAR*& typeface, bool& bold, bool& italic,
                                                 int& charset, int& pitchAndFamily) const {
    acutNewString(mTypeface.c_str(), typeface);
    bold = mBold;
    italic = mItalic;
    charset = mCharset;
    pitchAndFamily = mPitchAndFamily;
    return Acad::eOk;
}

namespace {

// The host keeps a style's system font in the 1071 group of the "ACAD" extended data:
// pitch and family in the low byte, the character set in the next, then italic and
// bold flags.
constexpr Adesk::Int32 kItalicFlag = 0x01000000;
constexpr Adesk::Int32 kBoldFlag = 0x02000000;

}  // namespace

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const {
    filer->writeDouble(40, mTextSize);
    filer->writeDouble(41, mXScale);
    filer->writeDouble(50, mObliquingAngle * kDegreesPerRadian);
    filer->writeInt16(71, static_cast<Adesk::Int16>(mFlagBits));
    filer->writeDouble(42, mPriorSize);
    filer->writeString(3, mFileName.c_str());
    filer->writeString(4, mBigFontFileName.c_str());
    if (mTypeface.empty()) return filer->filerStatus();
    // The typeface goes with the record's own extended data; the writer writes the
    // object's extended data after this, so it is written here as that same group.
    const Adesk::Int32 flags = (mPitchAndFamily & 0xFF) | ((mCharset & 0xFF) << 8) |
                               (mItalic ? kItalicFlag : 0) | (mBold ? kBoldFlag : 0);
    AcRbChain own(xData(L"ACAD"));
    if (own != nullptr) return filer->filerStatus();
    filer->writeString(1001, L"ACAD");
    filer->writeString(1000, mTypeface.c_str());
    filer->writeInt32(1071, flags);
    return filer->filerStatus();
}

bool AcDbTextStyleTableRecord::dxfInRecordItem(const resbuf& item) {
    switch (item.restype) {
        case 40:
            mTextSize = item.resval.rreal;
            return true;
        case 41:
            mXScale = item.resval.rreal;
            return true;
        case 50:
            mObliquingAngle = item.resval.rreal / kDegreesPerRadian;
            return true;
        case 71:
            mFlagBits = static_cast<Adesk::UInt8>(item.resval.rint);
            return true;
        case 42:
            mPriorSize = item.resval.rreal;
            return true;
        case 3:
            mFileName = item.resval.rstring != nullptr ? item.resval.rstring : L"";
            return true;
        case 4:
            mBigFontFileName = item.resval.rstring != nullptr ? item.resval.rstring : L"";
            return true;
        default:
            return false;
    }
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXData(const resbuf* xdata) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::setXData(xdata);
    if (es != Acad::eOk) return es;
    AcRbChain acad(xData(L"ACAD"));
    const resbuf* rb = acad != nullptr ? acad->rbnext : nullptr;
    if (rb == nullptr || rb->restype != 1000 || rb->resval.rstring == nullptr) return Acad::eOk;
    mTypeface = rb->resval.rstring;
    if (rb->rbnext != nullptr && rb->rbnext->restype == 1071) {
        const Adesk::Int32 flags = rb->rbnext->resval.rlong;
        mPitchAndFamily = flags & 0xFF;
        mCharset = (flags >> 8) & 0xFF;
        mItalic = (flags & kItalicFlag) != 0;
        mBold = (flags & kBoldFlag) != 0;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    for (double v : {mTextSize, mXScale, mObliquingAngle, mPriorSize}) filer->writeDouble(v);
    for (const std::wstring* s : {&mFileName, &mBigFontFileName, &mTypeface})
        filer->writeString(s->c_str());
    filer->writeBool(mBold);
    filer->writeBool(mItalic);
    filer->writeInt32(mCharset);
    filer->writeInt32(mPitchAndFamily);
    filer->writeUInt8(mFlagBits);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    for (double* v : {&mTextSize, &mXScale, &mObliquingAngle, &mPriorSize}) filer->readDouble(v);
    for (std::wstring* s : {&mFileName, &mBigFontFileName, &mTypeface}) filer->readString(*s);
    filer->readBool(&mBold);
    filer->readBool(&mItalic);
    Adesk::Int32 charset = 0, pitch = 0;
    filer->readInt32(&charset);
    filer->readInt32(&pitch);
    mCharset = charset;
    mPitchAndFamily = pitch;
    filer->readUInt8(&mFlagBits);
    return filer->filerStatus();
}
