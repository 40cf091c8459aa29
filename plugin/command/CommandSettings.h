// Settings the calculation commands read under the product's registry key,
// with the defaults they fall back to.
#pragma once

#include <string>

#include "adesk.h"

// The stored text; when it is empty (or missing) the default is returned and,
// with writeBack, stored so that the user finds it in the settings.
std::wstring ReadSetting(const ACHAR* name, const ACHAR* fallback, bool writeBack);

// A colour index setting (text as stored, "_wtoi"); an empty value gives the
// default, which is written back.
int ReadColourSetting(const ACHAR* name, const ACHAR* fallback);
