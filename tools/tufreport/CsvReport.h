// The volume table as CSV for spreadsheet programs: UTF-8 with a byte-order
// mark (so the Chinese headers show), one header row, "." decimals, rows
// ended by CR LF, fields quoted where they hold a comma, quote or line break.
//
// Rows, sites and panes in drawing order; the first column says what a row is:
//   方格      one row per layer pair of a pane (层对 = the pair's number, the
//             values of "填方组"/"挖方组"), then one with 层对 "合计" and the
//             pane's "填方量"/"挖方量"; single-layer panes (natural and design
//             elevations) have only that row, with their areas and formulas;
//   方格合计  the report's own sums over the site's complete panes, per layer
//             pair and "合计";
//   场区      the stored "场区填方量"/"场区挖方量" as stored (empty when missing).
// Stored numbers appear as stored; missing or malformed ones are empty.
#pragma once

#include <string>

#include "ReportModel.h"

extern const char* const kCsvHeader;  // the header row without its line end

std::string CsvFromReport(const VolumeReport& report);

// One field as CSV writes it.
std::string CsvField(const std::string& text);
