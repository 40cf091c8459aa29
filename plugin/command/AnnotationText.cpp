#include "AnnotationText.h"

#include "ArxHelpers.h"
#include "dbapserv.h"
#include "dbsymtb.h"

namespace {

constexpr int kMiddleCentre = 2;

void SetLayerColour(AcDbObjectId layer, int colour) {
    if (colour < 1 || colour > 255) return;
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, layer, AcDb::kForWrite) != Acad::eOk) return;
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(colour));
    record->setColor(c);
    record->close();
}

}  // namespace

AcDbObjectId CreateAnnotationText(const std::wstring& layer, int layerColour,
                                  const AnnotationText& text) {
    AcDbObjectId existing;
    const bool isNew = ArxLayer::Arx_FindLayerFromName(layer.c_str(), existing) == 0;
    const AcDbObjectId previous = ArxLayer::Arx_setLayer(layer.c_str());
    if (isNew) {
        AcDbObjectId made;
        if (ArxLayer::Arx_FindLayerFromName(layer.c_str(), made) != 0)
            SetLayerColour(made, layerColour);
    }
    AcDbObjectId id;
    ArxText::Arx_CreateText(text.position, text.text.c_str(), text.height, text.rotation,
                            kMiddleCentre, text.colour, text.style, id);
    if (!previous.isNull()) acdbHostApplicationServices()->workingDatabase()->setClayer(previous);
    return id;
}
