#include <gtest/gtest.h>

#include "acedscript.h"
#include "wcrt.h"

namespace {

struct LineCase {
    const wchar_t* line;
    AcEdScriptKind kind;
    const wchar_t* text;
    const wchar_t* control;
    long count;
};

TEST(AcedScript, LinesAndDirectives) {
    const LineCase cases[] = {
        {L"MLayerCalPaneTuf", AcEdScriptKind::kInput, L"MLayerCalPaneTuf", L"", 0},
        {L"  12.5,-3 \r", AcEdScriptKind::kInput, L"12.5,-3", L"", 0},
        {L"", AcEdScriptKind::kInput, L"", L"", 0},
        {L"   ", AcEdScriptKind::kInput, L"", L"", 0},
        {L"!!escape", AcEdScriptKind::kInput, L"!escape", L"", 0},
        {L"!escape", AcEdScriptKind::kEscape, L"", L"", 0},
        {L"!break 0", AcEdScriptKind::kBreak, L"", L"", 0},
        {L"!break   25 ", AcEdScriptKind::kBreak, L"", L"", 25},
        {L"!dialog 定义标高", AcEdScriptKind::kDialog, L"定义标高", L"", 0},
        {L"!dialog.set grid[1,1] 12.5 m", AcEdScriptKind::kDialogSet, L"12.5 m", L"grid[1,1]", 0},
        {L"!dialog.set edit", AcEdScriptKind::kDialogSet, L"", L"edit", 0},
        {L"!dialog.click 添加", AcEdScriptKind::kDialogClick, L"", L"添加", 0},
        {L"!dialog.ok", AcEdScriptKind::kDialogOk, L"", L"", 0},
        {L"!dialog.cancel", AcEdScriptKind::kDialogCancel, L"", L"", 0},
        {L"!dialog.focus grid:2,1", AcEdScriptKind::kDialogFocus, L"", L"grid:2,1", 0},
        {L"!dialog.snapshot out/a b.svg ", AcEdScriptKind::kDialogSnapshot, L"out/a b.svg", L"", 0},
        {L"!dialog.resize 640  420", AcEdScriptKind::kDialogResize, L"", L"", 640},
    };
    for (const LineCase& c : cases) {
        const AcEdScriptParse p = acedParseScriptLine(c.line, 7);
        ASSERT_TRUE(p.error.empty()) << c.line;
        ASSERT_TRUE(p.line.has_value()) << c.line;
        EXPECT_EQ(p.line->kind, c.kind) << c.line;
        EXPECT_EQ(p.line->text, c.text) << c.line;
        EXPECT_EQ(p.line->control, c.control) << c.line;
        EXPECT_EQ(p.line->count, c.count) << c.line;
        EXPECT_EQ(p.line->lineNumber, 7);
    }
    EXPECT_EQ(acedParseScriptLine(L"!dialog.resize 640 420", 1).line->height, 420);
}

TEST(AcedScript, CommentsAreNotInputs) {
    EXPECT_FALSE(acedParseScriptLine(L"; note", 1).line.has_value());
    EXPECT_FALSE(acedParseScriptLine(L"   ;indented note", 1).line.has_value());
}

TEST(AcedScript, MalformedLinesAreRefused) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"!explode", L"unknown directive \"!explode\""},
        {L"!", L"unknown directive \"!\""},
        {L"!break", L"\"!break\" needs a count of polls (0 to 999999999)"},
        {L"!break -1", L"\"!break\" needs a count of polls (0 to 999999999)"},
        {L"!break 3x", L"\"!break\" needs a count of polls (0 to 999999999)"},
        {L"!break 9999999999", L"\"!break\" needs a count of polls (0 to 999999999)"},
        {L"!escape now", L"\"!escape\" takes no argument"},
        {L"!dialog", L"\"!dialog\" needs a dialog name"},
        {L"!dialog.set", L"\"!dialog.set\" needs a control name"},
        {L"!dialog.click ok twice", L"\"!dialog.click\" takes only a control name"},
        {L"!dialog.ok 1", L"\"!dialog.ok\" takes no argument"},
        {L"!dialog.focus", L"\"!dialog.focus\" needs a control name"},
        {L"!dialog.snapshot", L"\"!dialog.snapshot\" needs a file name"},
        {L"!dialog.resize 640",
         L"\"!dialog.resize\" needs a width and a height in pixels (1 to 99999)"},
        {L"!dialog.resize 0 20",
         L"\"!dialog.resize\" needs a width and a height in pixels (1 to 99999)"},
        {L"!dialog.resize 20 20 20",
         L"\"!dialog.resize\" needs a width and a height in pixels (1 to 99999)"},
    };
    for (const auto& [line, error] : cases)
        EXPECT_EQ(acedParseScriptLine(line, 1).error, error) << line;
}

TEST(AcedScript, AWholeScriptNamesTheFirstBadLine) {
    const AcEdScript ok = acedParseScript("\xEF\xBB\xBFOPEN\r\n; comment\n\n12,3\n!escape\n");
    ASSERT_TRUE(ok.ok());
    ASSERT_EQ(ok.lines.size(), 4u);
    EXPECT_EQ(ok.lines[0].text, L"OPEN");
    EXPECT_EQ(ok.lines[1].lineNumber, 3);
    EXPECT_EQ(ok.lines[2].text, L"12,3");
    EXPECT_EQ(ok.lines[3].kind, AcEdScriptKind::kEscape);

    const AcEdScript bad = acedParseScript("LINE\n\n!brake 2\n");
    EXPECT_EQ(bad.error, L"script line 3: unknown directive \"!brake\"");
    EXPECT_EQ(bad.lines.size(), 2u);
}

TEST(AcedScript, AnUnreadableFileIsNamed) {
    const AcEdScript s = acedReadScriptFile("/nonexistent/run.scr");
    EXPECT_EQ(s.error, L"cannot read script \"/nonexistent/run.scr\"");
}

}  // namespace
