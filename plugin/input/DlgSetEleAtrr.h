// The annotation text settings ("文本设置"): the text angle in whole degrees
// from a list that can also be typed into, and the text height.
#pragma once

#include "ShadeButton.h"
#include "acui.h"

class CDlgSetEleAtrr : public CAcUiDialog {
  public:
    explicit CDlgSetEleAtrr(CWnd* parent);

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    CStatic mAngleLabel, mHeightLabel;
    CComboBox mAngle;
    CDecimalEdit mHeight;
    CxShadeButton mOk{CButton::Style::kDefPush};
};
