#include "DlgSetEleAtrr.h"

#include "ArxHelpers.h"
#include "CommandSettings.h"
#include "ElevationPointMaker.h"
#include "LayerGrid.h"

CDlgSetEleAtrr::CDlgSetEleAtrr(CWnd* parent) : CAcUiDialog(L"文本设置", parent, 220, 130) {
    mAngleLabel.SetWindowText(L"标注角度:");
    mHeightLabel.SetWindowText(L"文本高度:");
    mOk.SetWindowText(L"确定");
    AddControl(mAngleLabel, {12, 14, 80, 34});
    AddControl(mAngle, {84, 12, 208, 34});
    AddControl(mHeightLabel, {12, 48, 80, 68});
    AddControl(mHeight, {84, 46, 208, 68});
    AddControl(mOk, {120, 90, 208, 116});
    mOk.OnClicked([this] { OnOK(); });
}

BOOL CDlgSetEleAtrr::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    TakeParentIcons(*this);
    for (int degrees = 0; degrees <= 360; ++degrees) mAngle.AddString(std::to_wstring(degrees));
    // The first entry that begins with the stored text, searched from the
    // second entry on and the first one last; none selects 0.
    const std::wstring angle = ReadSetting(kTextAngleSetting, kDefaultTextAngle, true);
    const int found = mAngle.FindString(0, angle);
    mAngle.SetCurSel(found == CComboBox::CB_ERR ? 0 : found);
    mHeight.SetWindowText(ReadSetting(kTextHeightSetting, kDefaultTextHeight, true));
    CenterWindow();
    return 1;
}

void CDlgSetEleAtrr::OnOK() {
    ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, kTextAngleSetting,
                                  mAngle.GetWindowText().c_str());
    ArxRegedit::Arx_SetValueToReg(kQuarnSettingsKey, kTextHeightSetting,
                                  mHeight.GetWindowText().c_str());
    CAcUiDialog::OnOK();
}
