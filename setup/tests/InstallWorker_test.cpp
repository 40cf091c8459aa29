#include "InstallWorker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "FileCopy.h"
#include "SetupTestSupport.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

using testing::Gbk;

// Cancels the installation when the n-th entry has been reported.
class CancellingProgress : public testing::RecordingProgress {
  public:
    InstallWorker* worker = nullptr;
    std::size_t cancelAfter = 0;
    void Progress(const std::string& source, const std::string& destination) override {
        RecordingProgress::Progress(source, destination);
        if (events.size() == cancelAfter) worker->RequestCancel();
    }
};

class Installation : public testing::Sandbox {
  protected:
    void SetUp() override {
        Sandbox::SetUp();
        // Created out of name order: the log follows the listing's order.
        WriteFile(Local("media/Support/sub/b.txt"), "b");
        WriteFile(Local("media/Support/a.txt"), "a");
        WriteFile(Local("media/Controls/grid.ocx"), "ocx");
        WriteFile(Local("media/Controls/notes.txt"), "n");
        WriteFile(Local("media/图框/A3.dwg"), "f");
        WriteFile(Local("media/Data/locked.dat"), "r");
        fs::permissions(Local("media/Data/locked.dat"), fs::perms::owner_write,
                        fs::perm_options::remove);
        fs::create_directories(Local("media/标准断面"));
        WriteFile(Local("media/模板/acad.dwt"), "t");
        for (const char* name :
             {"setup.exe", "SETUP.EXE", "Setup.exe", "quarnv9.0.ICO", "readme.txt"}) {
            WriteFile(Local(std::string("media/") + name), name);
        }
        Put(Root::CurrentUser,
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop",
            Local("desk").string());
        Put(Root::CurrentUser,
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
            Local("progs").string());
        fs::create_directories(Local("desk"));
    }

    bool Run(const std::string& destination = "D/") {
        InstallWorker worker(Ports{m_registry, m_files, m_shell, m_questions, m_progress},
                             At("media"), At(destination));
        const bool finished = worker.Run();
        m_log = Cp936ToUtf8(worker.Log().Text());
        return finished;
    }

    NativeFiles m_files;
    testing::TextLinkShell m_shell;
    testing::ScriptedQuestions m_questions;
    testing::RecordingProgress m_progress;
    std::string m_log;
};

