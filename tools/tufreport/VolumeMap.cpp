#include "VolumeMap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ColourScale.h"
#include "ReportTotals.h"

namespace {

const char* const kFonts =
    "'Noto Sans CJK SC','WenQuanYi Micro Hei','WenQuanYi Zen Hei','Microsoft YaHei',sans-serif";
constexpr double kMargin = 40.0;        // pixels around the sites
constexpr double kLegendWidth = 250.0;  // pixels right of the map
constexpr double kLegendHeight = 430.0;

// World (metres, y up) to picture pixels (y down), from the sites' extents.
struct Frame {
    double minX = 0.0, maxY = 0.0, scale = 1.0, width = 0.0, height = 0.0;
    double x(double wx) const { return kMargin + (wx - minX) * scale; }
    double y(double wy) const { return kMargin + (maxY - wy) * scale; }
};

Frame FrameOf(const VolumeReport& report, double pixels) {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    auto extend = [&](const Outline& o) {
        for (const PlanPoint& p : o) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    };
    for (const SiteEntry& s : report.sites) {
        extend(s.outline);
        for (const PaneEntry& p : s.panes) extend(p.outline);
    }
    Frame f;
    if (minX > maxX) minX = maxX = minY = maxY = 0.0;
    const double span = std::max({maxX - minX, maxY - minY, 1e-9});
    f.minX = minX;
    f.maxY = maxY;
    f.scale = pixels / span;
    f.width = (maxX - minX) * f.scale + 2.0 * kMargin;
    f.height = (maxY - minY) * f.scale + 2.0 * kMargin;
    return f;
}

std::string Num(double v) {
    std::string s = FixedText(v, 2);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

// A legend figure: enough decimals to tell the ticks apart.
std::string TickText(double v, double limit) {
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(limit))), 0, 6);
    return FixedText(v, decimals);
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Points(const Frame& f, const Outline& o) {
    std::string s;
    for (const PlanPoint& p : o) s += (s.empty() ? "" : " ") + Num(f.x(p.x)) + "," + Num(f.y(p.y));
    return s;
}

std::string Text(double x, double y, double size, const std::string& text) {
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" font-size=\"" + Num(size) + "\">" +
           Escape(text) + "</text>\n";
}

struct PaneValues {
    double magnitude = 0.0;  // largest |value|
    int missing = 0;
};

PaneValues Survey(const VolumeReport& report, int pair) {
    PaneValues v;
    for (const SiteEntry& s : report.sites)
        for (const PaneEntry& p : s.panes) {
            const std::optional<double> value = NetVolumePerArea(p, pair);
            if (value)
                v.magnitude = std::max(v.magnitude, std::fabs(*value));
            else
                ++v.missing;
        }
    return v;
}

std::string Panes(const Frame& f, const VolumeReport& report, int pair, double limit) {
    std::string svg = "<g class=\"panes\" stroke=\"#5A5A5A\" stroke-width=\"0.4\">\n";
    for (const SiteEntry& s : report.sites)
        for (const PaneEntry& p : s.panes) {
            const std::optional<double> value = NetVolumePerArea(p, pair);
            const std::string common = "<polygon points=\"" + Points(f, p.outline) +
                                       "\" data-site=\"" + Escape(s.number) + "\" data-pane=\"" +
                                       Escape(p.number) + "\"";
            if (value)
                svg += common + " class=\"pane\" data-value=\"" + FixedText(*value, 6) +
                       "\" fill=\"" + HexColour(DivergingColour(*value, limit)) + "\"/>\n";
            else
                svg += common + " class=\"pane-missing\" fill=\"url(#no-results)\"/>\n";
        }
    return svg + "</g>\n";
}

std::string Sites(const Frame& f, const VolumeReport& report) {
    std::string svg =
        "<g class=\"outlines\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1.6\">\n";
    for (const SiteEntry& s : report.sites) {
        svg += "<polygon class=\"site\" points=\"" + Points(f, s.outline) + "\"/>\n";
        for (const Outline& hole : s.holes)
            svg += "<polygon class=\"site-hole\" points=\"" + Points(f, hole) + "\"/>\n";
    }
    svg +=
        "</g>\n<g class=\"site-numbers\" text-anchor=\"middle\" fill=\"#000000\" "
        "stroke=\"#FFFFFF\" "
        "stroke-width=\"3\" paint-order=\"stroke\" font-weight=\"bold\">\n";
    for (const SiteEntry& s : report.sites)
        svg += Text(f.x(s.label.x), f.y(s.label.y) + 7.0, 20.0, "场区 " + s.number);
    return svg + "</g>\n";
}

