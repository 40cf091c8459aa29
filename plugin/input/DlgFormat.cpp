#include "DlgFormat.h"

#include "LayerGrid.h"

namespace {
constexpr const wchar_t* kFormatOneSample =
    L"1,X1,Y1,高程1,高程2,高程3...\n2,X2,Y2,高程1,高程2,高程3...\n3,X3,Y3,高程1,高程2,高程3...\n";
constexpr const wchar_t* kFormatTwoSample =
    L"1,X1,Y1,高程1,高差2,高差3...\n2,X2,Y2,高程1,高差2,高差3...\n3,X3,Y3,高程1,高差2,高差3...\n";
}  // namespace

CDlgFormat::CDlgFormat(CWnd* parent, int format)
    : CAcUiDialog(L"标高数据格式", parent, 380, 200), m_format(format) {
    mOne.SetWindowText(L"格式一");
    mTwo.SetWindowText(L"格式二");
    mOneSample.SetWindowText(kFormatOneSample);
    mTwoSample.SetWindowText(kFormatTwoSample);
    mOk.SetWindowText(L"确定");
    mCancel.SetWindowText(L"取消");
    AddControl(mOne, {14, 14, 90, 34});
    AddControl(mOneSample, {100, 16, 370, 68});
    AddControl(mTwo, {14, 84, 90, 104});
    AddControl(mTwoSample, {100, 86, 370, 138});
    AddControl(mOk, {206, 162, 284, 188});
    AddControl(mCancel, {292, 162, 370, 188});
    // Two groups of one button each: choosing one clears the other.
    mOne.OnClicked([this] { mTwo.SetCheck(0); });
    mTwo.OnClicked([this] { mOne.SetCheck(0); });
    mOk.OnClicked([this] { OnOK(); });
    mCancel.OnClicked([this] { OnCancel(); });
}

BOOL CDlgFormat::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    TakeParentIcons(*this);
    mOne.SetCheck(m_format == 1 ? 1 : 0);
    mTwo.SetCheck(m_format == 1 ? 0 : 1);
    CenterWindow();
    return 1;
}

void CDlgFormat::OnOK() {
    m_format = mOne.GetCheck() != 0 ? 1 : 2;
    CAcUiDialog::OnOK();
}