TEST_F(Installation, FullRunLogsEverythingInOrder) {
    m_questions.fallback = Answer::Ignore;  // the media has no "Temp"
    ASSERT_TRUE(Run("D/"));

    const std::string d = Local("D").string() + "/";
    const std::string group = Local("progs").string() + "\\土方计算地形分析软件 QUARN V9.0";
    const std::string expected =
        "Made Dir: " + d +
        "Support\n"
        "File Copy: " +
        d +
        "Support\\a.txt\n"
        "Made Dir: " +
        d +
        "Support\\sub\n"
        "File Copy: " +
        d +
        "Support\\sub\\b.txt\n"
        "Made Dir: " +
        d +
        "Controls\n"
        "File Copy: " +
        d +
        "Controls\\grid.ocx\n"
        "File Copy: " +
        d +
        "Controls\\notes.txt\n"
        "Made Dir: " +
        d +
        "图框\n"
        "File Copy: " +
        d +
        "图框\\A3.dwg\n"
        "Made Dir: " +
        d +
        "Data\n"
        "File Copy: " +
        d +
        "Data\\locked.dat\n"
        "Made Dir: " +
        d +
        "标准断面\n"
        "Made Dir: " +
        d +
        "模板\n"
        "File Copy: " +
        d +
        "模板\\acad.dwt\n"
        "Made Dir: " +
        d +
        "Temp\n"
        "File Copy: " +
        d +
        "quarnv9.0.ICO\n"
        "File Copy: " +
        d +
        "readme.txt\n"
        "Reg Ctrl: " +
        d +
        "Controls\\grid.ocx\n"
        "RegDB Key: 2,SOFTWARE\\Brontavex\\QUARN\\V9\n"
        "RegDB Key: 2,SOFTWARE\\Wow6432Node\\Brontavex\\QUARN\\V9\n"
        "RegDB Key: 2,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9\n"
        "Made Dir: " +
        group +
        "\n"
        "File Copy: " +
        Local("desk").string() +
        "\\土方计算地形分析.LNK\n"
        "File Copy: " +
        group +
        "\\QUARN V9.0.LNK\n"
        "File Copy: " +
        group +
        "\\官方网站.LNK\n"
        "File Copy: " +
        group +
        "\\QUARN V9.0 卸载程序.LNK\n"
        "File Copy: " +
        group +
        "\n"
        "File Copy: " +
        d + "Uninstall.log\n";
    EXPECT_EQ(m_log, expected);

    std::string onDisk;  // written in text mode: CR LF line ends
    for (char c : Gbk(expected)) onDisk += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadFile(Local("D/Uninstall.log")), onDisk);
    EXPECT_TRUE(m_files.IsHidden(At("D/Uninstall.log")));
    EXPECT_TRUE(m_files.IsHidden(At("D/quarnv9.0.ICO")));
    EXPECT_FALSE(fs::exists(Local("D/setup.exe")) || fs::exists(Local("D/SETUP.EXE")) ||
                 fs::exists(Local("D/Setup.exe")));
    EXPECT_NE(fs::status(Local("D/Data/locked.dat")).permissions() & fs::perms::owner_write,
              fs::perms::none);
    EXPECT_EQ(m_shell.registered, std::vector<std::string>{d + "Controls\\grid.ocx"});
    EXPECT_EQ(Get(Root::LocalMachine, "SOFTWARE\\Brontavex\\QUARN\\V9", "installPath"), d);
    EXPECT_EQ(Get(Root::LocalMachine, "SOFTWARE\\Wow6432Node\\Brontavex\\QUARN\\V9", "installPath"),
              d);
    const std::string uninstall =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9";
    EXPECT_EQ(Get(Root::LocalMachine, uninstall, "DisplayName"), "土方计算地形分析软件 QUARN V9.0");
    EXPECT_EQ(Get(Root::LocalMachine, uninstall, "UninstallString"), d + "Uninstall-64.exe");

    ASSERT_EQ(m_questions.asked.size(), 1u);
    EXPECT_NE(
        m_questions.asked[0].find("找不到安装文件的路径 " + Local("media").string() + "\\Temp\\，"),
        std::string::npos);
    // One report per entry of the folder trees (files and folders), then the end.
    ASSERT_EQ(m_progress.events.size(), 10u);
    EXPECT_EQ(m_progress.events[0], "progress " + d + "Support\\a.txt");
    EXPECT_EQ(m_progress.events[2], "progress " + d + "Support\\sub");
    EXPECT_EQ(m_progress.events[8], "configuring");
    EXPECT_EQ(m_progress.events[9], "finished");
}

TEST_F(Installation, AbortOnAMissingFolderEndsWithoutLogOrKeys) {
    fs::remove_all(Local("media/Data"));
    m_questions.answers = {Answer::Retry, Answer::Abort};
    EXPECT_FALSE(Run());
    EXPECT_EQ(m_questions.asked.size(), 2u);
    EXPECT_EQ(m_progress.events.back(), "failed");
    EXPECT_FALSE(fs::exists(Local("D/Uninstall.log")));
    EXPECT_FALSE(fs::exists(Local("D/Data")));
    EXPECT_FALSE(KeyExists(Root::LocalMachine, "SOFTWARE\\Brontavex"));
}

TEST_F(Installation, CancelStopsRightAfterTheEntryBeingCopied) {
    for (std::size_t n : {1u, 3u, 6u}) {
        SCOPED_TRACE(n);
        fs::remove_all(Local("D"));
        CancellingProgress progress;
        progress.cancelAfter = n;
        InstallWorker worker(Ports{m_registry, m_files, m_shell, m_questions, progress},
                             At("media"), At("D"));
        progress.worker = &worker;
        EXPECT_FALSE(worker.Run());
        ASSERT_EQ(progress.events.size(), n + 1);
        EXPECT_EQ(progress.events.back(), "failed");
        EXPECT_FALSE(fs::exists(Local("D/Uninstall.log")));
        EXPECT_FALSE(KeyExists(Root::LocalMachine, "SOFTWARE\\Brontavex"));
        EXPECT_FALSE(KeyExists(Root::LocalMachine, "SOFTWARE\\Microsoft"));
    }
}

// The install page's thread sets the request while the worker waits for the
// page to take its progress message, as SendMessage makes it wait.
TEST_F(Installation, CancelFromThePageThread) {
    struct PageProgress : testing::RecordingProgress {
        std::mutex lock;
        std::condition_variable changed;
        bool reported = false;
        bool handled = false;
        void Progress(const std::string& source, const std::string& destination) override {
            RecordingProgress::Progress(source, destination);
            std::unique_lock<std::mutex> guard(lock);
            reported = true;
            changed.notify_all();
            changed.wait(guard, [this] { return handled; });
        }
    } page;
    InstallWorker worker(Ports{m_registry, m_files, m_shell, m_questions, page}, At("media"),
                         At("D/"));
    bool finished = true;
    std::thread thread([&] { finished = worker.Run(); });
    {
        std::unique_lock<std::mutex> guard(page.lock);
        page.changed.wait(guard, [&] { return page.reported; });
        worker.RequestCancel();
        page.handled = true;
        page.changed.notify_all();
    }
    thread.join();
    EXPECT_FALSE(finished);
    EXPECT_EQ(page.events.size(), 2u);
    EXPECT_FALSE(fs::exists(Local("D/Uninstall.log")));
}

