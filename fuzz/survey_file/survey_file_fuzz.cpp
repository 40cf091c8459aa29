// Feeds arbitrary bytes, as a survey file, to the file reader and the line
// parser in both formats. Lines come back without their line ends, an ANSI
// line holds at most one piece of 4095 bytes, and a taken line had at least
// three separators before its first elevation.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "StdioFileEx.h"
#include "SurveyLine.h"

namespace {

const std::string& ScratchFile() {
    static const std::string path = "/tmp/survey_fuzz_" + std::to_string(getpid()) + ".txt";
    return path;
}

size_t Separators(const std::wstring& line) {
    size_t n = 0;
    for (wchar_t c : line) n += c == L',' || c == L'\uFF0C';
    return n;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* out = std::fopen(ScratchFile().c_str(), "wb");
    if (out == nullptr) return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    // The first byte picks the code page of an ANSI file.
    static const int kCodePages[] = {-1, 936, 65001, 1252};
    const std::wstring path(ScratchFile().begin(), ScratchFile().end());
    CStdioFileEx file;
    file.SetCodePage(kCodePages[size > 0 ? data[0] % 4 : 0]);
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeText)) return 0;
    const ULONGLONG most = file.GetCharCount();
    std::wstring line;
    for (ULONGLONG n = 0; n < most && file.ReadString(line); ++n) {
        Check(line.size() < 2 || line.compare(line.size() - 2, 2, L"\r\n") != 0);
        if (!file.IsFileUnicodeText()) Check(line.size() <= CStdioFileEx::kMaxLineBytes);
        for (int format : {1, 2}) {
            const SurveyLine parsed = ParseSurveyLine(line, format);
            if (parsed.accepted()) Check(Separators(line) >= 3);
            Check(parsed.elevations.size() <= Separators(line));
        }
    }
    return 0;
}
