#include "ArxSettings.h"

#include <fstream>
#include <sstream>

#include "SuiteTestSupport.h"

namespace {

const ACHAR* const kKey = L"SOFTWARE\\Brontavex\\QUARN\\V9";

using Settings = DrawingTest;

TEST_F(Settings, ValuesRoundTripAndMissingOnesReadEmpty) {
    std::wstring value = L"stale";
    EXPECT_EQ(ArxRegedit::Arx_GetValueToReg(kKey, L"MLayerELeLayer", value), 0);
    EXPECT_EQ(value, L"");
    EXPECT_NE(ArxRegedit::Arx_SetValueToReg(kKey, L"MLayerELeLayer", L"多层标高"), 0);
    EXPECT_NE(ArxRegedit::Arx_SetValueToReg(kKey, L"paneeleprec", L"3"), 0);
    EXPECT_NE(ArxRegedit::Arx_GetValueToReg(kKey, L"MLayerELeLayer", value), 0);
    EXPECT_EQ(value, L"多层标高");
    EXPECT_NE(ArxRegedit::Arx_SetValueToReg(kKey, L"paneeleprec", L""), 0);
    EXPECT_NE(ArxRegedit::Arx_GetValueToReg(kKey, L"paneeleprec", value), 0);
    EXPECT_EQ(value, L"");
}

TEST_F(Settings, AreKeptUnderTheCurrentUserInTheRegistryFile) {
    ASSERT_NE(ArxRegedit::Arx_SetValueToReg(kKey, L"TextHeight", L"2.5"), 0);
    std::ifstream in(mDir / "registry.reg", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    // UTF-16LE: look for the key path with every other byte zero.
    std::string wide;
    for (char c : std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Brontavex\\QUARN\\V9]")) {
        wide += c;
        wide += '\0';
    }
    EXPECT_NE(bytes.str().find(wide), std::string::npos);

    // A fresh start reads the file back.
    RegStandInSetFile((mDir / "registry.reg").string().c_str());
    std::wstring value;
    EXPECT_NE(ArxRegedit::Arx_GetValueToReg(kKey, L"TextHeight", value), 0);
    EXPECT_EQ(value, L"2.5");
}

TEST_F(Settings, MalformedRegistryFileIsReportedNotOverwritten) {
    {
        std::ofstream out(mDir / "bad.reg", std::ios::binary);
        out << "Windows Registry Editor Version "
               "5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"a\"=bogus\r\n";
    }
    RegStandInSetFile((mDir / "bad.reg").string().c_str());
    std::wstring value;
    EXPECT_EQ(ArxRegedit::Arx_SetValueToReg(kKey, L"TextHeight", L"5"), 0);
    EXPECT_EQ(ArxRegedit::Arx_GetValueToReg(kKey, L"TextHeight", value), 0);
    EXPECT_NE(std::string(RegStandInLastError()).find("line 4"), std::string::npos)
        << RegStandInLastError();
    std::ifstream in(mDir / "bad.reg", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_NE(bytes.str().find("bogus"), std::string::npos);
}

TEST_F(Settings, IntegerSystemVariables) {
    int saved = -1;
    ASSERT_NE(ArxSystemVar::Arx_getSysVar(L"OSMODE", saved), 0);
    EXPECT_NE(ArxSystemVar::Arx_setSysVar(L"OSMODE", 0), 0);
    int now = -1;
    EXPECT_NE(ArxSystemVar::Arx_getSysVar(L"OSMODE", now), 0);
    EXPECT_EQ(now, 0);
    EXPECT_NE(ArxSystemVar::Arx_setSysVar(L"OSMODE", saved), 0);
    EXPECT_EQ(ArxSystemVar::Arx_getSysVar(L"NOSUCHVAR", now), 0);
    EXPECT_EQ(ArxSystemVar::Arx_getSysVar(L"CLAYER", now), 0);  // a text, not an integer
}

}  // namespace
