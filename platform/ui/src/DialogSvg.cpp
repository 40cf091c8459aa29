// The picture of a dialog as SVG: a window frame with the title, then every
// control at its place in the client area, drawn in the system's 3-D colours.
#include <sstream>

#include "GridCtrl.h"
#include "giRenderSvg.h"
#include "uidriver.h"
#include "wcrt.h"

namespace {

constexpr int kTitleHeight = 26;  // title bar above the client area
constexpr int kFontSize = 12;
constexpr const char* kFont = "SimSun, 'WenQuanYi Micro Hei', 'Noto Sans CJK SC', sans-serif";

std::string Colour(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Painter of one picture; coordinates are the client area's.
class Painter {
  public:
    std::ostringstream out;
    int gradients = 0;

    void rect(const CRect& r, const std::string& fill, const std::string& stroke = "none",
              int strokeWidth = 1) {
        out << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.Width()
            << "\" height=\"" << r.Height() << "\" fill=\"" << fill << "\" stroke=\"" << stroke
            << "\" stroke-width=\"" << strokeWidth << "\"/>\n";
    }
    // anchor: "start", "middle" or "end"; the text is centred vertically in r.
    void text(const CRect& r, const std::wstring& t, const char* anchor,
              const std::string& fill = "#000000") {
        if (t.empty()) return;
        const int x = anchor[0] == 'm'   ? (r.left + r.right) / 2
                      : anchor[0] == 'e' ? r.right - 3
                                         : r.left + 3;
        out << "<text x=\"" << x << "\" y=\"" << (r.top + r.bottom) / 2 + kFontSize / 2 - 1
            << "\" text-anchor=\"" << anchor << "\" fill=\"" << fill << "\">" << acgiSvgEscaped(t)
            << "</text>\n";
    }
};

void DrawButton(Painter& p, const CButton& b) {
    const CRect& r = b.GetWindowRect();
    if (b.GetStyle() == CButton::Style::kRadio) {
        const int cy = (r.top + r.bottom) / 2;
        p.out << "<circle cx=\"" << r.left + 7 << "\" cy=\"" << cy
              << "\" r=\"6\" fill=\"#FFFFFF\" stroke=\"#333333\"/>\n";
        if (b.GetCheck() != 0)
            p.out << "<circle cx=\"" << r.left + 7 << "\" cy=\"" << cy
                  << "\" r=\"3\" fill=\"#333333\"/>\n";
        p.text({r.left + 16, r.top, r.right, r.bottom}, b.GetWindowText(), "start");
        return;
    }
    CButtonFace face;
    std::string fill = "#E1E1E1";
    if (b.GetFace(face)) {
        const int id = ++p.gradients;
        p.out << "<defs><linearGradient id=\"shade" << id
              << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
              << "<stop offset=\"0\" stop-color=\"" << Colour(face.light) << "\"/>"
              << "<stop offset=\"" << face.highlight / 100.0 << "\" stop-color=\""
              << Colour(face.face) << "\"/><stop offset=\"1\" stop-color=\"" << Colour(face.shadow)
              << "\"/>"
              << "</linearGradient>";
        if (face.granularity > 0)
            p.out << "<filter id=\"grain" << id
                  << "\"><feTurbulence baseFrequency=\"0.9\" numOctaves=\"1\" seed=\""
                  << face.granularity << "\"/><feColorMatrix type=\"saturate\" values=\"0\"/>"
                  << "<feComponentTransfer><feFuncA type=\"linear\" slope=\""
                  << face.granularity / 100.0 << "\"/></feComponentTransfer>"
                  << "<feComposite in2=\"SourceGraphic\" operator=\"in\"/></filter>";
        p.out << "</defs>\n";
        fill = "url(#shade" + std::to_string(id) + ")";
        p.rect(r, fill, b.IsDefault() ? "#000000" : "#696969", b.IsDefault() ? 2 : 1);
        if (face.granularity > 0)
            p.out << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.Width()
                  << "\" height=\"" << r.Height() << "\" fill=\"#FFFFFF\" filter=\"url(#grain" << id
                  << ")\"/>\n";
    } else {
        p.rect(r, fill, b.IsDefault() ? "#0078D7" : "#ADADAD", b.IsDefault() ? 2 : 1);
    }
    p.text(r, b.GetWindowText(), "middle", b.IsWindowEnabled() ? "#000000" : "#A0A0A0");
}

void DrawGrid(Painter& p, const CGridCtrl& g) {
    const CRect& r = g.GetWindowRect();
    p.out << "<svg x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.Width()
          << "\" height=\"" << r.Height() << "\" overflow=\"hidden\">\n";
    p.rect({0, 0, r.Width(), r.Height()}, Colour(g.GetBkColor()));
    int y = 0;
    for (int row = 0; row < g.GetRowCount() && y < r.Height(); ++row) {
        int x = 0;
        const int h = g.GetRowHeight(row);
        for (int col = 0; col < g.GetColumnCount() && x < r.Width(); ++col) {
            const int w = g.GetColumnWidth(col);
            const CRect cell{x, y, x + w, y + h};
            const bool fixed = g.IsFixed(row, col);
            p.rect(cell, fixed ? "#E0E0E0" : Colour(g.GetTextBkColor()), "#A0A0A0");
            p.text(cell, g.GetItemText(row, col), fixed ? "middle" : "start",
                   fixed ? "#000000" : Colour(g.GetTextColor()));
            x += w;
        }
        y += h;
    }
    const CCellID f = g.GetFocusCell();
    if (f.IsValid()) {
        int fx = 0, fy = 0;
        for (int c = 0; c < f.col; ++c) fx += g.GetColumnWidth(c);
        for (int rr = 0; rr < f.row; ++rr) fy += g.GetRowHeight(rr);
        p.rect({fx + 1, fy + 1, fx + g.GetColumnWidth(f.col) - 1, fy + g.GetRowHeight(f.row) - 1},
               "none", "#000000", 2);
    }
    p.out << "</svg>\n";
    p.rect(r, "none", "#7A7A7A");
}

void DrawControl(Painter& p, const CWnd& c) {
    const CRect& r = c.GetWindowRect();
    if (auto* b = dynamic_cast<const CButton*>(&c)) return DrawButton(p, *b);
    if (auto* g = dynamic_cast<const CGridCtrl*>(&c)) return DrawGrid(p, *g);
    if (auto* list = dynamic_cast<const CComboBox*>(&c)) {
        p.rect(r, "#FFFFFF", "#7A7A7A");
        p.text({r.left, r.top, r.right - 18, r.bottom}, list->GetWindowText(), "start");
        const int ax = r.right - 9, ay = (r.top + r.bottom) / 2;
        p.out << "<path d=\"M" << ax - 4 << "," << ay - 2 << " L" << ax + 4 << "," << ay - 2 << " L"
              << ax << "," << ay + 3 << " Z\" fill=\"#333333\"/>\n";
        return;
    }
    if (dynamic_cast<const CEdit*>(&c) != nullptr) {
        p.rect(r, "#FFFFFF", "#7A7A7A");
        p.text(r, c.GetWindowText(), "start");
        return;
    }
    // A label: its text may run over several lines.
    const std::wstring text = c.GetWindowText();
    size_t at = 0;
    for (int line = 0; at <= text.size(); ++line) {
        size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos) end = text.size();
        const int top = r.top + line * (kFontSize + 4);
        if (top >= r.bottom) break;
        p.text({r.left - 3, top, r.right, top + kFontSize + 4}, text.substr(at, end - at), "start");
        at = end + 1;
    }
}

}  // namespace

std::string UiDialogSvg(const CDialog& dialog) {
    const int w = dialog.Width(), h = dialog.Height();
    Painter p;
    p.out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w + 2 << "\" height=\""
          << h + kTitleHeight + 1 << "\" font-family=\"" << kFont << "\" font-size=\"" << kFontSize
          << "\">\n";
    p.rect({0, 0, w + 2, h + kTitleHeight + 1}, "#FFFFFF", "#6E6E6E");
    p.text({8, 0, w, kTitleHeight}, dialog.GetWindowText(), "start");
    p.text({w - 24, 0, w - 4, kTitleHeight}, L"×", "middle");
    p.out << "<g transform=\"translate(1," << kTitleHeight << ")\">\n";
    p.rect({0, 0, w, h}, "#F0F0F0");
    for (const CWnd* c : dialog.Controls()) DrawControl(p, *c);
    if (dialog.IsResizable())
        for (int k = 1; k <= 3; ++k)
            p.out << "<line x1=\"" << w - 4 * k << "\" y1=\"" << h - 2 << "\" x2=\"" << w - 2
                  << "\" y2=\"" << h - 4 * k << "\" stroke=\"#A0A0A0\"/>\n";
    p.out << "</g>\n</svg>\n";
    return p.out.str();
}
