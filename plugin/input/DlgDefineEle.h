// The define dialog ("定义标高"): the elevations of one picked point, one grid
// row per layer; confirming makes the point.
#pragma once

#include "GridCtrl.h"
#include "ResizableDialog.h"
#include "ShadeButton.h"
#include "acge.h"

class CDlgDefineEle : public CResizableDialog {
  public:
    explicit CDlgDefineEle(CWnd* parent);
    // World coordinates of the point, set before DoModal.
    AcGePoint3d m_position;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    void OnAddRow();
    void OnDeleteRow();

    CxShadeButton mAdd, mDelete, mOk{CButton::Style::kDefPush}, mCancel;
    CGridCtrl mGrid;
};

// Sets up a two-column layer grid ("序号", "标高") of n empty or given rows.
void FillLayerGrid(CGridCtrl& grid, int layers);
// Appends one layer row: its number and an empty decimal cell.
void AddLayerRow(CGridCtrl& grid);
// The elevation of every layer row: a cell nobody edited gives the value it
// was filled with, otherwise its text read as a number (blank gives 0).
AcGeDoubleArray LayerGridElevations(const CGridCtrl& grid);
