#include "RegFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TextCodec.h"
#include "winreg_standin.h"

using namespace winreg;

namespace {

std::vector<std::uint8_t> sz(const std::wstring& text) {
    std::vector<std::uint8_t> data = WideToUtf16le(text);
    data.insert(data.end(), {0, 0});
    return data;
}

RegistryTree sampleTree() {
    RegistryTree tree;
    RegKey& product =
        tree.roots[2].SubkeyOrNew(L"SOFTWARE").SubkeyOrNew(L"Brontavex").SubkeyOrNew(L"QUARN");
    RegKey& v9 = product.SubkeyOrNew(L"V9");
    v9.SetValue({L"", REG_SZ, sz(L"default text")});
    v9.SetValue({L"installPath", REG_SZ, sz(L"C:\\Program Files\\QUARN\\")});
    v9.SetValue({L"quote \"q\"", REG_SZ, sz(L"say \"hi\" \\ bye")});
    v9.SetValue({L"MLayerELeLayer", REG_SZ, sz(L"多层标高")});
    v9.SetValue({L"LOADCTRLS", REG_DWORD, {2, 0, 0, 0}});
    v9.SetValue({L"Path", REG_EXPAND_SZ, sz(L"%SystemRoot%\\x")});
    v9.SetValue({L"Multi", REG_MULTI_SZ, sz(std::wstring(L"a\0b\0", 4))});
    v9.SetValue({L"Blob", REG_BINARY, std::vector<std::uint8_t>(70, 0xAB)});
    v9.SetValue({L"Empty", REG_BINARY, {}});
    v9.SetValue({L"NoZero", REG_SZ, WideToUtf16le(L"abc")});
    v9.SetValue({L"Lines", REG_SZ, sz(L"one\r\ntwo")});
    v9.SetValue({L"Short", REG_DWORD, {1, 2}});
    tree.roots[1].SubkeyOrNew(L"Software").SubkeyOrNew(L"Empty Key");
    return tree;
}

TEST(RegFile, RoundTripKeepsEveryKeyAndValue) {
    const RegistryTree tree = sampleTree();
    const std::wstring text = FormatRegFile(tree);
    const DecodedFile decoded = DecodeRegFile(EncodeRegFile(text));
    ASSERT_TRUE(decoded.ok);
    const RegFileParse parsed = ParseRegFile(decoded.text);
    ASSERT_TRUE(parsed.ok) << parsed.errorLine << ": " << parsed.message;
    EXPECT_EQ(FormatRegFile(parsed.tree), text);
    const RegKey* v9 = parsed.tree.roots[2]
                           .FindSubkey(L"software")
                           ->FindSubkey(L"BRONTAVEX")
                           ->FindSubkey(L"quarn")
                           ->FindSubkey(L"v9");
    ASSERT_NE(v9, nullptr);
    for (const RegValue& expected :
         tree.roots[2].subkeys[0].subkeys[0].subkeys[0].subkeys[0].values) {
        const RegValue* value = v9->FindValue(expected.name);
        ASSERT_NE(value, nullptr) << WideToUtf8(expected.name);
        EXPECT_EQ(value->type, expected.type) << WideToUtf8(expected.name);
        EXPECT_EQ(value->data, expected.data) << WideToUtf8(expected.name);
    }
    EXPECT_NE(parsed.tree.roots[1].FindSubkey(L"Software")->FindSubkey(L"empty key"), nullptr);
}

TEST(RegFile, WritesTheEditorsForms) {
    const std::wstring text = FormatRegFile(sampleTree());
    for (const wchar_t* line : {
             L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n",
             L"\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brontavex\\QUARN\\V9]\r\n@=\"default text\"\r\n",
             L"\"installPath\"=\"C:\\\\Program Files\\\\QUARN\\\\\"\r\n",
             L"\"quote \\\"q\\\"\"=\"say \\\"hi\\\" \\\\ bye\"\r\n",
             L"\"MLayerELeLayer\"=\"多层标高\"\r\n",
             L"\"LOADCTRLS\"=dword:00000002\r\n",
             L"\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n",
             L"\"Empty\"=hex:\r\n",
             L"\"NoZero\"=hex(1):61,00,62,00,63,00\r\n",
             L"\"Short\"=hex(4):01,02\r\n",
             L"\"Blob\"=hex:ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,"
             L"\\\r\n  ab,",
         }) {
        EXPECT_NE(text.find(line), std::wstring::npos) << WideToUtf8(line);
    }
}

TEST(RegFile, ReadsEscapesCommentsContinuationsAndMergedKeys) {
    const RegFileParse parsed = ParseRegFile(
        L"Windows Registry Editor Version 5.00\n"
        L"; a comment\n"
        L"[HKEY_CURRENT_USER\\Software\\Kavrel]\n"
        L"\"a\"=\"back\\\\slash \\\"quoted\\\"\"\n"
        L"\"n\" = dword:A\n"
        L"\"x\"=hex(2):25,00,\\\n"
        L"    00,00\n"
        L"[hkey_current_user\\SOFTWARE\\kavrel]\n"
        L"\"A\"=\"again\"\n"
        L"@=\"\"\n");
    ASSERT_TRUE(parsed.ok) << parsed.errorLine << ": " << parsed.message;
    const RegKey& key = parsed.tree.roots[1].subkeys.at(0).subkeys.at(0);
    EXPECT_EQ(key.name, L"Kavrel");
    ASSERT_EQ(key.values.size(), 4u);
    EXPECT_EQ(key.values[0].name, L"a");
    EXPECT_EQ(key.values[0].data, sz(L"again"));
    EXPECT_EQ(key.values[1].data, (std::vector<std::uint8_t>{10, 0, 0, 0}));
    EXPECT_EQ(key.values[2].type, REG_EXPAND_SZ);
    EXPECT_EQ(key.values[2].data, (std::vector<std::uint8_t>{0x25, 0, 0, 0}));
    EXPECT_EQ(key.values[3].name, L"");
    EXPECT_EQ(key.values[3].data, sz(L""));
}

TEST(RegFile, EscapesAreRead) {
    const RegFileParse parsed = ParseRegFile(
        L"Windows Registry Editor Version "
        L"5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"p\\\\q\"=\"C:\\\\D\\\\ \\\"x\\\"\"\r\n");
    ASSERT_TRUE(parsed.ok) << parsed.message;
    const RegValue* value = parsed.tree.roots[2].subkeys.at(0).FindValue(L"p\\q");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->data, sz(L"C:\\D\\ \"x\""));
}

