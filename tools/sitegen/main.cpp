// sitegen: writes generated site drawings (docs/sitegen.md).
//   sitegen example OUT.dxf
//   sitegen grid ROWS COLUMNS POINTS LAYERS OUT.dxf [SEED]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AcDbMPointEle.h"
#include "SiteDrawing.h"
#include "acdocman.h"
#include "dbmain.h"
#include "rxdlinkr.h"
#include "wcrt.h"

namespace {

constexpr const char* kUsage =
    "usage: sitegen example OUT.dxf\n"
    "       sitegen grid ROWS COLUMNS POINTS LAYERS OUT.dxf [SEED]\n";

// A whole number in [low, high], or -1.
long Count(const std::string& text, long low, long high) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    return (end != text.c_str() && *end == '\0' && n >= low && n <= high) ? n : -1;
}

bool Parse(const std::vector<std::string>& args, SiteDrawingPlan& plan, std::string& out) {
    if (args.size() == 2 && args[0] == "example") {
        plan = ExampleDrawing();
        out = args[1];
        return true;
    }
    if ((args.size() != 6 && args.size() != 7) || args[0] != "grid") return false;
    const long rows = Count(args[1], 1, 2000), columns = Count(args[2], 1, 2000);
    const long points = Count(args[3], 0, 1000000), layers = Count(args[4], 1, 4);
    const long seed = args.size() == 7 ? Count(args[6], 0, 4294967295L) : 1;
    if (rows < 0 || columns < 0 || points < 0 || layers < 0 || seed < 0) return false;
    plan = GridDrawing(int(rows), int(columns), int(points), int(layers), std::uint32_t(seed));
    out = args[5];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    SiteDrawingPlan plan;
    std::string out;
    if (!Parse({argv + 1, argv + argc}, plan, out)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    RegisterMPointEleClass();
    AcApDocument* doc = acDocManager->addDocument(nullptr, L"");
    int status = 0;
    if (!WriteSiteDrawing(plan)) {
        std::fputs("sitegen: the drawing could not be built\n", stderr);
        status = 1;
    } else if (doc->database()->dxfOut(wcrtFromUtf8(out).c_str()) != Acad::eOk) {
        std::fprintf(stderr, "sitegen: cannot write %s\n", out.c_str());
        status = 1;
    }
    acDocManager->closeAll();
    UnregisterMPointEleClass();
    return status;
}
