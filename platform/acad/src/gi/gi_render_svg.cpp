// SVG pictures of recorded geometry.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

#include "dbmain.h"
#include "dbsymtb.h"
#include "giRenderPalette.h"
#include "giRenderSvg.h"
#include "wcrt.h"

namespace {

// Fonts tried in order for texts; the CJK faces show Chinese texts.
const char* const kFontFamilies =
    "'Noto Sans CJK SC','WenQuanYi Micro Hei','WenQuanYi Zen Hei','Microsoft "
    "YaHei','SimSun',sans-serif";

// The dark grey of the host's model space.
const char* const kDarkBackground = "#212830";

// The picture's frame: drawing extents plus a margin, and the y flip.
struct Frame {
    double minX = 0.0, maxY = 0.0, width = 1.0, height = 1.0, margin = 1.0;
    double x(double wx) const { return wx - minX + margin; }
    double y(double wy) const { return maxY - wy + margin; }
};

Frame frameOf(const std::vector<AcGiPrimitive>& primitives) {
    const AcGiExtents2d e = acgiExtents(primitives);
    Frame f;
    if (e.empty) return f;
    const double w = e.maxX - e.minX;
    const double h = e.maxY - e.minY;
    // A twentieth of the larger side around the drawing; one unit for a point-like one.
    f.margin = std::max(w, h) > 0.0 ? std::max(w, h) / 20.0 : 1.0;
    f.minX = e.minX;
    f.maxY = e.maxY;
    f.width = w + 2.0 * f.margin;
    f.height = h + 2.0 * f.margin;
    return f;
}

std::string num(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", v);
    std::string s = buffer;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string hexColor(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", rgb & 0xFFFFFFu);
    return buffer;
}

std::string pointList(const Frame& f, const std::vector<AcGePoint3d>& pts) {
    std::string s;
    for (const AcGePoint3d& p : pts)
        s += (s.empty() ? "" : " ") + num(f.x(p.x)) + "," + num(f.y(p.y));
    return s;
}

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// Arcs: the y flip turns counter-clockwise into the SVG's negative sweep direction.
std::string arcPath(const Frame& f, const AcGiPrimitive& a) {
    const double start = std::atan2(a.startVector.y, a.startVector.x);
    const double end = start + a.sweepAngle;
    const AcGePoint3d& c = a.points[0];
    const double x0 = c.x + a.radius * std::cos(start), y0 = c.y + a.radius * std::sin(start);
    const double x1 = c.x + a.radius * std::cos(end), y1 = c.y + a.radius * std::sin(end);
    const int large = std::fabs(a.sweepAngle) > std::numbers::pi ? 1 : 0;
    const int sweep = a.sweepAngle > 0.0 ? 0 : 1;
    return "M" + num(f.x(x0)) + "," + num(f.y(y0)) + " A" + num(a.radius) + "," + num(a.radius) +
           " 0 " + std::to_string(large) + " " + std::to_string(sweep) + " " + num(f.x(x1)) + "," +
           num(f.y(y1));
}

std::string textElement(const Frame& f, const AcGiPrimitive& t, const std::string& color) {
    const double angle = degrees(std::atan2(t.direction.y, t.direction.x));
    std::string family = kFontFamilies;
    if (!t.typeface.empty()) family = "'" + acgiSvgEscaped(t.typeface) + "'," + family;
    // The text height is used as the font size; the host's height is close to
    // the capital height, which CJK faces fill almost entirely.
    return "<text x=\"0\" y=\"0\" font-size=\"" + num(t.height) + "\" font-family=\"" + family +
           "\" fill=\"" + color + "\" transform=\"translate(" + num(f.x(t.points[0].x)) + " " +
           num(f.y(t.points[0].y)) + ") rotate(" + num(-angle) + ") skewX(" +
           num(-degrees(t.oblique)) + ") scale(" + num(t.widthFactor) + " 1)\">" +
           acgiSvgEscaped(t.text) + "</text>\n";
}

std::string element(const Frame& f, const AcGiPrimitive& p, const std::string& color) {
    const std::string stroke = " fill=\"none\" stroke=\"" + color + "\"/>\n";
    switch (p.kind) {
        case AcGiPrimitive::Kind::kCircle:
            return "<circle cx=\"" + num(f.x(p.points[0].x)) + "\" cy=\"" +
                   num(f.y(p.points[0].y)) + "\" r=\"" + num(p.radius) + "\"" + stroke;
        case AcGiPrimitive::Kind::kArc:
            if (std::fabs(p.sweepAngle) >= 2.0 * std::numbers::pi) {
                AcGiPrimitive circle = p;
                circle.kind = AcGiPrimitive::Kind::kCircle;
                return element(f, circle, color);
            }
            return "<path d=\"" + arcPath(f, p) + "\"" + stroke;
        case AcGiPrimitive::Kind::kPolygon:
            return "<polygon points=\"" + pointList(f, p.points) + "\"" + stroke;
        case AcGiPrimitive::Kind::kPolyline:
            return "<polyline points=\"" + pointList(f, p.points) + "\"" + stroke;
        case AcGiPrimitive::Kind::kText:
            return textElement(f, p, color);
    }
    return std::string();
}

std::uint32_t layerColor(AcDbObjectId layerId) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return 7;
    const std::uint32_t index = layer->color().colorIndex();
    layer->close();
    return index;
}

}  // namespace

