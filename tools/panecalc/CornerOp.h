// The "corner" request of panecalc: the layer elevations at one pane corner
// from a list of multi-layer elevation points, with the chosen neighbours.
//
//   {"op":"corner","points":[[x,y,z,[e1,e2,...]],...],"corner":[x,y]}
//   -> {"ok":B,"values":[...],"neighbours":[i,...]}
//
// `neighbours` are indices into `points` in selection order; `ok` is false
// (and both lists empty) when no value could be formed.
#pragma once

#include <nlohmann/json.hpp>

// The reply to a parsed "corner" request, members in the order shown above. Never throws: a
// malformed request gets {"error":TEXT}.
nlohmann::ordered_json AnswerCornerRequest(const nlohmann::json& request);
