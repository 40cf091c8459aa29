// The input requests as commands see them, driven by queued answers.
#include <gtest/gtest.h>

#include <functional>

#include "aced.h"
#include "acedhost.h"
#include "acutads.h"

namespace {

// Answers typed at a terminal: wrong answers are asked again instead of
// stopping the run.
class TypedAnswers : public AcEdInputSource {
  public:
    explicit TypedAnswers(std::vector<std::wstring> lines) {
        for (const std::wstring& l : lines) mLines.push_back(*acedParseScriptLine(l, 0).line);
    }
    std::optional<AcEdScriptLine> next() override {
        if (mNext >= mLines.size()) return std::nullopt;
        return mLines[mNext++];
    }
    bool isBatch() const override { return false; }

  private:
    std::vector<AcEdScriptLine> mLines;
    size_t mNext = 0;
};

std::function<void()> gBody;
void runBody() { gBody(); }

class AcedInput : public ::testing::Test {
  protected:
    void SetUp() override {
        acedHostReset();
        acedHostClearTranscript();
        acedHostAddBuiltinCommand(L"TESTBODY", runBody);
    }
    void TearDown() override {
        acedHostClearBuiltinCommands();
        acedHostReset();
    }

    // Runs body as a command with the answers queued after its name.
    static AcEdRunResult run(std::function<void()> body, std::vector<std::wstring> answers,
                             bool batch = true) {
        gBody = std::move(body);
        answers.insert(answers.begin(), L"TESTBODY");
        if (!batch) {
            TypedAnswers typed(answers);
            return acedHostRun(typed);
        }
        AcEdScriptSource source(acedHostScriptFromLines(answers).lines);
        return acedHostRun(source);
    }