// A folder path beyond what Windows creates gets the folder question naming
// it; Cancel ends the installation.
TEST_F(Installation, LongPathsGetTheFolderQuestion) {
    const std::string longName(300, 'x');
    EXPECT_FALSE(Run(longName + "/"));
    ASSERT_EQ(m_questions.asked.size(), 1u);
    const std::string& question = m_questions.asked[0];
    EXPECT_NE(question.find("不能创建文件夹 " + Local(longName).string() + " ，"),
              std::string::npos);
    EXPECT_EQ(m_progress.events, std::vector<std::string>{"failed"});
}

// Records what a folder chain asks of the file system; nothing exists except
// what the case says, creation fails for names in `refuse`.
class ChainFiles : public NativeFiles {
  public:
    std::set<std::string> existing;
    std::map<std::string, int> refuse;  // folder -> failures left
    std::vector<std::string> created;
    bool Exists(const std::string& path) override { return existing.count(path) != 0; }
    unsigned MakeFolder(const std::string& path) override {
        if (refuse[path] > 0) {
            --refuse[path];
            return 5;
        }
        created.push_back(path);
        existing.insert(path);
        return 0;
    }
};

TEST(MakeDirChain, CreatesMissingFoldersAndNeverADriveRoot) {
    struct Case {
        std::string path;
        std::set<std::string> existing;
        std::map<std::string, int> refuse;
        std::vector<Answer> answers;
        bool made;
        std::vector<std::string> created;
    };
    const Case cases[] = {
        {"C:\\", {}, {}, {}, true, {}},
        {"C:\\Support", {}, {}, {}, true, {"C:\\Support"}},
        {"C:\\A\\B\\", {"C:\\A"}, {}, {}, true, {"C:\\A\\B"}},
        {"D:/A/B", {}, {}, {}, true, {"D:/A", "D:/A/B"}},
        {"C:\\A\\B",
         {},
         {{"C:\\A\\B", 2}},
         {Answer::Retry, Answer::Retry},
         true,
         {"C:\\A", "C:\\A\\B"}},
        {"C:\\A\\B", {}, {{"C:\\A", 1}}, {Answer::Cancel}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ChainFiles files;
        files.existing = c.existing;
        files.refuse = c.refuse;
        SystemRegistry registry;
        testing::TextLinkShell shell;
        testing::ScriptedQuestions questions;
        questions.answers.assign(c.answers.begin(), c.answers.end());
        testing::RecordingProgress progress;
        InstallContext context{{registry, files, shell, questions, progress}, "", "", {}, {0}};
        EXPECT_EQ(MakeDirChain(context, c.path), c.made);
        EXPECT_EQ(files.created, c.created);
        EXPECT_EQ(context.log.Text(), "Made Dir: " + c.path + "\n");
        EXPECT_EQ(questions.asked.size(), c.answers.size());
    }
}

TEST_F(Installation, CountsTheFilesToInstall) {
    NativeFiles files;
    // 2 + 2 + 1 + 1 + 0 + 1 (Temp missing) + 5 top-level files.
    EXPECT_EQ(CountInstallFiles(files, At("media") + "  "), 12);
    EXPECT_EQ(CountInstallFiles(files, ""), 0);
    EXPECT_EQ(ProgressMaximum(12), 27);
    EXPECT_EQ(ProgressMaximum(65530), 9);
}

TEST_F(Installation, ReinstallingAsksFirst) {
    m_questions.answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(ConfirmInstall(m_registry, m_questions));
    EXPECT_TRUE(m_questions.asked.empty());
    Put(Root::LocalMachine, "SOFTWARE\\Brontavex\\QUARN\\V9", "installPath", "C:\\Q\\");
    EXPECT_FALSE(ConfirmInstall(m_registry, m_questions));
    EXPECT_TRUE(ConfirmInstall(m_registry, m_questions));
    EXPECT_EQ(m_questions.asked[0], "已经安装了本软件!\n是否重新安装?");
}

}  // namespace
}  // namespace setup
