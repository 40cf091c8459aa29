// The volume table as JSON for programs: the same content as the CSV,
// nested by site. Stored numbers are JSON numbers (null when missing or
// malformed); keys are English.
//
// { "precision": {"paneeleprec": n, "tfcollectprec": n},
//   "sites": [ { "number", "layerPairs",
//                "stored": {"fill", "cut"},                  site totals as stored
//                "computed": {"fill", "cut", "area", "fillArea", "cutArea",
//                             "pairs": [{"pair", "fill", "cut"}],
//                             "panesCounted", "panesLeftOut"},
//                "warnings": [text],
//                "panes": [ { "number", "row", "column", "corners", "area",
//                             "fill", "cut", "pairs": [{"pair", "fill", "cut"}],
//                             "singleLayer", "fillArea", "cutArea",
//                             "fillFormula", "cutFormula", "problems": [text] } ] } ] }
#pragma once

#include <string>

#include "ReportModel.h"

std::string JsonFromReport(const VolumeReport& report);
