#include "ArxText.h"

#include <iterator>
#include <memory>

#include "ArxEntity.h"
#include "ScopedOpen.h"
#include "dbents.h"
#include "dbsymtb.h"

namespace {

struct Justification {
    AcDb::TextHorzMode horizontal;
    AcDb::TextVertMode vertical;
};

// Text modes of Arx_CreateText, by number.
constexpr Justification kJustifications[] = {
    {AcDb::kTextLeft, AcDb::kTextBase},       // 0 left, baseline
    {AcDb::kTextCenter, AcDb::kTextBase},     // 1 centre, baseline
    {AcDb::kTextCenter, AcDb::kTextVertMid},  // 2 middle centre
    {AcDb::kTextRight, AcDb::kTextBase},      // 3 right, baseline
    {AcDb::kTextLeft, AcDb::kTextTop},        // 4 top left
    {AcDb::kTextCenter, AcDb::kTextTop},      // 5 top centre
    {AcDb::kTextRight, AcDb::kTextTop},       // 6 top right
    {AcDb::kTextLeft, AcDb::kTextVertMid},    // 7 middle left
    {AcDb::kTextRight, AcDb::kTextVertMid},   // 8 middle right
    {AcDb::kTextLeft, AcDb::kTextBottom},     // 9 bottom left
    {AcDb::kTextCenter, AcDb::kTextBottom},   // 10 bottom centre
    {AcDb::kTextRight, AcDb::kTextBottom},    // 11 bottom right
};

Justification JustificationOf(int mode) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kJustifications))) return kJustifications[0];
    return kJustifications[mode];
}

Acad::ErrorStatus Shape(AcDbText& text, const AcGePoint3d& position, double height, double rotation,
                        int mode, int colorIndex, AcDbObjectId styleId) {
    const Justification j = JustificationOf(mode);
    text.setDatabaseDefaults();
    Acad::ErrorStatus es = text.setHeight(height);
    if (es == Acad::eOk) es = text.setRotation(rotation);
    if (es == Acad::eOk && !styleId.isNull()) es = text.setTextStyle(styleId);
    if (es == Acad::eOk && colorIndex >= 0 && colorIndex <= 256)
        es = text.setColorIndex(static_cast<Adesk::UInt16>(colorIndex));
    if (es != Acad::eOk) return es;
    text.setPosition(position);
    text.setHorizontalMode(j.horizontal);
    text.setVerticalMode(j.vertical);
    if (j.horizontal != AcDb::kTextLeft || j.vertical != AcDb::kTextBase)
        text.setAlignmentPoint(position);
    return Acad::eOk;
}

}  // namespace

int ArxText::Arx_CreateText(const AcGePoint3d& position, const ACHAR* text, double height,
                            double rotation, int mode, int colorIndex, AcDbObjectId styleId,
                            AcDbObjectId& textId) {
    textId.setNull();
    auto entity = std::make_unique<AcDbText>();
    if (entity->setTextString(text != nullptr ? text : L"") != Acad::eOk ||
        Shape(*entity, position, height, rotation, mode, colorIndex, styleId) != Acad::eOk)
        return 0;
    if (ArxEntity::Arx_addToModelSpace(entity.get(), textId) != Acad::eOk) return 0;
    entity->adjustAlignment(WorkingDatabase());
    entity.release()->close();
    return 1;
}

int ArxText::Arx_getTextStyleFromId(AcGiTextStyle& style, AcDbObjectId styleId) {
    ScopedOpen<AcDbTextStyleTableRecord> record(styleId, AcDb::kForRead);
    if (!record) return 0;
    const ACHAR* fileName = nullptr;
    const ACHAR* bigFont = nullptr;
    record->fileName(fileName);
    record->bigFontFileName(bigFont);
    ACHAR* typeface = nullptr;
    bool bold = false, italic = false;
    int charset = 0, pitch = 0;
    record->font(typeface, bold, italic, charset, pitch);
    style.setStyleName(record->nameText().c_str());
    style.setFileName(fileName);
    style.setBigFontFileName(bigFont);
    style.setFont(typeface != nullptr ? typeface : L"", bold, italic, charset, pitch);
    acutDelString(typeface);
    style.setTextSize(record->textSize());
    style.setXScale(record->xScale());
    style.setObliquingAngle(record->obliquingAngle());
    return 1;
}
