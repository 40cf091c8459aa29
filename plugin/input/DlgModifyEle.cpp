#include "DlgModifyEle.h"

#include "AcDbMPointEle.h"
#include "DlgDefineEle.h"
#include "DocData.h"
#include "LayerGrid.h"
#include "wcrt.h"

CDlgModifyEle::CDlgModifyEle(CWnd* parent) : CResizableDialog(L"修改标高", parent, 260, 300) {
    mOk.SetWindowText(L"确定");
    mCancel.SetWindowText(L"取消");
    AddControl(mGrid, {10, 10, 250, 256});
    AddControl(mOk, {96, 264, 168, 290});
    AddControl(mCancel, {178, 264, 250, 290});
    mOk.OnClicked([this] { OnOK(); });
    mCancel.OnClicked([this] { OnCancel(); });
}

BOOL CDlgModifyEle::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    TakeParentIcons(*this);
    AcGeDoubleArray elevations;
    AcDbMPointEle* point = nullptr;
    if (acdbOpenObject(point, m_objectId, AcDb::kForRead) == Acad::eOk) {
        point->elevations(elevations);
        point->close();
        mRead = true;
    }
    FillLayerGrid(mGrid, elevations.length());
    for (int r = 1; r <= elevations.length(); ++r) {
        mGrid.SetItemText(r, 1, wcrtFormat(L"%G", elevations[r - 1]));
        mGrid.SetItemValues(r, 1, {elevations[r - 1]});
    }
    AddAnchor(mGrid, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(mOk, BOTTOM_RIGHT);
    AddAnchor(mCancel, BOTTOM_RIGHT);
    CenterWindow();
    return 1;
}

void CDlgModifyEle::OnOK() {
    const AcGeDoubleArray elevations = LayerGridElevations(mGrid);
    DocVars.lastLayerCount = elevations.length();
    // A point whose elevations could not be read at the start keeps them:
    // its empty grid says nothing about it.
    AcDbMPointEle* point = nullptr;
    if (mRead && acdbOpenObject(point, m_objectId, AcDb::kForWrite) == Acad::eOk) {
        point->setElevations(elevations);
        point->close();
    }
    CResizableDialog::OnOK();
}
