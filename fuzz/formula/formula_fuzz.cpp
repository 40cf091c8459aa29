// Feeds arbitrary text to the formula evaluator: it must neither crash nor
// throw, whatever the text, and must give the same result twice.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FormulaParser.h"
#include "wcrt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = wcrtFromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    CFormulaParser parser;
    for (double x : {0.0, 1.5, -2.0}) {
        const double first = parser.Evaluate(text, x);
        const std::wstring error = parser.ErrorText();
        const double second = parser.Evaluate(text, x);
        const bool same = (std::isnan(first) && std::isnan(second)) || first == second;
        if (!same || error != parser.ErrorText()) std::abort();
    }
    return 0;
}
