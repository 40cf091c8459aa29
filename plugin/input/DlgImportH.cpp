#include "DlgImportH.h"

#include "DlgFormat.h"
#include "DlgSetEleAtrr.h"
#include "DocData.h"
#include "ElevationPointMaker.h"
#include "LayerGrid.h"
#include "ModuleRecord.h"
#include "RegistrySettings.h"
#include "StdioFileEx.h"
#include "afxdlgs.h"
#include "wcrt.h"

namespace {
constexpr const wchar_t* kFileFilter = L"txt (*.txt)|*.txt||";
constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 18;
constexpr int kNumberWidth = 45;
constexpr int kCoordinateWidth = 120;
constexpr int kLayerWidth = 70;

// X and Y of a coordinate cell: the numbers before and after its comma.
AcGePoint3d CellPosition(const CGridCtrl& grid, int row) {
    const std::vector<double> kept = grid.GetItemValues(row, 1);
    if (kept.size() == 2) return {kept[0], kept[1], 0.0};
    const std::wstring text = grid.GetItemText(row, 1);
    const size_t comma = text.find(L',');
    const double x = _wtof(text.substr(0, comma).c_str());
    const double y = comma == std::wstring::npos ? 0.0 : _wtof(text.substr(comma + 1).c_str());
    return {x, y, 0.0};
}

// The row's elevations, one for every layer cell that is not blank.
AcGeDoubleArray CellElevations(const CGridCtrl& grid, int row) {
    AcGeDoubleArray elevations;
    for (int col = 2; col < grid.GetColumnCount(); ++col) {
        const std::vector<double> kept = grid.GetItemValues(row, col);
        if (kept.size() == 1) {
            elevations.append(kept[0]);
            continue;
        }
        const std::wstring text = wcrtTrim(grid.GetItemText(row, col));
        if (!text.empty()) elevations.append(_wtof(text.c_str()));
    }
    return elevations;
}
}  // namespace

CDlgImportH::CDlgImportH(CWnd* parent) : CResizableDialog(L"导入标高", parent, 480, 360) {
    mFormatLabel.SetWindowText(L"数据格式:");
    mFormat.SetWindowText(L"格式一");
    mChoose.SetWindowText(L"...");
    mSettings.SetWindowText(L"文本设置...");
    mDelete.SetWindowText(L"移项");
    mOk.SetWindowText(L"确定");
    mCancel.SetWindowText(L"取消");
    AddControl(mFormatLabel, {10, 14, 72, 34});
    AddControl(mFormat, {76, 10, 156, 34});
    AddControl(mChoose, {164, 10, 196, 34});
    AddControl(mGrid, {10, 42, 470, 314});
    AddControl(mSettings, {10, 324, 100, 350});
    AddControl(mDelete, {108, 324, 170, 350});
    AddControl(mOk, {316, 324, 388, 350});
    AddControl(mCancel, {398, 324, 470, 350});
    mFormat.OnClicked([this] { OnFormat(); });
    mChoose.OnClicked([this] { OnChooseFile(); });
    mSettings.OnClicked([this] { OnTextSettings(); });
    mDelete.OnClicked([this] { OnDeleteRow(); });
    mOk.OnClicked([this] { OnOK(); });
    mCancel.OnClicked([this] { OnCancel(); });
}

BOOL CDlgImportH::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    TakeParentIcons(*this);
    mGrid.DeleteAllItems();
    SetElevationGridColours(mGrid);
    // A stored format counts even when it is not a number (format two then).
    m_format = ReadIntegerSetting(Setting::ImportFormat);
    ShowFormat();
    AddAnchor(mFormatLabel, TOP_LEFT);
    AddAnchor(mFormat, TOP_LEFT);
    AddAnchor(mChoose, TOP_LEFT);
    AddAnchor(mGrid, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(mSettings, BOTTOM_LEFT);
    AddAnchor(mDelete, BOTTOM_LEFT);
    AddAnchor(mOk, BOTTOM_RIGHT);
    AddAnchor(mCancel, BOTTOM_RIGHT);
    CenterWindow();
    return 1;
}

