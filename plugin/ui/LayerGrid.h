// What the plug-in's elevation grids share: their colours, a new row of the
// grid, and deleting the row that holds the focus cell.
#pragma once

#include "GridCtrl.h"

inline constexpr COLORREF kGridTextColour = RGB(0, 0, 255);
inline constexpr COLORREF kGridCellColour = RGB(255, 255, 255);
inline constexpr COLORREF kGridAreaColour = RGB(0, 128, 128);

// Blue text on white cells, teal where there are no cells.
void SetElevationGridColours(CGridCtrl& grid);

// Deletes the row of the focus cell when it is a data row (1 <= r < row
// count): the cells of columns 1.. of every following row move one row up,
// column 0 keeps its numbering, and the last row goes. Returns whether a row
// went. Asks for a repaint either way.
bool DeleteFocusRow(CGridCtrl& grid);

// A dialog takes its parent's big and small icons.
void TakeParentIcons(CWnd& window);
