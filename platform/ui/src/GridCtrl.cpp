#include "GridCtrl.h"

void CGridCtrl::DeleteAllItems() {
    mRows.clear();
    mHeights.clear();
    mWidths.clear();
    mFixedRows = mFixedColumns = 0;
    mFocus = {};
}

void CGridCtrl::SetRowCount(int rows) {
    if (rows < 0) rows = 0;
    mRows.resize(rows, std::vector<Cell>(mWidths.size()));
    mHeights.resize(rows, kDefaultRowHeight);
    if (mFocus.row >= rows) mFocus = {};
}

void CGridCtrl::SetColumnCount(int columns) {
    if (columns < 0) columns = 0;
    for (auto& row : mRows) row.resize(columns);
    mWidths.resize(columns, kDefaultColumnWidth);
    if (mFocus.col >= columns) mFocus = {};
}

void CGridCtrl::SetRowHeight(int row, int height) {
    if (row >= 0 && row < GetRowCount()) mHeights[row] = height;
}

void CGridCtrl::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < GetColumnCount()) mWidths[column] = width;
}

int CGridCtrl::GetRowHeight(int row) const {
    return row >= 0 && row < GetRowCount() ? mHeights[row] : 0;
}

int CGridCtrl::GetColumnWidth(int column) const {
    return column >= 0 && column < GetColumnCount() ? mWidths[column] : 0;
}

bool CGridCtrl::IsValid(int row, int column) const {
    return row >= 0 && row < GetRowCount() && column >= 0 && column < GetColumnCount();
}

CGridCtrl::Cell* CGridCtrl::cell(int row, int column) {
    return IsValid(row, column) ? &mRows[row][column] : nullptr;
}

const CGridCtrl::Cell* CGridCtrl::cell(int row, int column) const {
    return IsValid(row, column) ? &mRows[row][column] : nullptr;
}

bool CGridCtrl::SetItemText(int row, int column, const std::wstring& text) {
    Cell* c = cell(row, column);
    if (c == nullptr) return false;
    c->text = text;
    c->values.clear();
    c->edited = false;
    return true;
}

std::wstring CGridCtrl::GetItemText(int row, int column) const {
    const Cell* c = cell(row, column);
    return c != nullptr ? c->text : std::wstring();
}

void CGridCtrl::SetItemValues(int row, int column, std::vector<double> values) {
    if (Cell* c = cell(row, column)) c->values = std::move(values);
}

std::vector<double> CGridCtrl::GetItemValues(int row, int column) const {
    const Cell* c = cell(row, column);
    return c != nullptr ? c->values : std::vector<double>();
}

bool CGridCtrl::IsItemEdited(int row, int column) const {
    const Cell* c = cell(row, column);
    return c != nullptr && c->edited;
}

bool CGridCtrl::SetCellType(int row, int column, GridCellType type) {
    Cell* c = cell(row, column);
    if (c == nullptr) return false;
    c->type = type;
    return true;
}

GridCellType CGridCtrl::GetCellType(int row, int column) const {
    const Cell* c = cell(row, column);
    return c != nullptr ? c->type : GridCellType::kText;
}

bool CGridCtrl::CopyCell(int fromRow, int fromColumn, int toRow, int toColumn) {
    const Cell* from = cell(fromRow, fromColumn);
    Cell* to = cell(toRow, toColumn);
    if (from == nullptr || to == nullptr) return false;
    *to = *from;
    return true;
}

bool CGridCtrl::SetFocusCell(int row, int column) {
    if (!IsValid(row, column)) return false;
    mFocus = {row, column};
    return true;
}

bool CGridCtrl::EditCell(int row, int column, const std::wstring& text, std::wstring& why) {
    Cell* c = cell(row, column);
    if (c == nullptr) {
        why = L"the grid has no cell " + std::to_wstring(row) + L"," + std::to_wstring(column);
        return false;
    }
    if (IsFixed(row, column)) {
        why = L"the cell " + std::to_wstring(row) + L"," + std::to_wstring(column) +
              L" is a fixed cell and cannot be edited";
        return false;
    }
    if (c->type == GridCellType::kDecimal && !IsDecimalInput(text)) {
        why = L"the cell " + std::to_wstring(row) + L"," + std::to_wstring(column) +
              L" takes only digits, one decimal point and a leading sign, not \"" + text + L"\"";
        return false;
    }
    c->text = text;
    c->values.clear();
    c->edited = true;
    mFocus = {row, column};
    Invalidate();
    return true;
}
