// What every step of one extraction shares: the new site's number, where the
// copy goes, the layer pair and the annotation sizes.
#pragma once

#include <string>

#include "acge.h"

struct ExtractionTarget {
    std::wstring siteNumber;  // the new site's number, e.g. "1-2"
    AcGeVector3d offset;      // from the source outline's start point to the insertion point, z = 0
    int pair = 0;        // k: the layer pair counted from 0 (layers k and k + 1 of a corner's list)
    double angle = 0.0;  // the source grid's angle, radians
    double height = 2.5;  // annotation text height
};

// "<source number>-<k + 1>".
std::wstring NewSiteNumber(const std::wstring& sourceNumber, int pair);