    static bool printed(const std::wstring& s) {
        return acedHostTranscript().find(s) != std::wstring::npos;
    }
};

TEST_F(AcedInput, PointsKeywordsAndEnter) {
    int rc1 = 0, rc2 = 0, rc3 = 0;
    ads_point p{};
    ACHAR keyword[133] = L"";
    ASSERT_TRUE(run(
                    [&] {
                        acedInitGet(0, L"Set ");
                        rc1 = acedGetPoint(nullptr, L"\nPoint: ", p);
                        acedInitGet(0, L"Set ");
                        rc2 = acedGetPoint(nullptr, L"\nPoint: ", p);
                        acedGetInput(keyword);
                        rc3 = acedGetPoint(nullptr, L"\nPoint: ", p);
                    },
                    {L"1.5,-2,3", L"se", L""})
                    .ok);
    EXPECT_EQ(rc1, RTNORM);
    EXPECT_EQ(rc2, RTKWORD);
    EXPECT_STREQ(keyword, L"Set");
    EXPECT_EQ(rc3, RTNONE);
    EXPECT_TRUE(printed(L"\nPoint: 1.5,-2,3\nPoint: se\nPoint: "));
}

TEST_F(AcedInput, KeywordsLastForOneRequestOnly) {
    int rc = 0;
    ads_point p{};
    EXPECT_FALSE(run(
                     [&] {
                         acedInitGet(0, L"All ");
                         acedGetInt(L"\nN: ",
                                    nullptr);  // takes the keywords, answered with a number
                         rc = acedGetPoint(nullptr, L"\nPoint: ", p);
                     },
                     {L"3", L"A"})
                     .ok);
    EXPECT_EQ(rc, RTCAN);  // "A" is no point now: the batch run stops
}

TEST_F(AcedInput, AtATerminalWrongAnswersAreAskedAgain) {
    int value = 0;
    int rc = 0;
    ASSERT_TRUE(run(
                    [&] {
                        acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
                        rc = acedGetInt(L"\nCount: ", &value);
                    },
                    {L"", L"x", L"0", L"-4", L"6"}, false)
                    .ok);
    EXPECT_EQ(rc, RTNORM);
    EXPECT_EQ(value, 6);
    for (const wchar_t* m : {L"Requires a value.", L"Requires an integer",
                             L"Value must be nonzero.", L"Value must be positive."})
        EXPECT_TRUE(printed(m)) << m;
}

TEST_F(AcedInput, ArbitraryInputWithOther) {
    int rc = 0;
    ACHAR text[133] = L"";
    double value = 0.0;
    ASSERT_TRUE(run(
                    [&] {
                        acedInitGet(RSG_OTHER, nullptr);
                        rc = acedGetReal(L"\nValue: ", &value);
                        acedGetInput(text);
                    },
                    {L"about 3"})
                    .ok);
    EXPECT_EQ(rc, RTKWORD);
    EXPECT_STREQ(text, L"about 3");
}

TEST_F(AcedInput, StringsKeepBlanksAndAreCutToTheirBuffer) {
    ACHAR full[133] = L"";
    ACHAR small[4] = L"";
    int rc1 = 0, rc2 = 0;
    ASSERT_TRUE(run(
                    [&] {
                        rc1 = acedGetString(1, L"\nName: ", full);
                        rc2 = acedGetString(1, L"\nName: ", small, 4);
                    },
                    {L"场区 1 号", L"abcdef"})
                    .ok);
    EXPECT_EQ(rc1, RTNORM);
    EXPECT_STREQ(full, L"场区 1 号");
    EXPECT_EQ(rc2, RTINPUTTRUNCATED);
    EXPECT_STREQ(small, L"abc");
}

TEST_F(AcedInput, DistancesAndRelativePoints) {
    double d = 0.0;
    ads_point p{};
    const ads_point base = {1, 1, 0};
    ASSERT_TRUE(run(
                    [&] {
                        acedGetDist(base, L"\nDistance: ", &d);
                        acedGetPoint(nullptr, L"\nPoint: ", p);
                        acedGetPoint(nullptr, L"\nNext: ", p);
                    },
                    {L"4,5", L"10,10", L"@2,-1"})
                    .ok);
    EXPECT_DOUBLE_EQ(d, 5.0);
    EXPECT_DOUBLE_EQ(p[X], 12.0);
    EXPECT_DOUBLE_EQ(p[Y], 9.0);
    resbuf last{};
    ASSERT_EQ(acedGetVar(L"LASTPOINT", &last), RTNORM);
    EXPECT_DOUBLE_EQ(last.resval.rpoint[X], 12.0);
}

TEST_F(AcedInput, DialogsReadTheirOwnLines) {
    std::vector<AcEdScriptKind> kinds;
    std::wstring value;
    const AcEdRunResult r = run(
        [&] {
            while (auto line = acedHostNextDialogLine(L"定义标高")) {
                kinds.push_back(line->kind);
                if (line->kind == AcEdScriptKind::kDialogSet) value = line->text;
            }
        },
        {L"!dialog 定义标高", L"!break 1", L"!dialog.set grid[1,1] 12.5", L"!dialog.ok", L"5,5"});
    EXPECT_EQ(kinds,
              (std::vector<AcEdScriptKind>{AcEdScriptKind::kDialog, AcEdScriptKind::kDialogSet,
                                           AcEdScriptKind::kDialogOk}));
    EXPECT_EQ(value, L"12.5");
    EXPECT_FALSE(r.ok);  // the point line is no dialog line
    EXPECT_EQ(
        r.error,
        L"script line 6: a dialog line was expected while the dialog \"定义标高\" is showing");
}

TEST_F(AcedInput, KeywordOnlyRequests) {
    ACHAR word[133] = L"";
    int rc = 0;
    ASSERT_TRUE(run(
                    [&] {
                        acedInitGet(0, L"Yes No");
                        rc = acedGetKword(L"\nSure? [Yes/No]: ", word);
                    },
                    {L"n"})
                    .ok);
    EXPECT_EQ(rc, RTNORM);
    EXPECT_STREQ(word, L"No");
    EXPECT_FALSE(run(
                     [] {
                         acedInitGet(0, L"Yes No");
                         acedGetKword(L"\nSure? ", nullptr);
                     },
                     {L"maybe"})
                     .ok);
}

TEST_F(AcedInput, UserBreaksCountPolls) {
    std::vector<int> polls;
    ASSERT_TRUE(run(
                    [&] {
                        for (int i = 0; i < 5; ++i) polls.push_back(acedUsrBrk());
                    },
                    {L"!break 2"})
                    .ok);
    // The break line comes after the command name: read when the command first asks,
    // so here it is armed only after the command (it stays armed for the next one).
    EXPECT_EQ(polls, (std::vector<int>{0, 0, 0, 0, 0}));
    polls.clear();
    ASSERT_TRUE(run(
                    [&] {
                        for (int i = 0; i < 5; ++i) polls.push_back(acedUsrBrk());
                    },
                    {})
                    .ok);
    EXPECT_EQ(polls, (std::vector<int>{0, 0, 1, 0, 0}));
    acedHostInterrupt();
    EXPECT_EQ(acedUsrBrk(), 1);
    EXPECT_EQ(acedUsrBrk(), 0);
}

TEST_F(AcedInput, SystemVariables) {
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"osmode", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSHORT);
    EXPECT_EQ(rb.resval.rint, 4133);
    rb.resval.rint = 0;
    EXPECT_EQ(acedSetVar(L"OSMODE", &rb), RTNORM);
    resbuf back{};
    acedGetVar(L"OSMODE", &back);
    EXPECT_EQ(back.resval.rint, 0);

    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<ACHAR*>(L"x");
    EXPECT_EQ(acedSetVar(L"OSMODE", &text), RTERROR);  // wrong type
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    resbuf origin{};
    origin.restype = RT3DPOINT;
    EXPECT_EQ(acedSetVar(L"UCSORG", &origin), RTERROR);  // read-only
}

