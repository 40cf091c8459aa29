#include "acgi.h"
#include "db_stub.h"
#include "dbsymtb.h"

AcGiTextStyle::AcGiTextStyle(const ACHAR* fontName, const ACHAR* bigFontName, double textSize,
                             double xScale, double obliqueAngle, double trackPercent,
                             bool isBackward, bool isUpsideDown, bool isVertical, bool isOverlined,
                             bool isUnderlined, const ACHAR* styleName)
    : mStyleName(styleName != nullptr ? styleName : L""),
      mFileName(fontName != nullptr ? fontName : L""),
      mBigFontFileName(bigFontName != nullptr ? bigFontName : L""),
      mTextSize(textSize),
      mXScale(xScale),
      mObliquingAngle(obliqueAngle),
      mTrackingPercent(trackPercent),
      mVertical(isVertical),
      mUpsideDown(isUpsideDown),
      mBackward(isBackward),
      mUnderlined(isUnderlined),
      mOverlined(isOverlined) {}

Acad::ErrorStatus AcGiTextStyle::setFont(const ACHAR* typeface, bool bold, bool italic, int charset,
                                         int pitchAndFamily) {
    mTypeface = typeface != nullptr ? typeface : L"";
    mBold = bold;
    mItalic = italic;
    mCharset = charset;
    mPitchAndFamily = pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcGiTextStyle::font(const ACHAR*& typeface, bool& bold, bool& italic,
                                      int& charset, int& pitchAndFamily) const {
    typeface = mTypeface.c_str();
    bold = mBold;
    italic = mItalic;
    charset = mCharset;
    pitchAndFamily = mPitchAndFamily;
    return Acad::eOk;
}

int AcGiTextStyle::loadStyleRec(AcDbDatabase* database) {
    AcDbDatabase* db = database != nullptr ? database : mDatabase;
    if (db == nullptr) db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr || !db->textStyleTableId().isValid()) return 0;
    const auto* table = AcDbTextStyleTable::cast(db->textStyleTableId().stub()->object.get());
    AcDbObjectId id;
    if (table == nullptr || table->getAt(mStyleName.c_str(), id) != Acad::eOk) return 0;
    const auto* record = AcDbTextStyleTableRecord::cast(id.stub()->object.get());
    if (record == nullptr) return 0;
    AcGiTextStyle* self = this;
    const ACHAR* file = nullptr;
    record->fileName(file);
    self->mFileName = file;
    record->bigFontFileName(file);
    self->mBigFontFileName = file;
    self->mTypeface = record->typefaceText();
    if (record->textSize() > 0.0) self->mTextSize = record->textSize();
    self->mXScale = record->xScale();
    self->mObliquingAngle = record->obliquingAngle();
    return 1;
}
