// One line of a survey file: point number, X, Y, then the layers, separated
// by "," or the full-width "，".
//
//   line   := field { sep field }
//   field  := any text without a separator, read with _wtof (empty reads 0)
//   sep    := "," | "，"   -- "," first; "，" only where no "," is left
//
// Format one lists the elevation of every layer; format two lists the
// elevation of layer 1 and then, for each layer below, its height difference
// to the layer above (a positive difference is the thickness of the layer
// above, so the layer below lies that much lower).
#pragma once

#include <string>
#include <vector>

struct SurveyLine {
    double x = 0.0;
    double y = 0.0;
    std::vector<double> elevations;  // layer 1 first
    // A line is taken when it gives at least one elevation.
    bool accepted() const { return !elevations.empty(); }
};

// Format 1 = absolute elevations; any other value = first elevation and differences.
SurveyLine ParseSurveyLine(const std::wstring& line, int format);

// The elevation of a layer from the one above it and the difference between them.
inline double LayerBelow(double above, double difference) { return above - difference; }
