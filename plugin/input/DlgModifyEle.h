// The modify dialog ("修改标高"): the elevations of one existing point, one
// grid row per layer; confirming writes them back in one go.
#pragma once

#include "GridCtrl.h"
#include "ResizableDialog.h"
#include "ShadeButton.h"
#include "dbid.h"

class CDlgModifyEle : public CResizableDialog {
  public:
    explicit CDlgModifyEle(CWnd* parent);
    // The point, set before DoModal.
    AcDbObjectId m_objectId;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    CGridCtrl mGrid;
    CxShadeButton mOk{CButton::Style::kDefPush}, mCancel;
    bool mRead = false;  // whether the point's elevations could be read at the start
};
