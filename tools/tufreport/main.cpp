// tufreport: volume tables and cut/fill maps of a computed drawing. See
// docs/report.md.
#include <cstdio>
#include <string>
#include <vector>

#include "ReportOptions.h"
#include "ReportRun.h"

int main(int argc, char** argv) {
    const ReportParse parse = ParseReportOptions({argv + 1, argv + argc});
    if (!parse.error.empty()) {
        std::fprintf(stderr, "tufreport: %s\n%s", parse.error.c_str(), kReportUsage);
        return 2;
    }
    if (parse.options.help) {
        std::fputs(kReportUsage, stdout);
        return 0;
    }
    return RunReport(parse.options, stderr);
}
