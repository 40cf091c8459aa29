#include "Unattended.h"

#include <gtest/gtest.h>

#include "SetupTestSupport.h"

namespace setup {
namespace {

TEST(ParseCommandLine, ReadsOptionsAndTakesTheRestAfterD) {
    struct Case {
        const char* arguments;
        bool valid;
        bool silent;
        const char* log;
        const char* destination;
    };
    const Case cases[] = {
        {"/S", true, true, "", ""},
        {"  /s  ", true, true, "", ""},
        {"", true, false, "", ""},
        {"/S /LOG=C:\\t\\q.log", true, true, "C:\\t\\q.log", ""},
        {"/S /D=C:\\My Suite\\QUARN ", true, true, "", "C:\\My Suite\\QUARN"},
        {"/S /log=q.log /d=D:\\A B /S", true, true, "q.log", "D:\\A B /S"},
        {"/S \"/D=C:\\My Suite\"", true, true, "", "C:\\My Suite"},
        {"/S /D=\"C:\\My Suite\"", true, true, "", "C:\\My Suite"},
        {"/S /LOG=\"C:\\a b\\q.log\" /D=E:\\", true, true, "C:\\a b\\q.log", "E:\\"},
        {"/S /X", false, false, "", ""},
        {"/S /LOG=", false, false, "", ""},
        {"/SS", false, false, "", ""},
        {"/S \"/LOG=C:\\a b\\q.log\" /D=E:\\", true, true, "C:\\a b\\q.log", "E:\\"},
        {"/S /LOG=\"unclosed", false, false, "", ""},
    };
    for (const Case& c : cases) {
        const auto line = ParseCommandLine(c.arguments);
        ASSERT_EQ(line.has_value(), c.valid) << c.arguments;
        if (!line) continue;
        EXPECT_EQ(line->silent, c.silent) << c.arguments;
        EXPECT_EQ(line->logFile, c.log) << c.arguments;
        EXPECT_EQ(line->destination, c.destination) << c.arguments;
    }
}

class UnattendedAnswers : public testing::Sandbox {};

TEST_F(UnattendedAnswers, AnswersByButtonsAndLogsEachQuestion) {
    NativeFiles files;
    UnattendedQuestions unattended(files, At("q.log"));
    QuestionPort& questions = unattended;
    EXPECT_EQ(questions.Ask("installed?", Buttons::YesNo, "W"), Answer::Yes);
    EXPECT_EQ(questions.Ask("missing", Buttons::AbortRetryIgnore), Answer::Ignore);
    EXPECT_EQ(questions.Ask("refused", Buttons::RetryCancel), Answer::Cancel);
    EXPECT_EQ(questions.Ask("notice", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(ReadFile(Local("q.log")),
              "[W] installed?\r\n=> Yes\r\nmissing\r\n=> Ignore\r\nrefused\r\n=> Cancel\r\n"
              "notice\r\n=> OK\r\n");

    UnattendedQuestions withoutLog(files, "");
    QuestionPort& silent = withoutLog;
    EXPECT_EQ(silent.Ask("missing", Buttons::AbortRetryIgnore), Answer::Ignore);
}

}  // namespace
}  // namespace setup
