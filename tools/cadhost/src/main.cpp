// cadhost: the host program. See docs/cadhost.md.
#include <cstdio>
#include <string>
#include <vector>

#include "options.h"
#include "session.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CadhostParse parse = cadhostParseOptions(args);
    if (!parse.error.empty()) {
        std::fprintf(stderr, "cadhost: %s\n%s", parse.error.c_str(), kCadhostUsage);
        return 2;
    }
    if (parse.options.help) {
        std::fputs(kCadhostUsage, stdout);
        return 0;
    }
    return cadhostRun(parse.options, stderr);
}
