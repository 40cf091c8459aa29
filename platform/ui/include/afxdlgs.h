// The host's standard open-file dialog, titled "打开", with a file-name field
// under the label "文件名:". Its OK refuses a file that is not there when the
// flags ask for an existing file.
#pragma once

#include <string>

#include "afxwin.h"

constexpr unsigned OFN_HIDEREADONLY = 0x00000004;
constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog : public CDialog {
  public:
    CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension = nullptr,
                const wchar_t* fileName = nullptr, unsigned flags = OFN_HIDEREADONLY,
                const wchar_t* filter = nullptr, CWnd* parent = nullptr, unsigned size = 0,
                BOOL vistaStyle = 1);
    std::wstring GetPathName() const { return mPath; }
    std::wstring GetFilter() const { return mFilter; }

  protected:
    void OnOK() override;

  private:
    CStatic mFilterLabel, mTypes, mNameLabel;
    CEdit mName;
    CButton mOpen{CButton::Style::kDefPush}, mCancel;
    unsigned mFlags;
    std::wstring mFilter;
    std::wstring mDefaultExtension;
    std::wstring mPath;
};
