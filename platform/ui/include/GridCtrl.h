// The editable grid control (window class "MFCGridCtrl"): fixed header rows
// and columns, row heights, column widths, cell texts, an in-place editor per
// cell (plain text, or decimal numbers only), the focus cell and three
// colours. Cells also carry the numbers their text was made from, so that a
// cell shown rounded still gives its full value while nobody edits it.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"

inline constexpr const wchar_t* kGridWindowClass = L"MFCGridCtrl";

// Cell types of the in-place editor.
enum class GridCellType { kText, kDecimal };

struct CCellID {
    int row = -1;
    int col = -1;
    bool IsValid() const { return row >= 0 && col >= 0; }
};

class CGridCtrl : public CWnd {
  public:
    static constexpr int kDefaultRowHeight = 20;
    static constexpr int kDefaultColumnWidth = 70;

    // Removes every row and column.
    void DeleteAllItems();
    // New rows and columns are empty text cells; dropped ones go with their
    // texts, and a focus cell among them is cleared.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    int GetRowCount() const { return static_cast<int>(mRows.size()); }
    int GetColumnCount() const { return static_cast<int>(mWidths.size()); }
    void SetFixedRowCount(int rows) { mFixedRows = rows; }
    void SetFixedColumnCount(int columns) { mFixedColumns = columns; }
    int GetFixedRowCount() const { return mFixedRows; }
    int GetFixedColumnCount() const { return mFixedColumns; }
    void SetRowHeight(int row, int height);
    void SetColumnWidth(int column, int width);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int column) const;

    // Setting a text from code drops the cell's numbers and its edited mark.
    bool SetItemText(int row, int column, const std::wstring& text);
    std::wstring GetItemText(int row, int column) const;
    // The numbers the cell's text was made from (empty when none are kept).
    void SetItemValues(int row, int column, std::vector<double> values);
    std::vector<double> GetItemValues(int row, int column) const;
    bool IsItemEdited(int row, int column) const;
    bool SetCellType(int row, int column, GridCellType type);
    GridCellType GetCellType(int row, int column) const;
    // Copies text, type, numbers and edited mark of one cell onto another.
    bool CopyCell(int fromRow, int fromColumn, int toRow, int toColumn);

    CCellID GetFocusCell() const { return mFocus; }
    bool SetFocusCell(int row, int column);

    void SetTextColor(COLORREF c) { mTextColor = c; }
    void SetTextBkColor(COLORREF c) { mTextBkColor = c; }
    void SetBkColor(COLORREF c) { mBkColor = c; }
    COLORREF GetTextColor() const { return mTextColor; }
    COLORREF GetTextBkColor() const { return mTextBkColor; }
    COLORREF GetBkColor() const { return mBkColor; }

    bool IsValid(int row, int column) const;
    bool IsFixed(int row, int column) const { return row < mFixedRows || column < mFixedColumns; }

    // What the user does: types the text into the cell's in-place editor. The
    // cell takes the focus. Refused (false, why set) for a cell that is not
    // there or is fixed, and for a decimal cell given anything but a decimal
    // number; a refused edit changes nothing.
    bool EditCell(int row, int column, const std::wstring& text, std::wstring& why);

  private:
    struct Cell {
        std::wstring text;
        GridCellType type = GridCellType::kText;
        std::vector<double> values;
        bool edited = false;
    };
    Cell* cell(int row, int column);
    const Cell* cell(int row, int column) const;

    std::vector<std::vector<Cell>> mRows;
    std::vector<int> mHeights;
    std::vector<int> mWidths;
    int mFixedRows = 0;
    int mFixedColumns = 0;
    CCellID mFocus;
    COLORREF mTextColor = RGB(0, 0, 0);
    COLORREF mTextBkColor = RGB(255, 255, 255);
    COLORREF mBkColor = RGB(255, 255, 255);
};
