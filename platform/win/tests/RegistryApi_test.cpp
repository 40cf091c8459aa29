#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TextCodec.h"
#include "winreg_standin.h"

namespace fs = std::filesystem;

namespace {

const wchar_t* const kProduct = L"SOFTWARE\\Brontavex\\QUARN\\V9";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Each test works on its own registry file in its own folder.
class Registry : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::temp_directory_path() /
                   ("kavrel_reg_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_file = m_folder / "registry.reg";
        RegStandInSetFile(m_file.c_str());
    }
    void TearDown() override {
        RegStandInSetFile(nullptr);
        fs::remove_all(m_folder);
    }
    // Loads the file afresh, as a new process would.
    void reload() {
        RegStandInSetFile(nullptr);
        RegStandInSetFile(m_file.c_str());
    }

    fs::path m_folder;
    fs::path m_file;
};

LONG setString(HKEY key, const wchar_t* name, const std::wstring& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The string value, or "<error n>".
std::wstring queryString(HKEY root, const wchar_t* path, const wchar_t* name) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) return L"<error " + std::to_wstring(status) + L">";
    wchar_t buffer[512] = {};
    DWORD size = sizeof(buffer), type = 0;
    status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return L"<error " + std::to_wstring(status) + L">";
    return std::wstring(buffer, size / sizeof(wchar_t) - 1);
}

TEST_F(Registry, CreateOpenAndQuerySemantics) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProduct, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(setString(key, L"installPath", L"D:\\QUARN\\"), ERROR_SUCCESS);
    RegCloseKey(key);

    struct Case {
        const char* what;
        HKEY root;
        const wchar_t* path;
        const wchar_t* name;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"exact", HKEY_LOCAL_MACHINE, kProduct, L"installPath", L"D:\\QUARN\\"},
        {"key case", HKEY_LOCAL_MACHINE, L"software\\BRONTAVEX\\quarn\\v9", L"installPath",
         L"D:\\QUARN\\"},
        {"value case", HKEY_LOCAL_MACHINE, kProduct, L"INSTALLPATH", L"D:\\QUARN\\"},
        {"trailing backslash", HKEY_LOCAL_MACHINE, L"SOFTWARE\\Brontavex\\QUARN\\V9\\",
         L"installPath", L"D:\\QUARN\\"},
        {"other root", HKEY_CURRENT_USER, kProduct, L"installPath", L"<error 2>"},
        {"missing value", HKEY_LOCAL_MACHINE, kProduct, L"nothing", L"<error 2>"},
        {"missing key", HKEY_LOCAL_MACHINE, L"SOFTWARE\\Nobody", L"installPath", L"<error 2>"},
        {"unset default", HKEY_LOCAL_MACHINE, kProduct, L"", L"<error 2>"},
        {"leading backslash", HKEY_LOCAL_MACHINE, L"\\SOFTWARE", L"x", L"<error 161>"},
        {"empty name", HKEY_LOCAL_MACHINE, L"SOFTWARE\\\\Brontavex", L"x", L"<error 161>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(queryString(c.root, c.path, c.name), c.expected) << c.what;

    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"software\\brontavex", 0, nullptr, 0, KEY_READ,
                              nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    HKEY sub = nullptr;
    EXPECT_EQ(RegOpenKeyExW(key, L"QUARN\\V9", 0, KEY_READ, &sub),
              ERROR_SUCCESS);  // relative to a handle
    EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(sub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProduct, 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);

    const std::string file = readFile(m_file);
    EXPECT_NE(winreg::DecodeRegFile(file).text.find(
                  L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brontavex\\QUARN\\V9]"),
              std::wstring::npos);  // names keep their case
}

