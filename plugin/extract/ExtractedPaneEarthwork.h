// The single-layer earthwork of a pane of an extracted drawing, from its
// natural ("点自然标高") and design ("点设计标高") elevations: the same
// calculation as the multi-layer earthwork, with natural as the first and
// design as the second surface (h = natural − design, h > 0 cut).
#pragma once

#include "SettingsReader.h"
#include "dbmain.h"

// Why a pane's earthwork could not be computed.
enum class PaneEarthworkFailure { Vertices, Natural, Design, NaturalCount, DesignCount };

// The message of a failure for a pane with a number, or (with an empty
// number) for the pane at the row and column.
std::wstring PaneEarthworkMessage(PaneEarthworkFailure failure, const std::wstring& paneNumber,
                                  int row, int column);

// Computes and stores the pane's areas, formula texts and volumes. A failure
// is printed (by pane number, else by row and column, else not at all) and
// nothing is stored; a pane of fewer than three corners stores nothing
// either. True when the result was stored.
bool CalcExtractedPaneEarthwork(AcDbObjectId pane, const SettingsReader& settings);
