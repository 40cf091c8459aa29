// Annotation texts on a layer of their own: the layer is made current for the
// text and the previous current layer is restored afterwards.
#pragma once

#include <string>

#include "dbmain.h"

struct AnnotationText {
    AcGePoint3d position;  // middle centre of the text
    std::wstring text;
    double height = 2.5;
    double rotation = 0.0;  // radians
    int colour = 256;       // 256: by layer
    AcDbObjectId style;
};

// Creates the text on the layer (created when missing). A layer that did not
// exist before gets layerColour as its colour when layerColour is 1 ... 255.
// The text's id, null when it could not be created.
AcDbObjectId CreateAnnotationText(const std::wstring& layer, int layerColour,
                                  const AnnotationText& text);
