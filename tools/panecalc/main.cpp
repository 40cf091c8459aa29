// panecalc: reads JSON Lines requests on standard input and writes one JSON
// answer line per request line (docs/panecalc.md).
#include <iostream>
#include <string>

#include "PaneCalcProtocol.h"

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::cout << AnswerRequestLine(line) << '\n' << std::flush;
    }
    return 0;
}
