// One run of the report tool: open the drawing, read it, write what was
// asked for.
#pragma once

#include <cstdio>

#include "ReportOptions.h"

// Findings about the drawing's data and file problems go to `errors` as
// "tufreport: ...". Returns 0 when every output was written (findings do
// not change that), 1 when the drawing could not be read or an output not
// written.
int RunReport(const ReportOptions& options, std::FILE* errors);
