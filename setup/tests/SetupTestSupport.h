// Test doubles of the installer's ports and a sandbox of real folders with a
// registry file of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Cp936.h"
#include "NativeFiles.h"
#include "Ports.h"
#include "Registry.h"
#include "winreg_standin.h"

namespace setup::testing {

namespace fs = std::filesystem;

// Test texts are UTF-8; the installer's are code page 936.
inline std::string Gbk(const std::string& utf8) { return Utf8ToCp936(utf8); }

class ScriptedQuestions : public QuestionPort {
  public:
    // Answers in order; when they run out, `fallback`.
    std::deque<Answer> answers;
    Answer fallback = Answer::Cancel;
    std::vector<std::string> asked;  // UTF-8

    Answer Ask(const std::string& text, Buttons, const std::string&) override {
        asked.push_back(Cp936ToUtf8(text));
        if (answers.empty()) return fallback;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingProgress : public ProgressPort {
  public:
    std::vector<std::string> events;  // "progress <destination>", "configuring", ...

    void Progress(const std::string&, const std::string& destination) override {
        events.push_back("progress " + Cp936ToUtf8(destination));
    }
    void Configuring() override { events.push_back("configuring"); }
    void Finished() override { events.push_back("finished"); }
    void Failed() override { events.push_back("failed"); }
};

// Shell links as text files "target|arguments|icon|working folder".
class TextLinkShell : public ShellPort {
  public:
    std::vector<std::string> registered;  // UTF-8 control paths

    bool CreateShellLink(const std::string& folder, const std::string& link,
                         const std::string& target, const std::string& arguments,
                         const std::string& icon) override {
        std::ofstream out(NativeFiles::LocalPath(link), std::ios::binary);
        out << Cp936ToUtf8(target + "|" + arguments + "|" + icon + "|" + folder);
        return static_cast<bool>(out);
    }
    void RegisterControl(const std::string& path) override {
        registered.push_back(Cp936ToUtf8(path));
    }
};

// A folder of its own per test and a registry file in it.
class Sandbox : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        m_root = fs::temp_directory_path() / ("kavrel_setup_" + std::to_string(getpid())) / name;
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        RegStandInSetFile((m_root / "registry.reg").c_str());
    }
    void TearDown() override {
        RegStandInSetFile(nullptr);
        fs::remove_all(m_root);
    }

    // An installer path (code page 936) of a place in the sandbox.
    std::string At(const std::string& utf8) const { return Gbk((m_root / utf8).string()); }
    fs::path Local(const std::string& utf8) const { return m_root / utf8; }

    void Put(Root root, const std::string& key, const std::string& name, const std::string& value) {
        m_registry.WriteString(root, Gbk(key), Gbk(name), Gbk(value));
    }
    std::string Get(Root root, const std::string& key, const std::string& name) {
        return Cp936ToUtf8(m_registry.ReadString(root, Gbk(key), Gbk(name)).value_or("<none>"));
    }
    bool KeyExists(Root root, const std::string& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(root == Root::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                          Gbk(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(handle);
        return true;
    }

    static void WriteFile(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path m_root;
    SystemRegistry m_registry;
};

}  // namespace setup::testing