// A bar of a round length near a fifth of the map's width, below the map.
std::string ScaleBar(const Frame& f) {
    const double worldWidth = (f.width - 2.0 * kMargin) / f.scale;
    double length = NiceLimit(worldWidth / 5.0);
    if (length > worldWidth / 5.0 * 1.5) length = NiceLimit(worldWidth / 10.0);
    const double x0 = kMargin, y0 = f.height - kMargin / 3.0, pixels = length * f.scale;
    return "<g class=\"scale-bar\" stroke=\"#000000\" stroke-width=\"1.5\" fill=\"none\">\n"
           "<path d=\"M" +
           Num(x0) + "," + Num(y0 - 5) + " V" + Num(y0) + " H" + Num(x0 + pixels) + " V" +
           Num(y0 - 5) + "\"/>\n</g>\n" + Text(x0 + pixels + 6.0, y0, 12.0, Num(length) + " m");
}

std::string Legend(double left, int pair, double limit, int missing) {
    const double barX = left + 20.0, barY = 70.0, barW = 24.0, barH = 240.0;
    std::string svg = "<g class=\"legend\" data-min=\"" + Num(-limit) + "\" data-max=\"" +
                      Num(limit) + "\" data-unit=\"m³/m²\" data-missing=\"" +
                      std::to_string(missing) + "\" fill=\"#000000\">\n";
    svg += Text(left + 20.0, 28.0, 15.0,
                pair > 0 ? "层对 " + std::to_string(pair) + " 净土方" : "净土方 (合计)");
    svg += Text(left + 20.0, 48.0, 13.0, "(挖方 − 填方) / 面积, m³/m²");
    svg += "<rect x=\"" + Num(barX) + "\" y=\"" + Num(barY) + "\" width=\"" + Num(barW) +
           "\" height=\"" + Num(barH) +
           "\" fill=\"url(#scale)\" stroke=\"#000000\" "
           "stroke-width=\"0.8\"/>\n";
    for (int i = 0; i <= 4; ++i) {
        const double value = limit * (1.0 - i / 2.0);
        const double y = barY + barH * i / 4.0;
        svg += "<path d=\"M" + Num(barX + barW) + "," + Num(y) + " h6\" stroke=\"#000000\"/>\n";
        svg += Text(barX + barW + 10.0, y + 4.0, 12.0,
                    (value > 0 ? "+" : "") + TickText(value, limit));
    }
    svg += Text(barX + barW + 70.0, barY + 10.0, 12.0, "挖方");
    svg += Text(barX + barW + 70.0, barY + barH, 12.0, "填方");
    const double swatchY = barY + barH + 30.0;
    svg += "<rect x=\"" + Num(barX) + "\" y=\"" + Num(swatchY) + "\" width=\"" + Num(barW) +
           "\" height=\"18\" fill=\"url(#no-results)\" stroke=\"#5A5A5A\"/>\n";
    svg += Text(barX + barW + 10.0, swatchY + 14.0, 12.0,
                "无结果: " + std::to_string(missing) + " 个方格");
    return svg + "</g>\n";
}

std::string Definitions() {
    std::string svg = "<defs>\n<linearGradient id=\"scale\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\">\n";
    for (const auto& [offset, colour] : ScaleStops())
        svg += "<stop offset=\"" + Num(offset) + "\" stop-color=\"" + HexColour(colour) + "\"/>\n";
    svg +=
        "</linearGradient>\n"
        "<pattern id=\"no-results\" patternUnits=\"userSpaceOnUse\" width=\"6\" height=\"6\">\n"
        "<rect width=\"6\" height=\"6\" fill=\"#FFFFFF\"/>\n"
        "<path d=\"M0,6 L6,0 M-1,1 L1,-1 M5,7 L7,5\" stroke=\"#808080\" stroke-width=\"1\"/>\n"
        "</pattern>\n</defs>\n";
    return svg;
}

}  // namespace

std::string MapFromReport(const VolumeReport& report, const MapOptions& options) {
    const Frame f = FrameOf(report, options.pixels);
    const PaneValues values = Survey(report, options.pair);
    const double limit = NiceLimit(values.magnitude);
    const double width = f.width + kLegendWidth, height = std::max(f.height, kLegendHeight);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width) + "\" height=\"" +
           Num(height) + "\" viewBox=\"0 0 " + Num(width) + " " + Num(height) +
           "\" font-family=\"" + kFonts + "\">\n";
    svg += Definitions();
    svg += "<rect width=\"" + Num(width) + "\" height=\"" + Num(height) + "\" fill=\"#FFFFFF\"/>\n";
    svg += Panes(f, report, options.pair, limit);
    svg += Sites(f, report);
    svg += ScaleBar(f);
    svg += Legend(f.width, options.pair, limit, values.missing);
    return svg + "</svg>\n";
}
