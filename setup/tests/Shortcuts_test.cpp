#include "Shortcuts.h"

#include <gtest/gtest.h>

#include "HostReleases.h"
#include "SetupTestSupport.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

using testing::Gbk;

const char* const kUserShell =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kUserShellNt =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders";

class ShortcutStep : public testing::Sandbox {
  protected:
    void Host(const std::string& release, bool wow, const std::string& location) {
        const std::string cv =
            release == "R15.0" ? "ACAD-1:804" : FindHostRelease(release)->defaultCurVer;
        if (release == "R15.0") {
            Put(Root::LocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R15.0", "CurVer", cv);
        }
        Put(Root::LocalMachine,
            std::string(wow ? "SOFTWARE\\Wow6432Node\\" : "SOFTWARE\\") + "Autodesk\\AutoCAD\\" +
                release + "\\" + cv,
            "AcadLocation", location);
    }
};

TEST_F(ShortcutStep, ShellFoldersComeFromTheFirstSourceWithBoth) {
    struct Value {
        Root root;
        const char* key;
        const char* name;
        const char* folder;
    };
    struct Case {
        std::vector<Value> values;
        const char* desktop;  // empty: none found
        const char* programs;
    };
    const Case cases[] = {
        {{{Root::CurrentUser, kUserShell, "Desktop", " C:\\U\\Desktop "},
          {Root::CurrentUser, kUserShell, "Programs", "C:\\U\\Programs\\"},
          {Root::CurrentUser, kUserShellNt, "Desktop", "C:\\N\\Desktop"},
          {Root::CurrentUser, kUserShellNt, "Programs", "C:\\N\\Programs"}},
         "C:\\U\\Desktop\\",
         "C:\\U\\Programs\\"},
        {{{Root::CurrentUser, kUserShell, "Desktop", "C:\\U\\Desktop"},
          {Root::CurrentUser, kUserShellNt, "Desktop", "C:\\N\\Desktop"},
          {Root::CurrentUser, kUserShellNt, "Programs", "C:\\N\\Programs"}},
         "C:\\N\\Desktop\\",
         "C:\\N\\Programs\\"},
        {{{Root::LocalMachine, kUserShell, "Common Desktop", "C:\\All\\Desktop"},
          {Root::LocalMachine, kUserShell, "Common Programs", "C:\\All\\Programs"},
          {Root::LocalMachine, kUserShellNt, "Common Desktop", "C:\\AllNt\\Desktop"},
          {Root::LocalMachine, kUserShellNt, "Common Programs", "C:\\AllNt\\Programs"}},
         "C:\\All\\Desktop\\",
         "C:\\All\\Programs\\"},
        {{{Root::LocalMachine, kUserShell, "Desktop", "C:\\All\\Desktop"},
          {Root::LocalMachine, kUserShell, "Programs", "C:\\All\\Programs"},
          {Root::LocalMachine, kUserShellNt, "Common Desktop", "C:\\AllNt\\Desktop"},
          {Root::LocalMachine, kUserShellNt, "Common Programs", "C:\\AllNt\\Programs"}},
         "C:\\AllNt\\Desktop\\",
         "C:\\AllNt\\Programs\\"},
        {{{Root::CurrentUser, kUserShell, "Common Desktop", "C:\\U\\Desktop"},
          {Root::CurrentUser, kUserShell, "Common Programs", "C:\\U\\Programs"}},
         "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        TearDown();
        SetUp();
        for (const Value& v : c.values) Put(v.root, v.key, v.name, v.folder);
        const auto folders = FindShellFolders(m_registry);
        ASSERT_EQ(folders.has_value(), *c.desktop != '\0');
        if (!folders) continue;
        EXPECT_EQ(folders->desktop, c.desktop);
        EXPECT_EQ(folders->programs, c.programs);
    }
}

TEST_F(ShortcutStep, OneStartShortcutPerReleaseFoundInEitherView) {
    struct Case {
        std::vector<std::pair<const char*, bool>> hosts;  // release, in Wow6432Node
        std::vector<std::string> releaseLinks;
    };
    const Case cases[] = {
        {{{"R19.0", false}}, {"QUARNfor2013.LNK"}},
        // Registration skips an R16.x host seen only natively; its shortcut does not.
        {{{"R16.1", false}}, {"QUARNfor2005.LNK"}},
        {{{"R19.1", true}, {"R15.0", false}, {"R17.2", true}, {"R17.2", false}},
         {"QUARNfor2002.LNK", "QUARNfor2009.LNK", "QUARNfor2014.LNK"}},
        {{}, {}},
    };
    const ShellFolders folders{"C:\\Desk\\", "C:\\Prog\\"};
    const std::string group = Gbk("C:\\Prog\\土方计算地形分析软件 QUARN V9.0");
    const std::string d = "C:\\Q\\";
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        for (const auto& [release, wow] : c.hosts)
            Host(release, wow, "C:\\CAD " + std::string(release));
        const auto plan = PlanShortcuts(m_registry, d, folders);
        ASSERT_EQ(plan.size(), c.releaseLinks.size() + 4);
        EXPECT_EQ(plan[0].folder, "C:\\Desk\\");
        EXPECT_EQ(plan[0].file, Gbk("土方计算地形分析.LNK"));
        EXPECT_EQ(plan[1].folder, group);
        EXPECT_EQ(plan[1].file, "QUARN V9.0.LNK");
        for (int i : {0, 1}) {
            EXPECT_EQ(plan[i].target, d + "QUARN-64.exe");
            EXPECT_EQ(plan[i].arguments + plan[i].icon, "");
        }
        for (std::size_t i = 0; i < c.releaseLinks.size(); ++i) {
            const Shortcut& link = plan[2 + i];
            EXPECT_EQ(link.folder, d);
            EXPECT_EQ(link.file, c.releaseLinks[i]);
            EXPECT_EQ(link.target.rfind("C:\\CAD R", 0), 0u) << link.target;
            EXPECT_TRUE(link.target.ends_with("\\acad.exe")) << link.target;
            EXPECT_EQ(link.arguments, "/p \"<<QUARN V9>>\" /t acad.dwt");
            EXPECT_EQ(link.icon, d + "QUARNV9.0.ICO");
        }
        const Shortcut& site = plan[plan.size() - 2];
        const Shortcut& remover = plan.back();
        EXPECT_EQ(site.folder + "|" + site.file + "|" + site.target,
                  group + "|" + Gbk("官方网站.LNK") + "|" + d + "quarn.url");
        EXPECT_EQ(remover.folder + "|" + remover.file + "|" + remover.target,
                  group + "|" + Gbk("QUARN V9.0 卸载程序.LNK") + "|" + d + "Uninstall-64.exe");
    }
}

TEST_F(ShortcutStep, CreatesLinksAndLogsThemAfterTheProgramGroup) {
    NativeFiles files;
    testing::TextLinkShell shell;
    testing::ScriptedQuestions questions;
    testing::RecordingProgress progress;
    InstallContext context{{m_registry, files, shell, questions, progress}, "", At("D/"), {}, {0}};

    EXPECT_FALSE(CreateShortcuts(context));
    EXPECT_EQ(context.log.Text(), "");

    Put(Root::LocalMachine, kUserShell, "Common Desktop", Local("desk").string());
    Put(Root::LocalMachine, kUserShell, "Common Programs", Local("progs").string());
    Host("R18.2", false, "C:\\CAD");
    fs::create_directories(Local("D"));
    WriteFile(Local("desk/土方计算地形分析.LNK"), "old");
    EXPECT_TRUE(CreateShortcuts(context));

    // The registry's folders get a backslash; the sandbox's own paths use "/".
    const std::string group = Local("progs").string() + "\\土方计算地形分析软件 QUARN V9.0";
    const std::string desktopLink = Local("desk").string() + "\\土方计算地形分析.LNK";
    const std::string expected =
        "Made Dir: " + group + "\nFile Copy: " + desktopLink + "\nFile Copy: " + group +
        "\\QUARN V9.0.LNK\nFile Copy: " + Local("D/QUARNfor2012.LNK").string() +
        "\nFile Copy: " + group + "\\官方网站.LNK\nFile Copy: " + group +
        "\\QUARN V9.0 卸载程序.LNK\nFile Copy: " + group + "\n";
    EXPECT_EQ(Cp936ToUtf8(context.log.Text()), expected);
    const std::string d = Local("D/").string();
    EXPECT_EQ(ReadFile(Local("desk/土方计算地形分析.LNK")), d + "QUARN-64.exe|||" + d);
    EXPECT_EQ(ReadFile(Local("D/QUARNfor2012.LNK")),
              "C:\\CAD\\acad.exe|/p \"<<QUARN V9>>\" /t acad.dwt|" + d + "QUARNV9.0.ICO|" + d);
}

}  // namespace
}  // namespace setup