void CDlgImportH::ShowFormat() { mFormat.SetWindowText(m_format == 1 ? L"格式一" : L"格式二"); }

void CDlgImportH::OnFormat() {
    PluginResourceScope resources;
    CDlgFormat dialog(this, m_format);
    if (dialog.DoModal() != IDOK) return;
    m_format = dialog.m_format;
    ShowFormat();
}

void CDlgImportH::OnChooseFile() {
    std::wstring path;
    {
        PluginResourceScope resources;
        CFileDialog dialog(1, nullptr, L"", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFileFilter,
                           this);
        if (dialog.DoModal() != IDOK) return;
        path = dialog.GetPathName();
    }
    LoadFile(path);
}

void CDlgImportH::LoadFile(const std::wstring& path) {
    mGrid.DeleteAllItems();
    mGrid.SetRowCount(1);
    mGrid.SetColumnCount(2);
    mGrid.SetFixedRowCount(1);
    mGrid.SetFixedColumnCount(1);
    mGrid.SetRowHeight(0, kHeaderHeight);
    mGrid.SetColumnWidth(0, kNumberWidth);
    mGrid.SetColumnWidth(1, kCoordinateWidth);
    mGrid.SetItemText(0, 0, L"序号");
    mGrid.SetItemText(0, 1, L"坐标");
    CStdioFileEx file;
    if (file.Open(path.c_str(), CFile::modeRead | CFile::typeText)) {
        const ULONGLONG most = file.GetCharCount();
        std::wstring line;
        for (ULONGLONG n = 0; n < most && file.ReadString(line); ++n) {
            const SurveyLine parsed = ParseSurveyLine(line, m_format);
            if (parsed.accepted()) AddRow(parsed);
        }
        file.Close();
    }
    mGrid.Invalidate();
}

void CDlgImportH::AddRow(const SurveyLine& line) {
    const int layers = static_cast<int>(line.elevations.size());
    if (mGrid.GetRowCount() == 1) {
        // The first accepted line sets the layer columns.
        DocVars.lastLayerCount = layers;
        mGrid.SetColumnCount(layers + 2);
        mGrid.SetFixedRowCount(1);
        mGrid.SetFixedColumnCount(1);
        mGrid.SetColumnWidth(0, kNumberWidth);
        mGrid.SetColumnWidth(1, kCoordinateWidth);
        for (int k = 1; k <= layers; ++k) {
            mGrid.SetColumnWidth(k + 1, kLayerWidth);
            mGrid.SetItemText(0, k + 1, wcrtFormat(L"标高%d", k));
        }
    }
    const int row = mGrid.GetRowCount();
    mGrid.SetRowCount(row + 1);
    mGrid.SetRowHeight(row, kRowHeight);
    mGrid.SetItemText(row, 0, wcrtFormat(L"%d", row));
    mGrid.SetItemText(row, 1, wcrtFormat(L"%0.3f, %0.3f", line.x, line.y));
    mGrid.SetItemValues(row, 1, {line.x, line.y});
    for (int k = 1; k <= mGrid.GetColumnCount() - 2 && k <= layers; ++k) {
        mGrid.SetItemText(row, k + 1, wcrtFormat(L"%G", line.elevations[k - 1]));
        mGrid.SetItemValues(row, k + 1, {line.elevations[k - 1]});
        mGrid.SetCellType(row, k + 1, GridCellType::kDecimal);
    }
}

void CDlgImportH::OnTextSettings() {
    PluginResourceScope resources;
    CDlgSetEleAtrr dialog(this);
    dialog.DoModal();
}

void CDlgImportH::OnDeleteRow() { DeleteFocusRow(mGrid); }

void CDlgImportH::OnOK() {
    WriteSetting(Setting::ImportFormat, wcrtFormat(L"%d", m_format));
    {
        ElevationPointMaker maker;
        for (int row = 1; row < mGrid.GetRowCount(); ++row) {
            const AcGeDoubleArray elevations = CellElevations(mGrid, row);
            if (elevations.length() >= 1) maker.AddPoint(CellPosition(mGrid, row), elevations);
        }
    }
    CResizableDialog::OnOK();
}
