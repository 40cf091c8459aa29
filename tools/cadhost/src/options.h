// The host program's command line.
#pragma once

#include <string>
#include <vector>

struct CadhostOptions {
    std::string registry;              // --registry FILE
    std::vector<std::string> modules;  // --load MODULE, in order
    std::string open;                  // --open DRAWING.dxf
    std::string script;                // --script FILE, "-" for standard input
    std::string save;                  // --save OUT.dxf
    std::string svg;                   // --svg OUT.svg
    std::string svgBackground;         // --svg-background light|dark (light when empty)
    bool help = false;
};

struct CadhostParse {
    CadhostOptions options;
    std::string error;  // empty when the command line is valid
};

// args without the program name. Options take their value as the next
// argument or after "=", e.g. "--open=a.dxf"; --load may repeat, the others not.
CadhostParse cadhostParseOptions(const std::vector<std::string>& args);

extern const char* const kCadhostUsage;
