// A dialog as text for a terminal: its title, each control on a line, the
// grid as a table with row and column numbers as the dialog lines name them.
#include <algorithm>

#include "GridCtrl.h"
#include "uidriver.h"

namespace {

// Columns a text takes on a terminal: wide (CJK, full-width) characters take two.
size_t TerminalWidth(const std::wstring& text) {
    size_t w = 0;
    for (wchar_t c : text)
        w += (c >= 0x1100 &&
              (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
               (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
               (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6)))
                 ? 2
                 : 1;
    return w;
}

std::wstring Padded(const std::wstring& text, size_t width) {
    const size_t w = TerminalWidth(text);
    return text + std::wstring(w < width ? width - w : 0, L' ');
}

void GridTable(const CGridCtrl& g, std::wstring& out) {
    const int rows = g.GetRowCount(), cols = g.GetColumnCount();
    out += L"  grid (" + std::to_wstring(rows) + L" rows, " + std::to_wstring(cols) +
           L" columns; cells grid:R,C";
    const CCellID f = g.GetFocusCell();
    if (f.IsValid()) out += L"; focus " + std::to_wstring(f.row) + L"," + std::to_wstring(f.col);
    out += L")\n";
    std::vector<size_t> widths(cols, 1);
    for (int c = 0; c < cols; ++c) {
        widths[c] = std::max<size_t>(widths[c], TerminalWidth(std::to_wstring(c)));
        for (int r = 0; r < rows; ++r)
            widths[c] = std::max(widths[c], TerminalWidth(g.GetItemText(r, c)));
    }
    const size_t rowWidth = std::to_wstring(std::max(rows - 1, 0)).size();
    std::wstring header = L"    " + std::wstring(rowWidth, L' ') + L" |";
    for (int c = 0; c < cols; ++c) header += L" " + Padded(std::to_wstring(c), widths[c]) + L" |";
    out += header + L"\n";
    for (int r = 0; r < rows; ++r) {
        std::wstring line = L"    " + Padded(std::to_wstring(r), rowWidth) + L" |";
        for (int c = 0; c < cols; ++c)
            line += L" " + Padded(g.GetItemText(r, c), widths[c]) + L" |";
        out += line + L"\n";
    }
}

}  // namespace

std::wstring UiDialogText(const CDialog& dialog) {
    std::wstring out = L"[" + dialog.GetWindowText() + L"]";
    if (dialog.IsResizable())
        out += L"  " + std::to_wstring(dialog.Width()) + L"x" + std::to_wstring(dialog.Height());
    out += L"\n";
    for (const CWnd* c : dialog.Controls()) {
        if (auto* b = dynamic_cast<const CButton*>(c)) {
            if (b->GetStyle() == CButton::Style::kRadio)
                out += std::wstring(L"  (") + (b->GetCheck() ? L"*" : L" ") + L") " +
                       b->GetWindowText() + L"\n";
            else
                out += L"  <" + b->GetWindowText() + (b->IsDefault() ? L"> (default)\n" : L">\n");
        } else if (auto* g = dynamic_cast<const CGridCtrl*>(c)) {
            GridTable(*g, out);
        } else if (dynamic_cast<const CEdit*>(c) != nullptr ||
                   dynamic_cast<const CComboBox*>(c) != nullptr) {
            out += L"  " + UiControlLabel(dialog, *c) + L": [" + c->GetWindowText() + L"]" +
                   (dynamic_cast<const CComboBox*>(c) != nullptr ? L" (list)\n" : L"\n");
        }
    }
    return out;
}
