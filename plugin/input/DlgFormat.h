// The survey file format ("标高数据格式"): absolute elevations (格式一) or a
// first elevation with height differences (格式二), each beside its sample.
#pragma once

#include "ShadeButton.h"
#include "acui.h"

class CDlgFormat : public CAcUiDialog {
  public:
    CDlgFormat(CWnd* parent, int format);
    // 1 = format one, 2 = format two after OK.
    int m_format;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    CButton mOne{CButton::Style::kRadio}, mTwo{CButton::Style::kRadio};
    CStatic mOneSample, mTwoSample;
    CxShadeButton mOk{CButton::Style::kDefPush}, mCancel;
};
