// Pictures of a drawing's model space as SVG. Stand-in header (not part of
// the host SDK): the host program's picture command and tests use it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "acadstrc.h"
#include "giRenderRecord.h"

class AcDbDatabase;

// A text as it may stand in SVG (XML 1.0) character data or an attribute
// value, in UTF-8: markup characters escaped, control characters other than
// the tab dropped (XML has no place for them). Every SVG the project writes
// escapes its texts with it.
std::string acgiSvgEscaped(const std::wstring& text);

struct AcGiSvgOptions {
    // Size of the picture's longer side in pixels; drawing units are scaled to it.
    double pixels = 1200.0;
    // The host's dark model-space look: a dark background on which index 7
    // (and 0) draw white and the light indices such as 2 (yellow) read well.
    bool darkBackground = false;
};

// The 0xRRGGBB colour a primitive is drawn in.
using AcGiColorResolver = std::function<std::uint32_t(const AcGiPrimitive&)>;

// Resolves colours through the drawing: 256 takes the layer's colour, 0 (by
// block) and 7 draw in the foreground (black on the white picture, white on
// the dark one), others come from the palette.
AcGiColorResolver acgiDrawingColors(AcDbDatabase* database, bool darkBackground = false);

// SVG text (UTF-8) of recorded geometry: world y goes up, so the picture is
// flipped; texts keep their height, rotation, width factor and obliquing.
std::string acgiSvgFromPrimitives(const std::vector<AcGiPrimitive>& primitives,
                                  const AcGiColorResolver& colorOf,
                                  const AcGiSvgOptions& options = {});

// SVG text of a database's model space.
std::string acgiRenderSvg(AcDbDatabase* database, const AcGiSvgOptions& options = {});

// Writes the picture to a file (through a temporary file renamed over it);
// eFileAccessErr when it cannot be written.
Acad::ErrorStatus acgiWriteSvg(AcDbDatabase* database, const std::string& path,
                               const AcGiSvgOptions& options = {});
