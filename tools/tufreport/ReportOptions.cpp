#include "ReportOptions.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Where each value-taking option's text goes.
struct TextOption {
    const char* name;
    std::string ReportOptions::*slot;
};

const TextOption kTextOptions[] = {
    {"--csv", &ReportOptions::csv},
    {"--json", &ReportOptions::json},
    {"--map", &ReportOptions::map},
    {"--registry", &ReportOptions::registry},
};

bool ParsePair(const std::string& text, int& pair) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > 1000) return false;
    pair = static_cast<int>(value);
    return true;
}

// One option with its value; the error set when it cannot be taken.
void Take(const std::string& name, const std::string& value, ReportOptions& o, std::string& error) {
    if (value.empty()) {
        error = name + " needs a value";
        return;
    }
    if (name == "--pair") {
        if (!ParsePair(value, o.pair))
            error = "--pair takes a layer pair number from 1, not " + value;
        return;
    }
    for (const TextOption& t : kTextOptions) {
        if (name != t.name) continue;
        if (!(o.*t.slot).empty())
            error = name + " given twice";
        else
            o.*t.slot = value;
        return;
    }
    error = "unknown option " + name;
}

}  // namespace

ReportParse ParseReportOptions(const std::vector<std::string>& args) {
    ReportParse r;
    for (size_t i = 0; i < args.size() && r.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            r.options.help = true;
        } else if (arg == "--png") {
            r.options.png = true;
        } else if (arg.rfind("--", 0) == 0) {
            const size_t eq = arg.find('=');
            const std::string name = arg.substr(0, eq);
            std::string value;
            if (eq != std::string::npos)
                value = arg.substr(eq + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            Take(name, value, r.options, r.error);
        } else if (r.options.drawing.empty()) {
            r.options.drawing = arg;
        } else {
            r.error = "unexpected argument " + arg;
        }
    }
    if (r.error.empty() && !r.options.help) {
        if (r.options.drawing.empty())
            r.error = "no drawing given";
        else if (r.options.png && r.options.map.empty())
            r.error = "--png needs --map";
    }
    return r;
}

std::string PngPathFor(const std::string& svgPath) {
    return std::filesystem::path(svgPath).replace_extension(".png").string();
}

const char* const kReportUsage =
    "usage: tufreport DRAWING.dxf [--csv FILE] [--json FILE] [--map FILE.svg] [--pair K]\n"
    "                 [--png] [--registry FILE]\n"
    "Reads a drawing whose earthwork has been computed and writes its volume table\n"
    "(CSV for spreadsheets, JSON for programs) and its cut/fill map (SVG, and a PNG\n"
    "beside it made with rsvg-convert). The map shows layer pair K, or the pane\n"
    "totals without --pair. Panes with missing or malformed values are reported on\n"
    "standard error and left out of the totals the tool computes; the stored site\n"
    "totals are shown as stored. The precision settings come from the registry file\n"
    "(as for cadhost). Without --csv, --json or --map the CSV goes to standard output.\n";
