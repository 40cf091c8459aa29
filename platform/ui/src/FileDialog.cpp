#include <filesystem>

#include "afxdlgs.h"
#include "wcrt.h"

namespace {
// "txt (*.txt)|*.txt||" shows its descriptions: "txt (*.txt)".
std::wstring FilterDescriptions(const std::wstring& filter) {
    std::wstring shown;
    size_t at = 0;
    for (bool description = true; at < filter.size(); description = !description) {
        size_t bar = filter.find(L'|', at);
        if (bar == std::wstring::npos) bar = filter.size();
        if (description && bar > at)
            shown += (shown.empty() ? L"" : L"; ") + filter.substr(at, bar - at);
        at = bar + 1;
    }
    return shown;
}

std::filesystem::path FilePath(const std::wstring& path) {
    return std::filesystem::path(wcrtToUtf8(path));
}
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExtension,
                         const wchar_t* fileName, unsigned flags, const wchar_t* filter,
                         CWnd* parent, unsigned, BOOL)
    : CDialog(openFileDialog ? L"打开" : L"另存为", parent, 420, 130),
      mFlags(flags),
      mFilter(filter != nullptr ? filter : L""),
      mDefaultExtension(defaultExtension != nullptr ? defaultExtension : L"") {
    mNameLabel.SetWindowText(L"文件名:");
    mName.SetWindowText(fileName != nullptr ? fileName : L"");
    mFilterLabel.SetWindowText(L"文件类型:");
    mTypes.SetWindowText(FilterDescriptions(mFilter));
    mOpen.SetWindowText(openFileDialog ? L"打开" : L"保存");
    mCancel.SetWindowText(L"取消");
    AddControl(mNameLabel, {12, 16, 82, 36});
    AddControl(mName, {86, 14, 406, 36});
    AddControl(mFilterLabel, {12, 50, 82, 70});
    AddControl(mTypes, {86, 50, 406, 70});
    AddControl(mOpen, {232, 90, 312, 116});
    AddControl(mCancel, {326, 90, 406, 116});
    mOpen.OnClicked([this] { OnOK(); });
    mCancel.OnClicked([this] { OnCancel(); });
}

void CFileDialog::OnOK() {
    std::wstring path = mName.GetWindowText();
    if (path.empty()) return Refuse(L"no file name was typed");
    if (!mDefaultExtension.empty() && FilePath(path).extension().empty())
        path += L"." + mDefaultExtension;
    if ((mFlags & OFN_FILEMUSTEXIST) != 0 && !std::filesystem::is_regular_file(FilePath(path)))
        return Refuse(L"the file \"" + path + L"\" is not there");
    mPath = path;
    EndDialog(IDOK);
}
