// Code-page conversion as MultiByteToWideChar does it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "wincodepage.h"

namespace {

TEST(CodePage, MultiByteToWideCharByCodePage) {
    const struct {
        UINT codePage;
        DWORD flags;
        std::string bytes;
        std::wstring wide;  // what comes out; empty when the conversion fails
    } cases[] = {
        {936, MB_PRECOMPOSED,
         "\xB5\xE3"
         "1\xA3\xAC",
         L"点1，"},
        {CP_ACP, MB_PRECOMPOSED, "\xB5\xE3", L"点"},
        {CP_UTF8, 0, "\xE7\x82\xB9,", L"点,"},
        {1252, MB_PRECOMPOSED, "caf\xE9", L"café"},
        {936, MB_PRECOMPOSED,
         "a\xFF"
         "b\x81",
         L"a\uFFFDb\uFFFD"},  // no such byte; a lead byte at the end
        {CP_UTF8, 0, "\xC3(", L"\uFFFD("},
        {936, MB_ERR_INVALID_CHARS, "a\xFF", L""},
        {12345, 0, "a", L""},  // no such code page
    };
    for (const auto& c : cases) {
        wchar_t out[16] = {};
        const int n = MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(),
                                          static_cast<int>(c.bytes.size()), out, 16);
        EXPECT_EQ(std::wstring(out, n), c.wide) << c.codePage << " " << c.bytes;
        if (n > 1) {
            EXPECT_EQ(MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(),
                                          static_cast<int>(c.bytes.size()), nullptr, 0),
                      n);  // the count needed
            EXPECT_EQ(MultiByteToWideChar(c.codePage, c.flags, c.bytes.data(),
                                          static_cast<int>(c.bytes.size()), out, n - 1),
                      0);  // a buffer too small
        }
    }
}

TEST(CodePage, TheAnsiCodePageIs936UnlessTheEnvironmentNamesAnother) {
    unsetenv("KAVREL_ANSI_CODEPAGE");
    EXPECT_EQ(GetACP(), 936u);
    setenv("KAVREL_ANSI_CODEPAGE", "65001", 1);
    EXPECT_EQ(GetACP(), 65001u);
    setenv("KAVREL_ANSI_CODEPAGE", "utf8", 1);
    EXPECT_EQ(GetACP(), 936u);
    unsetenv("KAVREL_ANSI_CODEPAGE");
}

}  // namespace
