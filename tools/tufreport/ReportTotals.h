// The figures the report works out itself from the stored values: which
// panes are complete, the site sums over them, and where the stored site
// totals disagree with those sums.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ReportModel.h"

// The missing or malformed keys of a pane whose site has pairCount layer
// pairs (0: a single-layer pane), one message each; empty when complete.
std::vector<std::string> PaneProblems(const PaneEntry& pane, int pairCount);

// The layer-pair count of a site: the count most of its panes hold (the
// smallest of equally frequent ones), 0 when no pane holds layer pairs.
int SitePairCount(const std::vector<PaneEntry>& panes);

struct SiteTotals {
    std::vector<double> pairFills, pairCuts;  // per layer pair
    double fill = 0.0, cut = 0.0;             // of "填方量"/"挖方量"
    double area = 0.0, fillArea = 0.0, cutArea = 0.0;
    int counted = 0;  // complete panes
    int leftOut = 0;  // panes with missing or malformed keys
};

// Sums over the site's complete panes.
SiteTotals ComputeTotals(const SiteEntry& site);

// Where a stored site total differs from the sum of the stored pane values by
// more than half a unit of its last decimal (elevationDecimals), one message
// each. Nothing for totals that are not stored.
std::vector<std::string> StoredTotalWarnings(const SiteEntry& site, const SiteTotals& totals,
                                             int elevationDecimals);

// How messages name a pane: by its number, else its row and column, else its
// place in the site's list (from 1).
std::string PaneName(const SiteEntry& site, size_t index);

// Net volume per area for the map (cut positive, fill negative): of layer
// pair `pair` (from 1) or, with pair 0 and for single-layer panes, of the
// pane totals. Nothing for incomplete panes, panes without that pair and
// panes without area.
std::optional<double> NetVolumePerArea(const PaneEntry& pane, int pair);

// A number with the given decimals, "." as separator ("%.*f").
std::string FixedText(double value, int decimals);
