// The README's main job as a user walks it: the example's sites without
// points, the surveyor's file imported through the import dialog, then the
// same steps as the example drawing that already holds the points. Both runs
// must leave the same drawing, down to every entity and value.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "CadhostSession.h"
#include "EzdxfScript.h"

namespace e2e {
namespace {

using MainJob = CadhostSession;

// The group pairs of the ENTITIES section without handles and owner
// references, which differ only by the order objects were made in.
std::vector<std::pair<std::string, std::string>> EntityGroups(const fs::path& dxf) {
    std::istringstream in(ReadFile(dxf));
    std::vector<std::pair<std::string, std::string>> groups;
    std::string code, value;
    bool inside = false, sectionNext = false;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') value.pop_back();
        const int c = std::stoi(code);
        if (!inside) {
            inside = sectionNext && c == 2 && value == "ENTITIES";
            sectionNext = c == 0 && value == "SECTION";
            continue;
        }
        if (c == 0 && value == "ENDSEC") break;
        if (c != 5 && c != 330 && c != 340 && c != 360) groups.emplace_back(code, value);
    }
    return groups;
}

TEST_F(MainJob, ImportingTheSurveyGivesTheExampleDrawingAndItsTotals) {
    fs::copy_file(SourcePath("examples/site-outlines.dxf"), path("outlines.dxf"));
    const Outcome job =
        run(ReadFile(SourcePath("examples/main-job.scr")), "outlines.dxf", SourcePath(""));
    ASSERT_EQ(job.status, 0) << job.err;
    fs::rename(path("out.dxf"), path("job.dxf"));
    fs::remove(path("registry.reg"));

    fs::copy_file(SourcePath("examples/site.dxf"), path("site.dxf"));
    const Outcome reference = run(ReadFile(SourcePath("examples/site.scr")), "site.dxf");
    ASSERT_EQ(reference.status, 0) << reference.err;

    const auto jobGroups = EntityGroups(path("job.dxf"));
    EXPECT_EQ(jobGroups.size(), EntityGroups(path("out.dxf")).size());
    EXPECT_TRUE(jobGroups == EntityGroups(path("out.dxf")));

    const struct {
        const char* site;
        const char* cut;
        const char* fill;
    } totals[] = {{"场区1", "163660.09", "1003.82"},
                  {"场区2", "34970.13", "0.00"},
                  {"场区1-2", "64648.82", "1003.82"}};
    const std::vector<SavedEntity> all = ReadEntities(path("job.dxf"));
    for (const auto& t : totals) {
        const std::vector<SavedEntity> outlines = OnLayer(all, t.site, "LWPOLYLINE");
        ASSERT_FALSE(outlines.empty()) << t.site;
        EXPECT_EQ(outlines[0].value("场区", "场区挖方量"), t.cut) << t.site;
        EXPECT_EQ(outlines[0].value("场区", "场区填方量"), t.fill) << t.site;
    }
    EXPECT_EQ(OnLayer(all, "多层标高").size(), 78u);
}

}  // namespace
}  // namespace e2e
