#include "ReportTotals.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace {

// One key's problem, or nothing when its value is usable.
void CheckValue(const StoredValue& value, const char* key, std::vector<std::string>& problems) {
    if (!value.present)
        problems.push_back(std::string(key) + " is missing");
    else if (!value.wellFormed)
        problems.push_back(std::string(key) + " is not a number: \"" + value.text + "\"");
}

void CheckList(const std::vector<StoredValue>& list, const char* stem, int pairCount,
               std::vector<std::string>& problems) {
    if (static_cast<int>(list.size()) != pairCount)
        problems.push_back(std::string(stem) + " holds " + std::to_string(list.size()) +
                           " values for " + std::to_string(pairCount) + " layer pairs");
    for (size_t k = 0; k < list.size(); ++k)
        CheckValue(list[k], (stem + std::to_string(k + 1)).c_str(), problems);
}

double Sum(double total, const StoredValue& v) { return total + v.value; }

}  // namespace

std::vector<std::string> PaneProblems(const PaneEntry& pane, int pairCount) {
    std::vector<std::string> problems;
    if (!pane.hasResults()) {
        problems.push_back("no earthwork results");
        return problems;
    }
    CheckValue(pane.fill, "填方量", problems);
    CheckValue(pane.cut, "挖方量", problems);
    if (pairCount > 0 && !pane.singleLayer) {
        CheckList(pane.pairFills, "填方组", pairCount, problems);
        CheckList(pane.pairCuts, "挖方组", pairCount, problems);
    }
    if (pane.singleLayer) {
        CheckValue(pane.fillArea, "填方面积", problems);
        CheckValue(pane.cutArea, "挖方面积", problems);
    }
    return problems;
}

int SitePairCount(const std::vector<PaneEntry>& panes) {
    std::map<size_t, int> frequency;
    for (const PaneEntry& p : panes)
        if (!p.pairFills.empty()) ++frequency[p.pairFills.size()];
    size_t best = 0;
    int bestFrequency = 0;
    for (const auto& [count, n] : frequency)
        if (n > bestFrequency) best = count, bestFrequency = n;
    return static_cast<int>(best);
}

SiteTotals ComputeTotals(const SiteEntry& site) {
    SiteTotals t;
    t.pairFills.assign(static_cast<size_t>(site.pairCount), 0.0);
    t.pairCuts.assign(static_cast<size_t>(site.pairCount), 0.0);
    for (const PaneEntry& p : site.panes) {
        if (!p.complete()) {
            ++t.leftOut;
            continue;
        }
        ++t.counted;
        t.fill = Sum(t.fill, p.fill);
        t.cut = Sum(t.cut, p.cut);
        t.area += p.area;
        if (p.singleLayer) {
            t.fillArea = Sum(t.fillArea, p.fillArea);
            t.cutArea = Sum(t.cutArea, p.cutArea);
            continue;
        }
        for (size_t k = 0; k < t.pairFills.size() && k < p.pairFills.size(); ++k) {
            t.pairFills[k] = Sum(t.pairFills[k], p.pairFills[k]);
            t.pairCuts[k] = Sum(t.pairCuts[k], p.pairCuts[k]);
        }
    }
    return t;
}

std::vector<std::string> StoredTotalWarnings(const SiteEntry& site, const SiteTotals& totals,
                                             int elevationDecimals) {
    // The stored total is the sum of the stored pane values rounded to its
    // decimals, so it may differ from that sum by half a unit of the last
    // decimal; the relative term covers the sum's own floating-point error.
    const double rounding = 0.5 * std::pow(10.0, -elevationDecimals);
    std::vector<std::string> warnings;
    const struct {
        const char* key;
        const StoredValue& stored;
        double sum;
        const char* paneKey;
    } checks[] = {{"场区填方量", site.storedFill, totals.fill, "填方量"},
                  {"场区挖方量", site.storedCut, totals.cut, "挖方量"}};
    for (const auto& c : checks) {
        if (!c.stored.usable()) continue;
        const double difference = std::fabs(c.stored.value - c.sum);
        if (difference <= rounding + 1e-9 * std::fabs(c.sum)) continue;
        warnings.push_back("site " + site.number + ": stored " + c.key + " " + c.stored.text +
                           " differs from the sum of its panes' " + c.paneKey + " " +
                           FixedText(c.sum, elevationDecimals) + " by more than " +
                           FixedText(rounding, elevationDecimals + 1));
    }
    return warnings;
}

std::string PaneName(const SiteEntry& site, size_t index) {
    const PaneEntry& p = site.panes[index];
    const std::string where = "site " + site.number + ", pane ";
    if (!p.number.empty()) return where + p.number;
    if (p.row && p.column)
        return where + "at row " + std::to_string(*p.row) + " column " + std::to_string(*p.column);
    return where + "#" + std::to_string(index + 1) + " (no number)";
}

std::optional<double> NetVolumePerArea(const PaneEntry& pane, int pair) {
    if (!pane.complete() || !(pane.area > 0.0)) return std::nullopt;
    if (pair == 0 || pane.singleLayer) return (pane.cut.value - pane.fill.value) / pane.area;
    const size_t k = static_cast<size_t>(pair - 1);
    if (pair < 0 || k >= pane.pairFills.size()) return std::nullopt;
    return (pane.pairCuts[k].value - pane.pairFills[k].value) / pane.area;
}

std::string FixedText(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    return s.find_first_not_of("-0.") == std::string::npos && s[0] == '-' ? s.substr(1) : s;
}
