// The host's 256-colour index palette, for pictures of a drawing.
// Stand-in header (not part of the host SDK).
#pragma once

#include <cstdint>

// 0xRRGGBB of a colour index 0..255. Index 0 (by block) and 256 (by layer)
// have no colour of their own: callers resolve them first; anything outside
// 0..255 gives the colour of index 7.
std::uint32_t acgiPaletteRgb(int colorIndex);
