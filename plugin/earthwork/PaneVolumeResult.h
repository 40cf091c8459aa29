// The result of one pane and one pair of surfaces: for the fill side and the
// cut side, the volume, the plan area, the formula in symbols and the same
// formula with the values written in (the process text).
#pragma once

#include <string>

struct PaneSideResult {
    double volume = 0.0;  // m³
    double area = 0.0;    // plan area, m²
    std::wstring formula;
    std::wstring process;
};

struct PaneVolumeResult {
    PaneSideResult fill;  // where the first surface lies below the second (h < 0)
    PaneSideResult cut;   // where the first surface lies above the second (h > 0)
};

// Which side of a pane a volume belongs to.
enum class PaneSide { Fill, Cut };

inline PaneSideResult& SideOf(PaneVolumeResult& result, PaneSide side) {
    return side == PaneSide::Fill ? result.fill : result.cut;
}

inline PaneSide OtherSide(PaneSide side) {
    return side == PaneSide::Fill ? PaneSide::Cut : PaneSide::Fill;
}