struct Malformed {
    const wchar_t* text;
    int line;
    const char* message;
};

TEST(RegFile, MalformedTextNamesTheLine) {
    const std::wstring header = L"Windows Registry Editor Version 5.00\n";
    const std::vector<Malformed> cases = {
        {L"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", 1, "first line"},
        {L"", 1, "first line"},
        {L"\n[HKEY_CURRENT_USER\\A\n", 3, "closing ]"},
        {L"\n\n[HKEY_NOWHERE\\A]\n", 4, "unknown root"},
        {L"[HKEY_CURRENT_USER\\\\A]\n", 2, "empty key name"},
        {L"[-HKEY_CURRENT_USER\\A]\n", 2, "deletion"},
        {L"\"a\"=\"b\"\n", 2, "before the first key"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\\n\"\n", 3, "unknown escape"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n", 3, "closing quote"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\" x\n", 3, "after the closing quote"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n", 3, "dword"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=dword:xyz\n", 3, "dword"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=hex:01,zz\n", 3, "bad byte \"zz\""},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=hex(q):01\n", 3, "value type"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=hex:01,\\\n", 3, "past the end"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=-\n", 3, "deletion"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"=qword:1\n", 3, "unknown kind"},
        {L"[HKEY_CURRENT_USER\\A]\n\"a\"\"b\"\n", 3, "expected ="},
        {L"[HKEY_CURRENT_USER\\A]\nvalue=1\n", 3, "expected a [key] line"},
    };
    for (const Malformed& c : cases) {
        const std::wstring text = std::wstring(c.text).rfind(L"REGEDIT4", 0) == 0 || *c.text == 0
                                      ? c.text
                                      : header + c.text;
        const RegFileParse parsed = ParseRegFile(text);
        EXPECT_FALSE(parsed.ok) << WideToUtf8(text);
        EXPECT_EQ(parsed.errorLine, c.line) << WideToUtf8(text);
        EXPECT_NE(parsed.message.find(c.message), std::string::npos) << parsed.message;
    }
}

struct Encoding {
    const char* name;
    std::string bytes;
    bool ok;
    int errorLine;
};

