// The import dialog ("导入标高"): a survey file loaded into a grid for
// review, one row per accepted line; confirming makes a point of every row.
#pragma once

#include <string>

#include "GridCtrl.h"
#include "ResizableDialog.h"
#include "ShadeButton.h"
#include "SurveyLine.h"

class CDlgImportH : public CResizableDialog {
  public:
    explicit CDlgImportH(CWnd* parent);
    // 1 = format one; any other value = format two.
    int m_format = 1;

    // Replaces the grid by the accepted lines of the file in the current
    // format; a file that cannot be opened leaves only the header.
    void LoadFile(const std::wstring& path);

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

  private:
    void OnFormat();
    void OnChooseFile();
    void OnTextSettings();
    void OnDeleteRow();
    void ShowFormat();
    void AddRow(const SurveyLine& line);

    CStatic mFormatLabel;
    CxShadeButton mFormat, mChoose, mSettings, mDelete, mOk{CButton::Style::kDefPush}, mCancel;
    CGridCtrl mGrid;
};
