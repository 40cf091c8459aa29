#include "DlgDefineEle.h"

#include "DocData.h"
#include "ElevationPointMaker.h"
#include "LayerGrid.h"
#include "wcrt.h"

namespace {
constexpr int kRowHeight = 20;
constexpr int kNumberWidth = 50;
constexpr int kElevationWidth = 120;
}  // namespace

void AddLayerRow(CGridCtrl& grid) {
    const int row = grid.GetRowCount();
    grid.SetRowCount(row + 1);
    grid.SetRowHeight(row, kRowHeight);
    grid.SetItemText(row, 0, wcrtFormat(L"%d", row));
    grid.SetCellType(row, 1, GridCellType::kDecimal);
}

void FillLayerGrid(CGridCtrl& grid, int layers) {
    grid.DeleteAllItems();
    SetElevationGridColours(grid);
    grid.SetRowCount(1);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowHeight(0, kRowHeight);
    grid.SetColumnWidth(0, kNumberWidth);
    grid.SetColumnWidth(1, kElevationWidth);
    grid.SetItemText(0, 0, L"序号");
    grid.SetItemText(0, 1, L"标高");
    for (int r = 1; r <= layers; ++r) AddLayerRow(grid);
}

AcGeDoubleArray LayerGridElevations(const CGridCtrl& grid) {
    AcGeDoubleArray elevations;
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const std::vector<double> kept = grid.GetItemValues(r, 1);
        elevations.append(kept.size() == 1 ? kept[0] : _wtof(grid.GetItemText(r, 1).c_str()));
    }
    return elevations;
}

CDlgDefineEle::CDlgDefineEle(CWnd* parent) : CResizableDialog(L"定义标高", parent, 260, 300) {
    mAdd.SetWindowText(L"添加行");
    mDelete.SetWindowText(L"删除行");
    mOk.SetWindowText(L"确定");
    mCancel.SetWindowText(L"取消");
    AddControl(mAdd, {10, 10, 80, 34});
    AddControl(mDelete, {180, 10, 250, 34});
    AddControl(mGrid, {10, 42, 250, 256});
    AddControl(mOk, {96, 264, 168, 290});
    AddControl(mCancel, {178, 264, 250, 290});
    mAdd.OnClicked([this] { OnAddRow(); });
    mDelete.OnClicked([this] { OnDeleteRow(); });
    mOk.OnClicked([this] { OnOK(); });
    mCancel.OnClicked([this] { OnCancel(); });
}

BOOL CDlgDefineEle::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    TakeParentIcons(*this);
    FillLayerGrid(mGrid, DocVars.lastLayerCount);
    AddAnchor(mAdd, TOP_LEFT);
    AddAnchor(mDelete, TOP_RIGHT);
    AddAnchor(mGrid, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(mOk, BOTTOM_RIGHT);
    AddAnchor(mCancel, BOTTOM_RIGHT);
    CenterWindow();
    return 1;
}

void CDlgDefineEle::OnAddRow() {
    AddLayerRow(mGrid);
    mGrid.Invalidate();
}

void CDlgDefineEle::OnDeleteRow() { DeleteFocusRow(mGrid); }

void CDlgDefineEle::OnOK() {
    const AcGeDoubleArray elevations = LayerGridElevations(mGrid);
    DocVars.lastLayerCount = elevations.length();
    {
        ElevationPointMaker maker;
        if (elevations.length() >= 1) maker.AddPoint(m_position, elevations);
    }
    CResizableDialog::OnOK();
}
