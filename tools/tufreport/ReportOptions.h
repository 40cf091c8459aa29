// The report tool's command line.
#pragma once

#include <string>
#include <vector>

struct ReportOptions {
    std::string drawing;   // DRAWING.dxf
    std::string csv;       // --csv FILE
    std::string json;      // --json FILE
    std::string map;       // --map FILE.svg
    std::string registry;  // --registry FILE (the precision settings)
    int pair = 0;          // --pair K, from 1; 0: the pane totals
    bool png = false;      // --png: FILE.png beside the map
    bool help = false;
};

struct ReportParse {
    ReportOptions options;
    std::string error;  // empty when the command line is valid
};

// args without the program name; options take their value as the next
// argument or after "=".
ReportParse ParseReportOptions(const std::vector<std::string>& args);

// FILE.svg with its extension replaced by ".png" (appended when it has none).
std::string PngPathFor(const std::string& svgPath);

extern const char* const kReportUsage;
