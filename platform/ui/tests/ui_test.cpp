// The dialog framework: editing rules of the decimal editors and the grid,
// the drop-down list's search, anchoring on resize, the user actions and
// their refusals, the picture of a dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "GridCtrl.h"
#include "ResizableDialog.h"
#include "TestUiDriver.h"
#include "afxdlgs.h"

namespace {

TEST(DecimalInput, TakesDigitsOnePointAndALeadingSign) {
    const struct {
        const wchar_t* text;
        bool taken;
    } cases[] = {
        {L"", true},     {L"12", true},  {L"-12.5", true},  {L"+0.25", true}, {L".5", true},
        {L"-", true},    {L"7.", true},  {L"1.2.3", false}, {L"--1", false},  {L"1-", false},
        {L"1e3", false}, {L" 1", false}, {L"1,5", false},   {L"１２", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDecimalInput(c.text), c.taken) << wcrtToUtf8(c.text);
        CDecimalEdit edit;
        edit.SetWindowText(L"9");
        EXPECT_EQ(edit.TypeText(c.text), c.taken);
        EXPECT_EQ(edit.GetWindowText(), c.taken ? c.text : L"9");  // refused leaves the text
    }
}

// A grid of 3 rows and 3 columns, one fixed row and column; column 1 decimal.
void MakeGrid(CGridCtrl& g) {
    g.SetRowCount(3);
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    g.SetFixedColumnCount(1);
    for (int r = 1; r < 3; ++r) g.SetCellType(r, 1, GridCellType::kDecimal);
    g.SetItemText(1, 1, L"45.3");
    g.SetItemValues(1, 1, {45.3001});
}

TEST(Grid, EditingRules) {
    const struct {
        int row, col;
        const wchar_t* text;
        bool taken;
    } cases[] = {
        {1, 1, L"-3.5", true},     {1, 1, L"3.5a", false}, {2, 1, L"1.2.3", false},
        {1, 2, L"any text", true}, {0, 1, L"x", false},    {1, 0, L"1", false},
        {3, 1, L"1", false},       {-1, 1, L"1", false},   {1, 3, L"1", false},
    };
    for (const auto& c : cases) {
        CGridCtrl g;
        MakeGrid(g);
        std::wstring why;
        EXPECT_EQ(g.EditCell(c.row, c.col, c.text, why), c.taken) << c.row << "," << c.col;
        EXPECT_EQ(why.empty(), c.taken);
        if (c.taken) {
            EXPECT_EQ(g.GetItemText(c.row, c.col), c.text);
            EXPECT_TRUE(g.IsItemEdited(c.row, c.col));
            EXPECT_TRUE(g.GetItemValues(c.row, c.col).empty());  // the typed text counts now
            EXPECT_EQ(g.GetFocusCell().row, c.row);
        } else {
            EXPECT_EQ(g.GetItemText(1, 1), L"45.3");
            EXPECT_EQ(g.GetItemValues(1, 1), std::vector<double>{45.3001});
        }
    }
}

TEST(Grid, ShrinkingDropsTheFocusAndCopyCarriesEverything) {
    CGridCtrl g;
    MakeGrid(g);
    std::wstring why;
    ASSERT_TRUE(g.EditCell(2, 1, L"7", why));
    ASSERT_TRUE(g.CopyCell(1, 1, 2, 2));
    EXPECT_EQ(g.GetItemValues(2, 2), std::vector<double>{45.3001});
    EXPECT_EQ(g.GetCellType(2, 2), GridCellType::kDecimal);
    g.SetRowCount(2);
    EXPECT_FALSE(g.GetFocusCell().IsValid());
    g.SetColumnCount(1);
    EXPECT_EQ(g.GetItemText(1, 1), L"");
}

TEST(ComboBox, FindStringSearchesAfterTheStartAndWraps) {
    CComboBox list;
    for (int d = 0; d <= 360; ++d) list.AddString(std::to_wstring(d));
    const struct {
        const wchar_t* prefix;
        int found;
    } cases[] = {{L"45", 45},
                 {L"0", 0},
                 {L"1", 1},
                 {L"36", 36},
                 {L"45.5", CComboBox::CB_ERR},
                 {L"360", 360},
                 {L"x", CComboBox::CB_ERR}};
    for (const auto& c : cases)
        EXPECT_EQ(list.FindString(0, c.prefix), c.found) << wcrtToUtf8(c.prefix);
    list.TypeText(L"90");
    EXPECT_EQ(list.GetCurSel(), 90);
    list.TypeText(L"90.5");
    EXPECT_EQ(list.GetCurSel(), CComboBox::CB_ERR);
    EXPECT_EQ(list.GetWindowText(), L"90.5");
}

class Anchored : public CResizableDialog {
  public:
    Anchored() : CResizableDialog(L"锚定", nullptr, 200, 100) {
        label.SetWindowText(L"高度:");
        AddControl(label, {10, 10, 50, 30});
        AddControl(edit, {60, 10, 190, 30});
        AddControl(grid, {10, 40, 190, 70});
        AddControl(ok, {120, 74, 190, 96});
        ok.SetWindowText(L"确定");
    }
    BOOL OnInitDialog() override {
        AddAnchor(edit, TOP_LEFT, TOP_RIGHT);
        AddAnchor(grid, TOP_LEFT, BOTTOM_RIGHT);
        AddAnchor(ok, BOTTOM_RIGHT);
        return 1;
    }
    CStatic label;
    CDecimalEdit edit;
    CGridCtrl grid;
    CButton ok{CButton::Style::kDefPush};
};

TEST(Dialog, ResizeMovesEachControlByItsAnchors) {
    Anchored d;
    d.Start();
    UI_DO(ui::Resize(d, 300, 150));
    EXPECT_EQ(d.label.GetWindowRect(), (CRect{10, 10, 50, 30}));
    EXPECT_EQ(d.edit.GetWindowRect(), (CRect{60, 10, 290, 30}));
    EXPECT_EQ(d.grid.GetWindowRect(), (CRect{10, 40, 290, 120}));
    EXPECT_EQ(d.ok.GetWindowRect(), (CRect{220, 124, 290, 146}));
    UI_DO(ui::Resize(d, 200, 100));  // and back
    EXPECT_EQ(d.ok.GetWindowRect(), (CRect{120, 74, 190, 96}));
}

TEST(Dialog, ActionsSayWhyTheyCannotBeDone) {
    Anchored d;
    d.Start();
    CFileDialog open(1, nullptr, L"", OFN_FILEMUSTEXIST, L"txt (*.txt)|*.txt||");
    open.Start();
    const struct {
        std::wstring got, expected;
    } cases[] = {
        {ui::Set(d, L"高度", L"12.5"), L""},
        {ui::Set(d, L"高度", L"12,5"), L"the field \"高度\" does not take \"12,5\""},
        {ui::Set(d, L"宽度", L"1"), L"the dialog \"锚定\" has no field \"宽度\""},
        {ui::Click(d, L"删除"), L"the dialog \"锚定\" has no button \"删除\""},
        {ui::Focus(d, L"grid:9,9"), L"the grid has no cell 9,9"},
        {ui::Focus(d, L"grid:1"), L"the dialog \"锚定\" has no grid cell \"grid:1\""},
        {ui::Set(d, L"grid:99999999999,1", L"1"),
         L"the dialog \"锚定\" has no field \"grid:99999999999,1\""},
        {ui::Resize(d, 10, 10), L"a dialog is 50 to 10000 pixels each way"},
        {ui::Resize(open, 500, 500), L"the dialog \"打开\" has a fixed size"},
        {ui::Set(open, L"文件名", L"/no/such/file.txt"), L""},
        {ui::Ok(open), L"the file \"/no/such/file.txt\" is not there"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(d.edit.GetWindowText(), L"12.5");
    EXPECT_FALSE(open.IsEnded());
    UI_DO(ui::Ok(d));
    EXPECT_EQ(d.GetResult(), IDOK);
}

TEST(Dialog, PictureShowsControlsColoursAndSize) {
    Anchored d;
    d.Start();
    d.grid.SetRowCount(2);
    d.grid.SetColumnCount(2);
    d.grid.SetFixedRowCount(1);
    d.grid.SetItemText(0, 1, L"标高");
    d.grid.SetItemText(1, 1, L"45.3 & <1>");
    d.grid.SetTextColor(RGB(0, 0, 255));
    d.grid.SetBkColor(RGB(0, 128, 128));
    UI_DO(ui::Resize(d, 320, 160));
    const std::string svg = UiDialogSvg(d);
    for (const char* part : {"width=\"322\"", "锚定", "标高", "45.3 &amp; &lt;1&gt;", "#0000FF",
                             "#008080", "确定", "高度:"})
        EXPECT_NE(svg.find(part), std::string::npos) << part;
    const std::wstring text = UiDialogText(d);
    EXPECT_NE(text.find(L"[锚定]  320x160"), std::wstring::npos);
    EXPECT_NE(text.find(L"<确定> (default)"), std::wstring::npos);
}

TEST(Dialog, WithoutADriverADialogIsCancelled) {
    Anchored d;
    EXPECT_EQ(d.DoModal(), IDCANCEL);
}

}  // namespace