TEST_F(Registry, QueryReportsSizesAndTypes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\T", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(setString(key, L"s", L"abcd"), ERROR_SUCCESS);
    const DWORD number = 0x12345678;
    ASSERT_EQ(RegSetValueExW(key, L"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
              ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"s", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 5 * sizeof(wchar_t));
    wchar_t small[2] = {};
    size = sizeof(small);
    EXPECT_EQ(RegQueryValueExW(key, L"s", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 5 * sizeof(wchar_t));
    EXPECT_EQ(
        RegQueryValueExW(key, L"s", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), nullptr),
        ERROR_INVALID_PARAMETER);

    DWORD read = 0;
    size = sizeof(read);
    EXPECT_EQ(RegQueryValueExW(key, L"n", nullptr, &type, reinterpret_cast<LPBYTE>(&read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(read, number);
    EXPECT_EQ(RegSetValueExW(key, L"odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"ab"), 3),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        RegSetValueExW(key, L"bad\nname", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
        ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(Registry, DefaultValueIsWrittenAsAt) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Profiles\\<<QUARN V9>>", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(setString(key, L"", L"<<QUARN V9>>"), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, L"Software\\Profiles\\<<QUARN V9>>", nullptr),
              L"<<QUARN V9>>");
    const std::wstring text = winreg::DecodeRegFile(readFile(m_file)).text;
    EXPECT_NE(
        text.find(
            L"[HKEY_CURRENT_USER\\Software\\Profiles\\<<QUARN V9>>]\r\n@=\"<<QUARN V9>>\"\r\n"),
        std::wstring::npos);
    reload();
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, L"Software\\Profiles\\<<QUARN V9>>", L""),
              L"<<QUARN V9>>");
}

TEST_F(Registry, EveryWriteIsPersistedInUtf16) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProduct, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(setString(key, L"MLayerELeLayer", L"多层标高"), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, L"quoted", L"a \"b\" \\c"), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Empty", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string bytes = readFile(m_file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(
        winreg::DecodeRegFile(bytes).text.rfind(L"Windows Registry Editor Version 5.00\r\n", 0),
        0u);
    for (const auto& entry : fs::directory_iterator(m_folder))
        EXPECT_EQ(entry.path(), m_file);  // no temp file left

    reload();
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, kProduct, L"MLayerELeLayer"), L"多层标高");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, kProduct, L"quoted"), L"a \"b\" \\c");
    HKEY empty = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Empty", 0, KEY_READ, &empty),
              ERROR_SUCCESS);
}

TEST_F(Registry, ReadsAUtf8File) {
    writeFile(m_file,
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brontavex\\QUARN\\V9]\n"
              "\"MLayerELeLayer\"=\"多层标高\"\n"
              "\"Path\"=hex(2):25,00,41,00,25,00,00,00\n");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, kProduct, L"MLayerELeLayer"), L"多层标高");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProduct, 0, KEY_READ, &key), ERROR_SUCCESS);
    wchar_t buffer[16] = {};
    DWORD size = sizeof(buffer), type = 0;
    EXPECT_EQ(
        RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(std::wstring(buffer), L"%A%");
    // A later write keeps the hex(2) value as it was and saves in UTF-16.
    ASSERT_EQ(setString(key, L"other", L"x"), ERROR_SUCCESS);
    const std::wstring text = winreg::DecodeRegFile(readFile(m_file)).text;
    EXPECT_NE(text.find(L"\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"), std::wstring::npos);
    RegCloseKey(key);
}

TEST_F(Registry, MalformedFileIsRefusedAndNeverOverwritten) {
    const std::string malformed =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=dword:zz\r\n";
    writeFile(m_file, malformed);
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"B", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_BADDB);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"A", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_EQ(RegSetValueExW(HKEY_CURRENT_USER, L"x", 0, REG_BINARY, nullptr, 0), ERROR_BADDB);
    const std::string error = RegStandInLastError();
    EXPECT_NE(error.find(m_file.string()), std::string::npos) << error;
    EXPECT_NE(error.find("line 4"), std::string::npos) << error;
    EXPECT_EQ(readFile(m_file), malformed);

    writeFile(m_file, "Windows Registry Editor Version 5.00\r\n");  // mended by hand
    reload();
    EXPECT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"B", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_STREQ(RegStandInLastError(), "");
    RegCloseKey(key);
}

TEST_F(Registry, EmptyFileIsAnEmptyRegistryAndAFolderIsRefused) {
    writeFile(m_file, "");
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(key);
    fs::remove(m_file);
    fs::create_directories(m_file);
    reload();
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_NE(std::string(RegStandInLastError()).find("cannot read"), std::string::npos);
}

