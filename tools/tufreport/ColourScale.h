// The map's diverging colour scale, symmetric around zero: fill (negative)
// in blues, no earthwork in near-white, cut (positive) in reds.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// 0xRRGGBB of the value on the scale from −limit to +limit; values beyond
// either end take the end's colour.
std::uint32_t DivergingColour(double value, double limit);

// The scale's anchor colours from −limit (offset 0) to +limit (offset 1),
// for a gradient that matches DivergingColour.
std::vector<std::pair<double, std::uint32_t>> ScaleStops();

// The smallest of 1, 2, 2.5 and 5 times a power of ten that is not below
// the magnitude; 1 for 0 and for what is not a finite positive number.
double NiceLimit(double magnitude);

// "#RRGGBB".
std::string HexColour(std::uint32_t rgb);
