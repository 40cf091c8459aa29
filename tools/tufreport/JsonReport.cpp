#include "JsonReport.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "ReportTotals.h"

namespace {

// Keys in the order written, so that each record reads number first.
using json = nlohmann::ordered_json;

// The report's own figures (sums, outline areas) in the stored values'
// decimals, without the sums' floating-point tails.
double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

json Number(const StoredValue& v) { return v.usable() ? json(v.value) : json(nullptr); }

json Optional(const std::optional<int>& v) { return v ? json(*v) : json(nullptr); }

json PaneJson(const PaneEntry& p, int decimals) {
    json pairs = json::array();
    for (size_t k = 0; k < p.pairFills.size() || k < p.pairCuts.size(); ++k)
        pairs.push_back({{"pair", k + 1},
                         {"fill", k < p.pairFills.size() ? Number(p.pairFills[k]) : json()},
                         {"cut", k < p.pairCuts.size() ? Number(p.pairCuts[k]) : json()}});
    json pane = {{"number", p.number},
                 {"row", Optional(p.row)},
                 {"column", Optional(p.column)},
                 {"corners", p.cornerCount},
                 {"area", Rounded(p.area, decimals)},
                 {"fill", Number(p.fill)},
                 {"cut", Number(p.cut)},
                 {"pairs", pairs},
                 {"singleLayer", p.singleLayer},
                 {"problems", p.problems}};
    if (p.singleLayer) {
        pane["fillArea"] = Number(p.fillArea);
        pane["cutArea"] = Number(p.cutArea);
        pane["fillFormula"] = p.fillFormula;
        pane["cutFormula"] = p.cutFormula;
    }
    return pane;
}

json SiteJson(const SiteEntry& site, const VolumeReport& report) {
    const int d = report.volumeDecimals;
    const SiteTotals t = ComputeTotals(site);
    json pairs = json::array();
    for (size_t k = 0; k < t.pairFills.size(); ++k)
        pairs.push_back({{"pair", k + 1},
                         {"fill", Rounded(t.pairFills[k], d)},
                         {"cut", Rounded(t.pairCuts[k], d)}});
    json panes = json::array();
    for (const PaneEntry& p : site.panes) panes.push_back(PaneJson(p, d));
    return {{"number", site.number},
            {"layerPairs", site.pairCount},
            {"stored", {{"fill", Number(site.storedFill)}, {"cut", Number(site.storedCut)}}},
            {"computed",
             {{"fill", Rounded(t.fill, d)},
              {"cut", Rounded(t.cut, d)},
              {"area", Rounded(t.area, d)},
              {"fillArea", Rounded(t.fillArea, d)},
              {"cutArea", Rounded(t.cutArea, d)},
              {"pairs", pairs},
              {"panesCounted", t.counted},
              {"panesLeftOut", t.leftOut}}},
            {"warnings", StoredTotalWarnings(site, t, report.elevationDecimals)},
            {"panes", panes}};
}

}  // namespace

std::string JsonFromReport(const VolumeReport& report) {
    json sites = json::array();
    for (const SiteEntry& site : report.sites) sites.push_back(SiteJson(site, report));
    const json document = {
        {"precision",
         {{"paneeleprec", report.elevationDecimals}, {"tfcollectprec", report.volumeDecimals}}},
        {"sites", sites}};
    // Invalid UTF-8 in a stored text becomes U+FFFD rather than an exception.
    return document.dump(1, ' ', false, json::error_handler_t::replace) + "\n";
}
