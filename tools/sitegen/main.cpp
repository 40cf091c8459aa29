// sitegen: writes generated site drawings (docs/sitegen.md).
//   sitegen example OUT.dxf [--survey SURVEY.txt]
//   sitegen grid ROWS COLUMNS POINTS LAYERS OUT.dxf [SEED]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "AcDbMPointEle.h"
#include "SiteDrawing.h"
#include "SurveyFile.h"
#include "acdocman.h"
#include "dbmain.h"
#include "rxdlinkr.h"
#include "wcrt.h"

namespace {

constexpr const char* kUsage =
    "usage: sitegen example OUT.dxf [--survey SURVEY.txt]\n"
    "       sitegen grid ROWS COLUMNS POINTS LAYERS OUT.dxf [SEED]\n";

// A whole number in [low, high], or -1.
long Count(const std::string& text, long low, long high) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    return (end != text.c_str() && *end == '\0' && n >= low && n <= high) ? n : -1;
}

// What to write: the drawing, and the survey file that takes its points
// instead when one is named.
struct Output {
    std::string drawing;
    std::string survey;
};

bool Parse(const std::vector<std::string>& args, SiteDrawingPlan& plan, Output& out) {
    if ((args.size() == 2 || (args.size() == 4 && args[2] == "--survey")) && args[0] == "example") {
        plan = ExampleDrawing();
        out.drawing = args[1];
        if (args.size() == 4) out.survey = args[3];
        return true;
    }
    if ((args.size() != 6 && args.size() != 7) || args[0] != "grid") return false;
    const long rows = Count(args[1], 1, 2000), columns = Count(args[2], 1, 2000);
    const long points = Count(args[3], 0, 1000000), layers = Count(args[4], 1, 4);
    const long seed = args.size() == 7 ? Count(args[6], 0, 4294967295L) : 1;
    if (rows < 0 || columns < 0 || points < 0 || layers < 0 || seed < 0) return false;
    plan = GridDrawing(int(rows), int(columns), int(points), int(layers), std::uint32_t(seed));
    out.drawing = args[5];
    return true;
}

// The points as a survey file: the drawing keeps only the sites, and the
// points come in through the import as a user brings them in.
bool WriteSurvey(SiteDrawingPlan& plan, const std::string& path) {
    const std::string text = SurveyFileText(plan.points);
    plan.points.clear();
    std::ofstream file(path, std::ios::binary);
    return !text.empty() && file.write(text.data(), std::streamsize(text.size())).good();
}

}  // namespace

int main(int argc, char** argv) {
    SiteDrawingPlan plan;
    Output out;
    if (!Parse({argv + 1, argv + argc}, plan, out)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!out.survey.empty() && !WriteSurvey(plan, out.survey)) {
        std::fprintf(stderr, "sitegen: cannot write %s\n", out.survey.c_str());
        return 1;
    }
    RegisterMPointEleClass();
    AcApDocument* doc = acDocManager->addDocument(nullptr, L"");
    int status = 0;
    if (!WriteSiteDrawing(plan)) {
        std::fputs("sitegen: the drawing could not be built\n", stderr);
        status = 1;
    } else if (doc->database()->dxfOut(wcrtFromUtf8(out.drawing).c_str()) != Acad::eOk) {
        std::fprintf(stderr, "sitegen: cannot write %s\n", out.drawing.c_str());
        status = 1;
    }
    acDocManager->closeAll();
    UnregisterMPointEleClass();
    return status;
}
