#include "Unattended.h"

#include "Paths.h"

namespace setup {
namespace {

struct AnswerRow {
    Buttons buttons;
    Answer answer;
};

constexpr AnswerRow kAnswers[] = {
    {Buttons::Ok, Answer::Ok},
    {Buttons::YesNo, Answer::Yes},
    {Buttons::RetryCancel, Answer::Cancel},
    {Buttons::AbortRetryIgnore, Answer::Ignore},
};

bool StartsWithNoCase(const std::string& text, std::size_t at, const std::string& prefix) {
    return text.size() - at >= prefix.size() &&
           EqualsNoCase(text.substr(at, prefix.size()), prefix);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Unquote(const std::string& text) {
    std::string result = text;
    if (!result.empty() && result.front() == '"') result.erase(0, 1);
    if (!result.empty() && result.back() == '"') result.pop_back();
    return result;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::string& arguments) {
    CommandLine line;
    std::size_t at = 0;
    while (true) {
        while (at < arguments.size() && IsBlank(arguments[at])) ++at;
        if (at == arguments.size()) break;
        // A program that starts setup may quote the whole option or the
        // folder ("/D=C:\A B" or /D="C:\A B"); the quotes are not the folder's.
        const bool quoted = arguments[at] == '"';
        if (StartsWithNoCase(arguments, at + (quoted ? 1 : 0), "/D=")) {
            line.destination = Unquote(Trim(arguments.substr(at + (quoted ? 4 : 3))));
            break;
        }
        if (StartsWithNoCase(arguments, at, "/LOG=\"") ||
            (quoted && StartsWithNoCase(arguments, at + 1, "/LOG="))) {
            // A quoted log file ("/LOG=A B" or /LOG="A B") may hold blanks.
            const std::size_t close = arguments.find('"', at + 6);
            if (close == std::string::npos || close == at + 6) return std::nullopt;
            line.logFile = arguments.substr(at + 6, close - at - 6);
            at = close + 1;
            continue;
        }
        std::size_t end = at;
        while (end < arguments.size() && !IsBlank(arguments[end])) ++end;
        const std::string word = arguments.substr(at, end - at);
        if (EqualsNoCase(word, "/S")) {
            line.silent = true;
        } else if (StartsWithNoCase(word, 0, "/LOG=") && word.size() > 5) {
            line.logFile = word.substr(5);
        } else {
            return std::nullopt;
        }
        at = end;
    }
    return line;
}

const char* AnswerName(Answer answer) {
    static const char* const names[] = {"OK", "Yes", "No", "Retry", "Cancel", "Abort", "Ignore"};
    return names[static_cast<int>(answer)];
}

Answer UnattendedQuestions::Ask(const std::string& text, Buttons buttons,
                                const std::string& caption) {
    Answer answer = Answer::Cancel;
    for (const AnswerRow& row : kAnswers) {
        if (row.buttons == buttons) answer = row.answer;
    }
    Note((caption.empty() ? "" : "[" + caption + "] ") + text + "\n=> " + AnswerName(answer));
    return answer;
}

void UnattendedQuestions::Note(const std::string& line) {
    if (!m_logFile.empty()) m_files.AppendText(m_logFile, line + "\n");
}

}  // namespace setup