TEST_F(AcedInput, UserCoordinateConversions) {
    // Origin (100, 50), x axis along world +y: user (2, 3) is world (97, 52).
    ASSERT_TRUE(acedHostSetUcs({100, 50, 0}, {0, 2, 0}, {-1, 0.5, 0}));
    ads_point user = {2, 3, 1};
    ads_point world{};
    ASSERT_TRUE(acdbUcs2Wcs(user, world, false));
    EXPECT_NEAR(world[X], 97.0, 1e-12);
    EXPECT_NEAR(world[Y], 52.0, 1e-12);
    EXPECT_NEAR(world[Z], 1.0, 1e-12);
    ads_point again{};
    ASSERT_TRUE(acdbWcs2Ucs(world, again, false));
    EXPECT_NEAR(again[X], 2.0, 1e-12);
    EXPECT_NEAR(again[Y], 3.0, 1e-12);
    ASSERT_TRUE(acdbUcs2Wcs(user, world, true));  // a displacement ignores the origin
    EXPECT_NEAR(world[X], -3.0, 1e-12);
    EXPECT_NEAR(world[Y], 2.0, 1e-12);
    resbuf bad{nullptr, RTSHORT, {}};
    bad.resval.rint = 7;
    EXPECT_EQ(acedTrans(user, &bad, &bad, 0, world), RTERROR);
    EXPECT_FALSE(acedHostSetUcs({0, 0, 0}, {1, 0, 0}, {2, 0, 0}));  // parallel axes
    resbuf worldUcs{};
    acedGetVar(L"WORLDUCS", &worldUcs);
    EXPECT_EQ(worldUcs.resval.rint, 0);
}

TEST_F(AcedInput, TheProgressMeterIsSilentWithoutATerminal) {
    acedSetStatusBarProgressMeter(L"正在计算土方量...", 0, 10);
    for (int i = 0; i <= 10; ++i) acedSetStatusBarProgressMeterPos(i);
    acedRestoreStatusBar();
    EXPECT_EQ(acedSetStatusBarProgressMeterPos(3), -1);  // no meter shown now
    EXPECT_TRUE(acedHostTranscript().empty());
}

}  // namespace
