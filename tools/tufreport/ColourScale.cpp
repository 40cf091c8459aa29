#include "ColourScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Offsets on the scale (0 = −limit, 1 = +limit) and their colours: a
// red-blue diverging ramp whose ends stay apart for red-green colour-blind
// readers and whose middle is light, so small volumes look small.
const std::pair<double, std::uint32_t> kStops[] = {
    {0.0, 0x2166AC}, {0.25, 0x92C5DE}, {0.5, 0xF7F7F7}, {0.75, 0xF4A582}, {1.0, 0xB2182B},
};

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t rgb = 0;
    for (int shift : {16, 8, 0}) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        rgb |= static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return rgb;
}

}  // namespace

std::uint32_t DivergingColour(double value, double limit) {
    const double offset = limit > 0.0 ? std::clamp(0.5 + 0.5 * value / limit, 0.0, 1.0) : 0.5;
    for (size_t i = 1; i < std::size(kStops); ++i) {
        const auto& [from, fromColour] = kStops[i - 1];
        const auto& [to, toColour] = kStops[i];
        if (offset <= to) return Mix(fromColour, toColour, (offset - from) / (to - from));
    }
    return kStops[std::size(kStops) - 1].second;
}

std::vector<std::pair<double, std::uint32_t>> ScaleStops() {
    return {std::begin(kStops), std::end(kStops)};
}

double NiceLimit(double magnitude) {
    if (!(magnitude > 0.0) || !std::isfinite(magnitude)) return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(magnitude)));
    for (double step : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (step * power >= magnitude) return step * power;
    return 10.0 * power;
}

std::string HexColour(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", rgb & 0xFFFFFFu);
    return buffer;
}
