// What the report knows of a computed drawing: its sites in drawing order,
// each with its outlines and its panes in layer order, every number as it is
// stored. Plain values; the report's writers work on these alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct PlanPoint {
    double x = 0.0;
    double y = 0.0;
};
using Outline = std::vector<PlanPoint>;

// A stored number: present when the key exists, well formed when its text is
// one number and nothing else; the value is the one the plug-in reads.
struct StoredValue {
    bool present = false;
    bool wellFormed = false;
    double value = 0.0;
    std::string text;  // UTF-8, as stored
    bool usable() const { return present && wellFormed; }
};

struct PaneEntry {
    std::string number;  // "方格编号", empty when missing
    std::optional<int> row, column;
    Outline outline;  // arcs flattened
    int cornerCount = 0;
    double area = 0.0;  // of the pane's outline
    // Layer pair k (from 1) at index k - 1: "填方组k" and "挖方组k".
    std::vector<StoredValue> pairFills, pairCuts;
    StoredValue fill, cut;  // "填方量", "挖方量"
    // Panes that carry natural and design elevations ("点自然标高",
    // "点设计标高"), such as those of an extracted layer drawing, keep their
    // areas and formulas.
    bool singleLayer = false;
    StoredValue fillArea, cutArea;  // "填方面积", "挖方面积"
    std::string fillFormula, cutFormula;
    // Missing or malformed keys; a pane with any is left out of the totals
    // the report computes and drawn without results.
    std::vector<std::string> problems;

    bool hasResults() const {
        return fill.present || cut.present || !pairFills.empty() || !pairCuts.empty();
    }
    bool complete() const { return problems.empty(); }
};

struct SiteEntry {
    std::string number;  // "场区编号"
    Outline outline;
    std::vector<Outline> holes;  // inner outlines ("内框") of the same number
    PlanPoint label;
    int pairCount = 0;                  // layer pairs of the site's panes, 0 for single-layer sites
    StoredValue storedFill, storedCut;  // "场区填方量", "场区挖方量"
    std::vector<PaneEntry> panes;
};

struct VolumeReport {
    std::vector<SiteEntry> sites;
    int elevationDecimals = 2;  // "paneeleprec": corner elevations and site totals
    int volumeDecimals = 2;     // "tfcollectprec": pane volumes and areas
};
