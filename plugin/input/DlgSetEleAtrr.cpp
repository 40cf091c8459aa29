#include "DlgSetEleAtrr.h"

#include "LayerGrid.h"
#include "RegistrySettings.h"

namespace {
// The stored text as it is; an empty one gives the default, which is stored.
std::wstring StoredOrDefault(Setting setting) {
    std::wstring text = RegistrySettings().value(RowOf(setting).name).value_or(L"");
    if (!text.empty()) return text;
    text = RowOf(setting).fallback;
    WriteSetting(setting, text);
    return text;
}
}  // namespace

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
    const std::wstring angle = StoredOrDefault(Setting::PointTextAngle);
    const int found = mAngle.FindString(0, angle);
    mAngle.SetCurSel(found == CComboBox::CB_ERR ? 0 : found);
    mHeight.SetWindowText(StoredOrDefault(Setting::PointTextHeight));
    CenterWindow();
    return 1;
}

void CDlgSetEleAtrr::OnOK() {
    WriteSetting(Setting::PointTextAngle, mAngle.GetWindowText());
    WriteSetting(Setting::PointTextHeight, mHeight.GetWindowText());
    CAcUiDialog::OnOK();
}