TEST_F(Registry, FailedSaveLeavesTheRegistryUnchanged) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    // A folder where the file was: the rename onto it fails, even for root.
    fs::remove(m_file);
    fs::create_directories(m_file / "blocker");
    EXPECT_EQ(setString(key, L"v", L"lost"), ERROR_WRITE_FAULT);
    EXPECT_NE(std::string(RegStandInLastError()).find("cannot write"), std::string::npos);
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, L"K", L"v"), L"<error 2>");
    for (const auto& entry : fs::directory_iterator(m_folder))
        EXPECT_EQ(entry.path(), m_file);  // temp file removed
    RegCloseKey(key);
}

// A failed save takes back exactly the change that was not saved.
TEST_F(Registry, FailedSaveTakesBackEachKindOfChange) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"K\\Gone", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_WRITE, &key), ERROR_SUCCESS);
    for (const wchar_t* name : {L"a", L"b", L"c"})
        ASSERT_EQ(setString(key, name, name), ERROR_SUCCESS);
    const std::string saved = readFile(m_file);
    fs::remove(m_file);
    fs::create_directories(m_file / "blocker");
    HKEY made = nullptr;
    EXPECT_EQ(
        RegCreateKeyExW(key, L"New\\Deeper", 0, nullptr, 0, KEY_WRITE, nullptr, &made, nullptr),
        ERROR_WRITE_FAULT);
    EXPECT_EQ(setString(key, L"b", L"changed"), ERROR_WRITE_FAULT);
    EXPECT_EQ(RegDeleteValueW(key, L"b"), ERROR_WRITE_FAULT);
    EXPECT_EQ(RegDeleteKeyW(key, L"Gone"), ERROR_WRITE_FAULT);
    fs::remove_all(m_file);
    writeFile(m_file, "");
    ASSERT_EQ(setString(key, L"a", L"a"), ERROR_SUCCESS);  // saves what memory holds
    EXPECT_EQ(readFile(m_file), saved);
    RegCloseKey(key);
    std::wstring deep;
    for (size_t i = 0; i <= 512; ++i) deep += L"k\\";
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, deep.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &made, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, DeletingKeysAndValues) {
    HKEY key = nullptr, child = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"P\\C", 0, nullptr, 0, KEY_WRITE, nullptr, &child,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"P", 0, KEY_WRITE, &key), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, L"v", L"1"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, L"V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, L"v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"P"), ERROR_ACCESS_DENIED);  // it has a subkey
    EXPECT_EQ(RegDeleteKeyW(key, L"c"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(key, L"c"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(setString(child, L"v", L"1"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"P"), ERROR_SUCCESS);
    reload();
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"P", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    RegCloseKey(child);
}

TEST_F(Registry, AnsiFunctionsUseCodePage936) {
    const std::string keyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9";
    const std::string name = "\xCD\xC1\xB7\xBD";                // 土方 in code page 936
    const std::string display = "\xCD\xC1\xB7\xBD QUARN V9.0";  // 土方 QUARN V9.0
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                       static_cast<DWORD>(display.size() + 1)),
        ERROR_SUCCESS);
    RegCloseKey(key);

    const std::wstring wideKey =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9";
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, wideKey.c_str(), L"土方"), L"土方 QUARN V9.0");

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char buffer[2048] = {};
    DWORD size = sizeof(buffer), type = 0;
    ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, display.size() + 1);
    EXPECT_EQ(std::string(buffer), display);
    EXPECT_EQ(RegDeleteValueA(key, name.c_str()), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str()), ERROR_SUCCESS);
}

TEST(RegistryFile, DefaultsToTheEnvironmentThenHome) {
    const fs::path folder =
        fs::temp_directory_path() / ("kavrel_reg_env_" + std::to_string(getpid()));
    fs::remove_all(folder);
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("HOME", folder.c_str(), 1);
    const fs::path envFile = folder / "env.reg";
    setenv("KAVREL_REGISTRY", envFile.c_str(), 1);
    RegStandInSetFile(nullptr);
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"E", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_TRUE(fs::exists(envFile));
    unsetenv("KAVREL_REGISTRY");
    RegStandInSetFile(nullptr);
    EXPECT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"H", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_TRUE(fs::exists(folder / ".kavrel" / "registry.reg"));
    setenv("HOME", oldHome.c_str(), 1);
    RegStandInSetFile(nullptr);
    fs::remove_all(folder);
}

}  // namespace
