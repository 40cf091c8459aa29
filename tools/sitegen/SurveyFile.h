// The survey points as a surveyor hands them over: a text file of format one
// (number, X, Y, then the elevation of each layer, separated by commas), GBK
// encoded, lines ending in CR LF, under a title line the import skips.
#pragma once

#include <string>
#include <vector>

#include "SurveyLog.h"

// The number with the given decimals when that text reads back as the same
// double, otherwise with as many digits as it takes, so that no value is
// ever handed over rounded.
std::string SurveyNumber(double value, int decimals);

// The whole file in GBK: the title, then one line per point in the order
// given, numbered from 1; coordinates with three decimals, elevations with two.
// Empty when the system cannot encode GBK.
std::string SurveyFileText(const std::vector<SurveyPoint>& points);
