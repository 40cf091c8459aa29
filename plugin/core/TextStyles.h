// The annotation text style of the plug-in in the working drawing: every text
// the plug-in draws or places uses the style "土方标注" with the font
// "仿宋_GB2312".
#pragma once

#include "dbmain.h"

inline constexpr const ACHAR* kAnnotationStyleName = L"土方标注";

// Creates the style when the drawing lacks it (width factor 1, no fixed
// height); an existing record is left as it is. True with the record's id;
// false with a null id when the style table cannot be opened.
bool MakeTextStyle(const ACHAR* styleName, AcDbObjectId& styleId);

// As MakeTextStyle, but a new record gets width factor 0.7 and the fixed
// height, and an existing record gets its fixed height set to height (nothing
// else changes), so the record carries the height of its last caller. False
// also when the height cannot be taken (negative or not finite).
bool MakeNarrowTextStyle(const ACHAR* styleName, double height, AcDbObjectId& styleId);
