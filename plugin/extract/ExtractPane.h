// One pane of an extracted layer drawing: a copy of the source pane whose
// natural elevations are the upper layer of the pair and whose design
// elevations are the lower one, with its own earthwork and annotations.
#pragma once

#include <string>

#include "AnnotatedCorners.h"
#include "ExtractionTarget.h"
#include "SettingsReader.h"
#include "dbmain.h"

// Makes the new pane on paneLayer (colour by layer) with the source's row,
// column and number and the new site number; stores layer k of each corner
// as its natural and layer k + 1 as its design elevation (a corner lacking
// layer k + 1 gives neither), dimensions each corner not yet in
// annotatedCorners, computes the pane's earthwork and, when that succeeds,
// writes its volume texts. The new pane's id, null when it could not be made.
AcDbObjectId ExtractPane(const std::wstring& paneLayer, AcDbObjectId sourcePane,
                         const ExtractionTarget& target, AnnotatedCorners& annotatedCorners,
                         const SettingsReader& settings);
