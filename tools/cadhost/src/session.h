// One run of the host program: modules, drawing, commands, output files.
#pragma once

#include <cstdio>

#include "options.h"

// Runs the host with the options; messages about files and scripts go to
// `errors`. Returns the exit status: 0 when the script ran to its end (or the
// terminal session ended), 1 when a file could not be read or written, a module
// not loaded, or the script was malformed or could not go on.
int cadhostRun(const CadhostOptions& options, std::FILE* errors);
