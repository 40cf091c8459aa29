#include "LayerGrid.h"

void SetElevationGridColours(CGridCtrl& grid) {
    grid.SetTextColor(kGridTextColour);
    grid.SetTextBkColor(kGridCellColour);
    grid.SetBkColor(kGridAreaColour);
}

bool DeleteFocusRow(CGridCtrl& grid) {
    const int row = grid.GetFocusCell().row;
    const int rows = grid.GetRowCount();
    const bool deleting = row >= 1 && row < rows;
    if (deleting) {
        for (int below = row + 1; below < rows; ++below)
            for (int col = 1; col < grid.GetColumnCount(); ++col)
                grid.CopyCell(below, col, below - 1, col);
        grid.SetRowCount(rows - 1);
    }
    grid.Invalidate();
    return deleting;
}

void TakeParentIcons(CWnd& window) {
    const CWnd* parent = window.GetParent();
    if (parent == nullptr) return;
    window.SetIcon(parent->GetIcon(1), 1);
    window.SetIcon(parent->GetIcon(0), 0);
}
