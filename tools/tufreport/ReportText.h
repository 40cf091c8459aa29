// The report's numbers and rows as texts: shared by the table and the
// program-readable forms.
#pragma once

#include <string>

#include "ReportModel.h"

// A usable stored value as stored when it is a plain decimal ("12.50",
// "-3"), else its value in the shortest text that reads back to it; empty
// when missing or malformed.
std::string StoredText(const StoredValue& value);
