// The settings that decide how site and pane numbers are stored, and the
// layer of the elevation points.
#pragma once

#include <string>

#include "adesk.h"

// The printf format of numbers stored under a precision setting: "%0.nf"
// with n the setting's value, 2 when it cannot be read, 0 when it is not a
// number. Read anew on every call.
std::wstring GetPrecisionFormat(const ACHAR* settingName);

// The number of decimals behind that format.
int GetPrecisionDecimals(const ACHAR* settingName);

// The value formatted with the setting's precision format.
std::wstring FormatWithPrecision(const ACHAR* settingName, double value);

// The layer that holds the elevation points ("多层标高" when the setting is
// empty; that default is then written back).
std::wstring GetElevationPointLayer();
