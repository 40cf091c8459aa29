#include "CsvReport.h"

#include <vector>

#include "ReportText.h"
#include "ReportTotals.h"

const char* const kCsvHeader =
    "类别,场区编号,方格编号,行数,列数,角点数,方格面积,层对,填方量,挖方量,填方面积,挖方面积,"
    "填方公式,挖方公式";

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kTotal = "合计";

// The columns of one row, in header order.
struct Row {
    std::string kind, site, pane, row, column, corners, area, pair, fill, cut, fillArea, cutArea,
        fillFormula, cutFormula;
};

std::string Line(const Row& r) {
    const std::string* const fields[] = {
        &r.kind, &r.site, &r.pane, &r.row,      &r.column,  &r.corners,     &r.area,
        &r.pair, &r.fill, &r.cut,  &r.fillArea, &r.cutArea, &r.fillFormula, &r.cutFormula};
    std::string line;
    for (const std::string* f : fields) line += (line.empty() ? "" : ",") + CsvField(*f);
    return line + "\r\n";
}

std::string OptionalInt(const std::optional<int>& v) { return v ? std::to_string(*v) : ""; }

std::string PaneRows(const SiteEntry& site, const PaneEntry& p, int decimals) {
    Row base;
    base.kind = "方格";
    base.site = site.number;
    base.pane = p.number;
    base.row = OptionalInt(p.row);
    base.column = OptionalInt(p.column);
    base.corners = std::to_string(p.cornerCount);
    base.area = FixedText(p.area, decimals);
    std::string text;
    if (!p.singleLayer) {
        for (size_t k = 0; k < p.pairFills.size() || k < p.pairCuts.size(); ++k) {
            Row r = base;
            r.pair = std::to_string(k + 1);
            if (k < p.pairFills.size()) r.fill = StoredText(p.pairFills[k]);
            if (k < p.pairCuts.size()) r.cut = StoredText(p.pairCuts[k]);
            text += Line(r);
        }
    }
    Row total = base;
    total.pair = kTotal;
    total.fill = StoredText(p.fill);
    total.cut = StoredText(p.cut);
    if (p.singleLayer) {
        total.fillArea = StoredText(p.fillArea);
        total.cutArea = StoredText(p.cutArea);
        total.fillFormula = p.fillFormula;
        total.cutFormula = p.cutFormula;
    }
    return text + Line(total);
}

std::string SiteRows(const SiteEntry& site, int decimals) {
    const SiteTotals t = ComputeTotals(site);
    Row base;
    base.kind = "方格合计";
    base.site = site.number;
    base.area = FixedText(t.area, decimals);
    std::string text;
    for (size_t k = 0; k < t.pairFills.size(); ++k) {
        Row r = base;
        r.pair = std::to_string(k + 1);
        r.fill = FixedText(t.pairFills[k], decimals);
        r.cut = FixedText(t.pairCuts[k], decimals);
        text += Line(r);
    }
    Row sum = base;
    sum.pair = kTotal;
    sum.fill = FixedText(t.fill, decimals);
    sum.cut = FixedText(t.cut, decimals);
    if (t.pairFills.empty()) {
        sum.fillArea = FixedText(t.fillArea, decimals);
        sum.cutArea = FixedText(t.cutArea, decimals);
    }
    Row stored;
    stored.kind = "场区";
    stored.site = site.number;
    stored.pair = kTotal;
    stored.fill = StoredText(site.storedFill);
    stored.cut = StoredText(site.storedCut);
    return text + Line(sum) + Line(stored);
}

}  // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string CsvFromReport(const VolumeReport& report) {
    std::string csv = std::string(kBom) + kCsvHeader + "\r\n";
    for (const SiteEntry& site : report.sites) {
        for (const PaneEntry& p : site.panes) csv += PaneRows(site, p, report.volumeDecimals);
        csv += SiteRows(site, report.volumeDecimals);
    }
    return csv;
}