AcGiColorResolver acgiDrawingColors(AcDbDatabase* /*database*/, bool darkBackground) {
    return [darkBackground](const AcGiPrimitive& p) -> std::uint32_t {
        std::uint32_t index = p.color;
        if (index == 256) index = layerColor(p.layerId);
        // Index 7 is the drawing's foreground: black on a white picture.
        if (index == 0 || index == 7) return darkBackground ? 0xFFFFFF : 0x000000;
        return acgiPaletteRgb(static_cast<int>(index));
    };
}

std::string acgiSvgFromPrimitives(const std::vector<AcGiPrimitive>& primitives,
                                  const AcGiColorResolver& colorOf, const AcGiSvgOptions& options) {
    const Frame f = frameOf(primitives);
    const double scale = options.pixels / std::max(f.width, f.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(f.width * scale) +
           "\" height=\"" + num(f.height * scale) + "\" viewBox=\"0 0 " + num(f.width) + " " +
           num(f.height) + "\">\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + num(f.width) + "\" height=\"" + num(f.height) +
           "\" fill=\"" + (options.darkBackground ? kDarkBackground : "#FFFFFF") + "\"/>\n";
    // Lines one pixel wide whatever the scale.
    svg += "<g stroke-width=\"" + num(1.0 / scale) + "\">\n";
    for (const AcGiPrimitive& p : primitives)
        if (!p.points.empty()) svg += element(f, p, hexColor(colorOf(p)));
    svg += "</g>\n</svg>\n";
    return svg;
}

std::string acgiRenderSvg(AcDbDatabase* database, const AcGiSvgOptions& options) {
    AcGiRecordingDraw draw;
    acgiDrawModelSpace(database, draw);
    return acgiSvgFromPrimitives(draw.primitives(),
                                 acgiDrawingColors(database, options.darkBackground), options);
}

Acad::ErrorStatus acgiWriteSvg(AcDbDatabase* database, const std::string& path,
                               const AcGiSvgOptions& options) {
    const std::string svg = acgiRenderSvg(database, options);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return Acad::eFileAccessErr;
        out.write(svg.data(), static_cast<std::streamsize>(svg.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return Acad::eFileAccessErr;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return Acad::eFileAccessErr;
    }
    return Acad::eOk;
}

std::string acgiSvgEscaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'&':
                out += L"&amp;";
                break;
            case L'<':
                out += L"&lt;";
                break;
            case L'>':
                out += L"&gt;";
                break;
            case L'"':
                out += L"&quot;";
                break;
            default:
                // XML 1.0 has no place for other control characters.
                if (c >= 0x20 || c == L'\t') out += c;
        }
    }
    return wcrtToUtf8(out);
}
