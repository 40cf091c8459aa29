// Single-line texts and text styles.
#pragma once

#include "acgi.h"
#include "dbmain.h"

class ArxText {
  public:
    // Creates a single-line text on the current layer of the working drawing
    // and closes it. mode picks the justification (docs/suite-helpers.md):
    // 0 left on the baseline, 1 centre on the baseline, 2 middle centre, ...;
    // position is the justification point. colorIndex 256 is "by layer"; a null
    // style keeps the drawing's current style. Non-zero on success.
    static int Arx_CreateText(const AcGePoint3d& position, const ACHAR* text, double height,
                              double rotation, int mode, int colorIndex, AcDbObjectId styleId,
                              AcDbObjectId& textId);
    // Fills a drawing text style from a text style record: name, font, fixed
    // size, width factor, obliquing. Non-zero on success.
    static int Arx_getTextStyleFromId(AcGiTextStyle& style, AcDbObjectId styleId);
};
