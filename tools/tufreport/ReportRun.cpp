#include "ReportRun.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "CsvReport.h"
#include "DrawingReport.h"
#include "JsonReport.h"
#include "ReportTotals.h"
#include "VolumeMap.h"
#include "acdocman.h"
#include "dbmain.h"
#include "dxf_database.h"
#include "wcrt.h"
#include "winreg_standin.h"

extern char** environ;

namespace {

void Say(std::FILE* errors, const std::string& message) {
    std::fprintf(errors, "tufreport: %s\n", message.c_str());
}

// The registry file for this process and the helper modules it links.
void UseRegistry(const std::string& path) {
    if (path.empty()) return;
    setenv("KAVREL_REGISTRY", path.c_str(), 1);
    RegStandInSetFile(path.c_str());
}

bool OpenDrawing(const std::string& path, std::FILE* errors) {
    auto db = std::make_unique<AcDbDatabase>();
    if (db->dxfIn(wcrtFromUtf8(path).c_str()) != Acad::eOk) {
        Say(errors, "cannot open drawing \"" + path + "\": " + wcrtToUtf8(dxfLastErrorMessage()));
        return false;
    }
    acDocManager->addDocument(std::move(db), wcrtFromUtf8(path));
    return true;
}

// Every pane's missing or malformed keys, each site's count of panes left
// out, and stored totals that disagree with their panes.
void ReportFindings(const VolumeReport& report, std::FILE* errors) {
    for (const SiteEntry& site : report.sites) {
        for (size_t i = 0; i < site.panes.size(); ++i) {
            const std::vector<std::string>& problems = site.panes[i].problems;
            if (problems.empty()) continue;
            std::string text;
            for (const std::string& p : problems) text += (text.empty() ? "" : "; ") + p;
            Say(errors, PaneName(site, i) + ": " + text + "; left out of the totals");
        }
        const SiteTotals totals = ComputeTotals(site);
        if (totals.leftOut > 0)
            Say(errors, "site " + site.number + ": " + std::to_string(totals.leftOut) + " of " +
                            std::to_string(site.panes.size()) +
                            " panes left out of the computed totals");
        for (const std::string& w : StoredTotalWarnings(site, totals, report.elevationDecimals))
            Say(errors, "warning: " + w);
    }
}

// Writes through a temporary file renamed over the target.
bool WriteFile(const std::string& path, const std::string& content, std::FILE* errors) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (out.flush() && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    }
    std::remove(temporary.c_str());
    Say(errors, "cannot write \"" + path + "\"");
    return false;
}

bool ConvertToPng(const std::string& svg, const std::string& png, std::FILE* errors) {
    std::string program = "rsvg-convert", flag = "-o", target = png, source = svg;
    char* argv[] = {program.data(), flag.data(), target.data(), source.data(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) == 0 &&
        waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    Say(errors, "rsvg-convert could not make \"" + png + "\" (Debian package librsvg2-bin)");
    return false;
}

bool WriteOutputs(const ReportOptions& o, const VolumeReport& report, std::FILE* errors) {
    bool ok = true;
    if (o.csv.empty() && o.json.empty() && o.map.empty()) {
        const std::string csv = CsvFromReport(report);
        std::fwrite(csv.data(), 1, csv.size(), stdout);
    }
    if (!o.csv.empty()) ok = WriteFile(o.csv, CsvFromReport(report), errors) && ok;
    if (!o.json.empty()) ok = WriteFile(o.json, JsonFromReport(report), errors) && ok;
    if (!o.map.empty()) {
        const bool mapWritten = WriteFile(o.map, MapFromReport(report, {o.pair}), errors);
        ok = mapWritten && ok;
        if (mapWritten && o.png) ok = ConvertToPng(o.map, PngPathFor(o.map), errors) && ok;
    }
    return ok;
}

}  // namespace

int RunReport(const ReportOptions& options, std::FILE* errors) {
    UseRegistry(options.registry);
    if (!OpenDrawing(options.drawing, errors)) return 1;
    const VolumeReport report = ReadVolumeReport();
    ReportFindings(report, errors);
    if (options.pair > 0) {
        bool any = false;
        for (const SiteEntry& s : report.sites) any = any || s.pairCount >= options.pair;
        if (!any) Say(errors, "no site has layer pair " + std::to_string(options.pair));
    }
    const bool written = WriteOutputs(options, report, errors);
    acDocManager->closeAll();
    return written ? 0 : 1;
}
