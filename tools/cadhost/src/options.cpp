#include "options.h"

namespace {

// Where each option's value goes; repeatable options append.
struct OptionDef {
    const char* name;
    std::string CadhostOptions::*single;
    std::vector<std::string> CadhostOptions::*repeated;
};

const OptionDef kOptions[] = {
    {"--registry", &CadhostOptions::registry, nullptr},
    {"--load", nullptr, &CadhostOptions::modules},
    {"--open", &CadhostOptions::open, nullptr},
    {"--script", &CadhostOptions::script, nullptr},
    {"--save", &CadhostOptions::save, nullptr},
    {"--svg", &CadhostOptions::svg, nullptr},
    {"--svg-background", &CadhostOptions::svgBackground, nullptr},
};

const OptionDef* findOption(const std::string& name) {
    for (const OptionDef& o : kOptions)
        if (name == o.name) return &o;
    return nullptr;
}

// Stores one value; false with the error set when it cannot be taken.
bool store(const OptionDef& option, const std::string& value, CadhostOptions& options,
           std::string& error) {
    if (value.empty()) {
        error = std::string(option.name) + " needs a value";
        return false;
    }
    if (option.repeated != nullptr) {
        (options.*option.repeated).push_back(value);
        return true;
    }
    std::string& slot = options.*option.single;
    if (!slot.empty()) {
        error = std::string(option.name) + " given twice";
        return false;
    }
    slot = value;
    return true;
}

}  // namespace

CadhostParse cadhostParseOptions(const std::vector<std::string>& args) {
    CadhostParse result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.options.help = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const OptionDef* option = findOption(name);
        if (option == nullptr) {
            result.error =
                (arg.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + arg;
            return result;
        }
        std::string value;
        if (eq != std::string::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        if (!store(*option, value, result.options, result.error)) return result;
    }
    const std::string& background = result.options.svgBackground;
    if (!background.empty() && background != "light" && background != "dark")
        result.error = "--svg-background takes light or dark, not " + background;
    return result;
}

const char* const kCadhostUsage =
    "usage: cadhost [--registry FILE] [--load MODULE]... [--open DRAWING.dxf]\n"
    "               [--script FILE|-] [--save OUT.dxf] [--svg OUT.svg]\n"
    "               [--svg-background light|dark]\n"
    "Loads the modules in order, opens the drawing (a new one otherwise), runs the\n"
    "script (or, at a terminal, reads commands typed by the user), writes the\n"
    "drawing and its picture when asked, and unloads the modules in reverse order.\n"
    "The picture is drawn on white, or on the host's dark model-space grey.\n";