TEST(RegFile, DecodesUtf16AndUtf8) {
    const std::wstring text = L"Windows Registry Editor Version 5.00\r\n\"k\"=\"土方\"\r\n";
    std::string utf16be = "\xFE\xFF";
    for (std::uint8_t b : WideToUtf16le(text)) utf16be += static_cast<char>(b);
    for (size_t i = 2; i + 1 < utf16be.size(); i += 2) std::swap(utf16be[i], utf16be[i + 1]);
    const std::vector<Encoding> cases = {
        {"utf-16le", EncodeRegFile(text), true, 0},
        {"utf-16be", utf16be, true, 0},
        {"utf-8", WideToUtf8(text), true, 0},
        {"utf-8 bom", "\xEF\xBB\xBF" + WideToUtf8(text), true, 0},
        {"bad utf-8", "Windows\r\n[x]\r\nab\xC3(\r\n", false, 3},
        {"overlong", "a\n\xC0\xAF", false, 2},
        {"odd utf-16", EncodeRegFile(text) + "x", false, 3},
        {"utf-16le without bom", EncodeRegFile(text).substr(2), false, 1},
        {"utf-16be without bom", utf16be.substr(2), false, 1},
    };
    for (const Encoding& c : cases) {
        const DecodedFile decoded = DecodeRegFile(c.bytes);
        EXPECT_EQ(decoded.ok, c.ok) << c.name;
        EXPECT_EQ(decoded.errorLine, c.errorLine) << c.name;
        if (c.ok) {
            EXPECT_EQ(decoded.text, text) << c.name;
        } else {
            EXPECT_FALSE(decoded.problem.empty()) << c.name;
        }
    }
    EXPECT_EQ(DecodeRegFile(EncodeRegFile(text).substr(2))
                  .problem.rfind("UTF-16 text without a byte-order mark", 0),
              0u);
}

std::wstring nestedKeys(size_t depth) {
    std::wstring path = L"HKEY_CURRENT_USER";
    for (size_t i = 0; i < depth; ++i) path += L"\\k";
    return L"Windows Registry Editor Version 5.00\n\n[" + path + L"]\n\"v\"=\"deep\"\n";
}

// Every walk over the tree recurses once per level: a deep file must be
// refused by its line, not crash the program.
TEST(RegFile, KeysDeeperThanWindowsAllowsAreRefused) {
    const RegFileParse deepest = ParseRegFile(nestedKeys(kMaxRegKeyDepth));
    ASSERT_TRUE(deepest.ok) << deepest.message;
    const std::wstring written = FormatRegFile(deepest.tree);
    EXPECT_EQ(std::count(written.begin(), written.end(), L'['), 512);  // every level once
    for (size_t depth : {kMaxRegKeyDepth + 1, size_t{100000}}) {
        const RegFileParse parsed = ParseRegFile(nestedKeys(depth));
        EXPECT_FALSE(parsed.ok);
        EXPECT_EQ(parsed.errorLine, 3);
        EXPECT_EQ(parsed.message, "key path deeper than 512 levels");
    }
}

// Values keep the order they were set in while found by name; removing and
// putting back one keeps both.
TEST(RegFile, ValuesAreFoundByNameAndKeepTheirOrder) {
    RegKey key;
    for (const wchar_t* name : {L"c", L"A", L"b", L"d"}) key.SetValue({name, REG_SZ, {}});
    key.SetValue({L"B", REG_DWORD, {1, 0, 0, 0}});
    ASSERT_TRUE(key.RemoveValue(L"a"));
    EXPECT_FALSE(key.RemoveValue(L"a"));
    key.InsertValue(1, {L"e", REG_SZ, {}});
    std::wstring order;
    for (const RegValue& value : key.values) order += value.name;
    EXPECT_EQ(order, L"cebd");
    for (const RegValue& value : key.values) EXPECT_EQ(key.FindValue(value.name), &value);
    EXPECT_EQ(key.FindValue(L"B")->type, REG_DWORD);
    EXPECT_EQ(key.FindValue(L"a"), nullptr);
}

TEST(RegFile, Utf16KeepsCharactersBeyondTheBasicPlane) {
    const std::wstring text = L"a\U0001F600b";
    const std::vector<std::uint8_t> units = WideToUtf16le(text);
    EXPECT_EQ(units.size(), 8u);
    EXPECT_EQ(Utf16leToWide(units.data(), units.size()), text);
}

}  // namespace
