// setup.exe end to end under Wine: a media folder and a registry prepared
// here, "setup.exe /S", then the files, registry values (exported with
// "wine reg export"), shortcuts (read back through IShellLinkA by lnkread.exe)
// and the uninstall log. Runs in a fresh Wine prefix below the build tree,
// without a display. Skipped, saying why, only where Wine cannot start.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "Paths.h"
#include "SetupTestSupport.h"
#include "WineShell.h"

namespace setup {
namespace {

namespace fs = std::filesystem;
using testing::Gbk;

const fs::path kWork = SETUP_WINE_WORK;
const fs::path kBuilt = SETUP_WIN_DIR;

using testing::Quote;
using testing::Shell;
using testing::WinePath;

// Wine for these tests: its own prefix and home, code page 936 (zh_CN with
// a locale made here, so that the Unix side converts file names as UTF-8),
// no display, no Mono or Gecko, no menu entries.
std::string Wine(const std::string& arguments) {
    return "env -u DISPLAY -u WAYLAND_DISPLAY -u LANG -u LANGUAGE WINEARCH=win64 WINEDEBUG=-all"
           " WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' LC_ALL=zh_CN.UTF-8"
           " LOCPATH=" +
           Quote((kWork / "locale").string()) +
           " WINEPREFIX=" + Quote((kWork / "prefix").string()) +
           " HOME=" + Quote((kWork / "home").string()) + " " + arguments + " 2>>" +
           Quote((kWork / "wine.err").string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t next; (next = text.find(end, at)) != std::string::npos;
         at = next + end.size()) {
        lines.push_back(text.substr(at, next - at));
    }
    if (at < text.size()) lines.push_back(text.substr(at));
    return lines;
}

const std::string kDestination = "C:\\My Suite\\QUARN V9\\";
const std::string kGroup = "C:\\Test Programs\\土方计算地形分析软件 QUARN V9.0";
const std::string kAcad = "Software\\Autodesk\\AutoCAD\\";
const std::string kAcad2014 = "C:\\Program Files\\Autodesk\\AutoCAD 2014";

struct SetupRun {
    int status = -1;
    std::string log;  // the /LOG file, UTF-8
};

class SetupUnderWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        fs::remove_all(kWork);
        fs::create_directories(kWork / "home");
        fs::create_directories(kWork / "locale");
        std::string version;
        if (Shell("wine --version 2>/dev/null", &version) != 0) {
            s_skip = "Wine cannot start here (\"wine --version\" failed); install Debian's wine";
            return;
        }
        if (Shell("localedef -i zh_CN -f UTF-8 " + Quote((kWork / "locale/zh_CN.UTF-8").string()) +
                  " >/dev/null 2>&1") > 1) {
            s_skip = "the zh_CN.UTF-8 locale cannot be made (Debian package locales)";
            return;
        }
        if (Shell(Wine("wineboot --init >/dev/null")) != 0) {
            s_skip = "Wine cannot start a prefix here (wineboot failed, see " +
                     (kWork / "wine.err").string() + ")";
            return;
        }
        // One server for all the Wine commands that follow (killed at the end).
        Shell(Wine("wineserver --persistent=60 >/dev/null"));
        PrepareRegistry();
        PrepareMedia();
        s_desktop = WineDesktop();
        if (s_desktop.empty()) return;
        s_runs["default"] = Install("", "default.log");
        // Installed again, now where the user says. Wine quotes an argument
        // with blanks, as a program starting setup would.
        s_runs["chosen"] =
            Install("/D=" + kDestination.substr(0, kDestination.size() - 1), "chosen.log");
        // A file where the folder chain needs a folder: the folder question,
        // answered Cancel.
        WriteFile(kWork / "prefix/drive_c/blocked", "file");
        s_runs["refused"] = Install("/D=C:\\blocked\\QUARN", "refused.log");
        ExportRegistry();
    }

    static void TearDownTestSuite() {
        if (s_skip.empty()) Shell(Wine("wineserver --kill"));
    }

    void SetUp() override {
        if (!s_skip.empty()) GTEST_SKIP() << s_skip;
    }

    // Host releases in both views, base profiles with and without "ACAD",
    // a sibling product and the shell folders, imported with "reg import".
    static void PrepareRegistry() {
        const fs::path file = kWork / "prepare.reg";
        RegStandInSetFile(file.c_str());
        SystemRegistry registry;
        auto put = [&](Root root, const std::string& key, const std::string& name,
                       const std::string& value) {
            registry.WriteString(root, Gbk(key), Gbk(name), Gbk(value));
        };
        const std::string hklm = "SOFTWARE\\Autodesk\\AutoCAD\\";
        const std::string wow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\";
        put(Root::LocalMachine, hklm + "R19.1\\ACAD-D001:804", "AcadLocation", kAcad2014);
        put(Root::LocalMachine, wow + "R17.2\\ACAD-7001:804", "AcadLocation", "C:\\ACAD 2009 x86");
        put(Root::LocalMachine, hklm + "R17.2\\ACAD-7001:804", "Location", "C:\\ACAD 2009");
        put(Root::LocalMachine, wow + "R16.2\\ACAD-4001:409", "AcadLocation", "C:\\ACAD 2006\\");
        put(Root::LocalMachine, hklm + "R16.1\\ACAD-301:409", "AcadLocation", "C:\\ACAD 2005");
        put(Root::CurrentUser, kAcad + "R19.1\\ACAD-D001:804\\Profiles\\<<初始设置配置>>\\General",
            "ACAD", "C:\\base19");
        put(Root::CurrentUser, kAcad + "R17.2\\ACAD-7001:804\\Profiles\\<<未命名配置>>\\General",
            "Other", "x");
        put(Root::CurrentUser,
            kAcad + "R17.2\\ACAD-7001:804\\Profiles\\<<Unnamed Profile>>\\General", "ACAD",
            "C:\\base17");
        put(Root::LocalMachine, "SOFTWARE\\Brontavex\\Orvik\\V9", "installPath", "E:\\Orvik");
        const std::string shell =
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        put(Root::CurrentUser, shell, "Programs", "C:\\Test Programs");
        RegStandInSetFile(nullptr);
    }

    // Wine's shell rewrites the user's "Desktop" shell folder whenever it
    // starts (in the background, while a program runs), so the tests keep
    // Wine's own desktop and set only the programs folder.
    static std::string WineDesktop() {
        std::string output;
        Shell(Wine("wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                   "Shell Folders' /v Desktop"),
              &output);
        const std::size_t type = output.find("REG_SZ");
        if (type == std::string::npos) {
            ADD_FAILURE() << "Wine has no desktop folder: " << output;
            return "";
        }
        return WithBackslash(Trim(Cp936ToUtf8(output.substr(type + 6))));
    }

    // Every run starts from the prepared values.
    static void ImportRegistry() {
        Shell(Wine("wine reg import " + Quote(WinePath(kWork / "prepare.reg")) + " >/dev/null"));
    }

    static void PrepareMedia() {
        const fs::path media = kWork / "media";
        // Written out of name order: the log follows the listing's order.
        WriteFile(media / "Support/sub/b.txt", "b");
        WriteFile(media / "Support/a.txt", "a");
        fs::create_directories(media / "Controls");
        fs::copy_file(kBuilt / "mark.ocx", media / "Controls/mark.ocx");
        WriteFile(media / "Controls/notes.txt", "n");
        WriteFile(media / "图框/A3.dwg", "f");
        WriteFile(media / "Data/locked.dat", "r");
        fs::permissions(media / "Data/locked.dat", fs::perms::owner_read | fs::perms::group_read);
        WriteFile(media / "标准断面/深层/x.txt", "x");
        WriteFile(media / "模板/acad.dwt", "t");
        fs::copy_file(kBuilt / "setup.exe", media / "setup.exe");
        for (const char* name : {"SETUP.EXE", "Setup.exe", "quarnv9.0.ICO", "readme.txt",
                                 "quarn.url", "QUARN-64.exe", "Uninstall-64.exe"}) {
            WriteFile(media / name, name);
        }
    }

    static SetupRun Install(const std::string& options, const std::string& logName) {
        SetupRun run;
        ImportRegistry();
        const fs::path log = kWork / logName;
        run.status = Shell(Wine("wine " + Quote(WinePath(kWork / "media/setup.exe")) +
                                " /S /LOG=" + Quote(WinePath(log)) +
                                (options.empty() ? "" : " " + Quote(options)) + " >/dev/null"));
        run.log = Cp936ToUtf8(ReadFile(log));
        return run;
    }

    // The keys the installation writes, merged into one registry file that
    // the registry stand-in reads.
    static void ExportRegistry() {
        const char* const keys[] = {
            "HKLM\\Software\\Autodesk",
            "HKLM\\Software\\Wow6432Node\\Autodesk",
            "HKLM\\Software\\Brontavex",
            "HKLM\\Software\\Wow6432Node\\Brontavex",
            "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9",
            "HKCU\\Software\\Autodesk"};
        std::string merged = "Windows Registry Editor Version 5.00\n";
        int index = 0;
        for (const char* key : keys) {
            const fs::path file = kWork / ("export" + std::to_string(index++) + ".reg");
            if (Shell(Wine("wine reg export " + Quote(key) + " " + Quote(WinePath(file)) +
                           " /y >/dev/null")) != 0) {
                continue;
            }
            std::string text;
            Shell("iconv -f UTF-16 -t UTF-8 " + Quote(file.string()), &text);
            merged += text.substr(text.find('\n') + 1) + "\n";
        }
        WriteFile(kWork / "exported.reg", merged);
    }

    // The value as the installation left it, "<none>" when missing.
    std::string Value(Root root, const std::string& key, const std::string& name) {
        RegStandInSetFile((kWork / "exported.reg").c_str());
        SystemRegistry registry;
        const auto value = registry.ReadString(root, Gbk(key), Gbk(name));
        RegStandInSetFile(nullptr);
        return value ? Cp936ToUtf8(*value) : "<none>";
    }

    static fs::path Local(const std::string& windowsPath) {
        std::string path = windowsPath.substr(3);
        for (char& c : path) {
            if (c == '\\') c = '/';
        }
        return kWork / "prefix/drive_c" / path;
    }

    static inline std::string s_skip;
    static inline std::string s_desktop;  // Wine's, with trailing backslash
    static inline std::map<std::string, SetupRun> s_runs;
};

TEST_F(SetupUnderWine, ExitStatusAndQuestionLog) {
    // The system's message opening the question is Wine's own wording.
    const std::string missingTemp =
        "\r\n找不到安装文件的路径 " + WinePath(kWork / "media") +
        "\\Temp\\，\r\n点击“重试”按钮试图重新查找该安装文件路径；\r\n"
        "点击“忽略”按钮将跳过该路径下的操作并继续执行；\r\n"
        "点击“取消”按钮将终止程序运行。\r\n=> Ignore\r\n=> finished, 10 entries handled\r\n";
    const SetupRun& first = s_runs["default"];
    EXPECT_EQ(first.status, 0);
    EXPECT_TRUE(first.log.ends_with(missingTemp)) << first.log;
    EXPECT_EQ(Lines(first.log, "\r\n").size(), 7u) << first.log;
    EXPECT_TRUE(fs::exists(Local("C:\\Program Files\\Brontavex\\QUARN\\Uninstall.log")));

    const SetupRun& again = s_runs["chosen"];
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.log.rfind("[警告] 已经安装了本软件!\r\n是否重新安装?\r\n=> Yes\r\n", 0), 0u)
        << again.log;
    EXPECT_TRUE(again.log.ends_with(missingTemp)) << again.log;

    const SetupRun& refused = s_runs["refused"];
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.log.find("不能创建文件夹 C:\\blocked\\QUARN ，"), std::string::npos)
        << refused.log;
    EXPECT_TRUE(refused.log.ends_with("=> Cancel\r\n=> failed, 0 entries handled\r\n"));
}

TEST_F(SetupUnderWine, CopiesTheFileSet) {
    struct Case {
        const char* path;  // below the destination
        bool present;
    };
    const Case cases[] = {
        {"Support/sub/b.txt", true},   {"Controls/notes.txt", true}, {"图框/A3.dwg", true},
        {"标准断面/深层/x.txt", true}, {"模板/acad.dwt", true},      {"Temp", true},
        {"quarnv9.0.ICO", true},       {"QUARN-64.exe", true},       {"setup.exe", false},
        {"SETUP.EXE", false},          {"Setup.exe", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(Local(kDestination) / c.path), c.present) << c.path;
    }
    // The copy inside a folder tree loses the read-only attribute.
    EXPECT_NE(
        fs::status(Local(kDestination) / "Data/locked.dat").permissions() & fs::perms::owner_write,
        fs::perms::none);
    EXPECT_EQ(ReadFile(Local(kDestination) / "Controls/mark.ocx.registered"), "registered");
    // Wine keeps DOS attributes in an extended attribute (0x2 = hidden).
    for (const char* name : {"Uninstall.log", "quarnv9.0.ICO"}) {
        char attributes[32] = {};
        const auto size = getxattr((Local(kDestination) / name).c_str(), "user.DOSATTRIB",
                                   attributes, sizeof attributes - 1);
        if (size < 0) continue;  // a file system without extended attributes
        EXPECT_EQ(std::strtol(attributes, nullptr, 16) & 0x2, 0x2) << name;
    }
}

TEST_F(SetupUnderWine, UninstallLogLineByLine) {
    const std::string d = kDestination;
    const std::vector<std::string> expected = {
        "Made Dir: " + d + "Support",
        "File Copy: " + d + "Support\\a.txt",
        "Made Dir: " + d + "Support\\sub",
        "File Copy: " + d + "Support\\sub\\b.txt",
        "Made Dir: " + d + "Controls",
        "File Copy: " + d + "Controls\\mark.ocx",
        "File Copy: " + d + "Controls\\notes.txt",
        "Made Dir: " + d + "图框",
        "File Copy: " + d + "图框\\A3.dwg",
        "Made Dir: " + d + "Data",
        "File Copy: " + d + "Data\\locked.dat",
        "Made Dir: " + d + "标准断面",
        "Made Dir: " + d + "标准断面\\深层",
        "File Copy: " + d + "标准断面\\深层\\x.txt",
        "Made Dir: " + d + "模板",
        "File Copy: " + d + "模板\\acad.dwt",
        "Made Dir: " + d + "Temp",
        "File Copy: " + d + "QUARN-64.exe",
        "File Copy: " + d + "quarn.url",
        "File Copy: " + d + "quarnv9.0.ICO",
        "File Copy: " + d + "readme.txt",
        "File Copy: " + d + "Uninstall-64.exe",
        "Reg Ctrl: " + d + "Controls\\mark.ocx",
        "RegDB Key: 2,SOFTWARE\\Brontavex\\QUARN\\V9",
        "RegDB Key: 2,SOFTWARE\\Wow6432Node\\Brontavex\\QUARN\\V9",
        "RegDB Key: 2,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9",
        "Made Dir: " + kGroup,
        "File Copy: " + s_desktop + "土方计算地形分析.LNK",
        "File Copy: " + kGroup + "\\QUARN V9.0.LNK",
        "File Copy: " + d + "QUARNfor2005.LNK",
        "File Copy: " + d + "QUARNfor2006.LNK",
        "File Copy: " + d + "QUARNfor2009.LNK",
        "File Copy: " + d + "QUARNfor2014.LNK",
        "File Copy: " + kGroup + "\\官方网站.LNK",
        "File Copy: " + kGroup + "\\QUARN V9.0 卸载程序.LNK",
        "File Copy: " + kGroup,
        "File Copy: " + d + "Uninstall.log",
    };
    const std::string log = ReadFile(Local(d) / "Uninstall.log");
    ASSERT_TRUE(log.ends_with("\r\n"));
    EXPECT_EQ(Lines(Cp936ToUtf8(log), "\r\n"), expected);
}

TEST_F(SetupUnderWine, RegistryValues) {
    const std::string d = kDestination;
    const std::string profile19 = kAcad + "R19.1\\ACAD-D001:804\\Profiles\\";
    const std::string profile17 = kAcad + "R17.2\\ACAD-7001:804\\Profiles\\<<QUARN V9>>";
    const std::string profile16 = kAcad + "R16.2\\ACAD-4001:409\\Profiles\\<<QUARN V9>>";
    const std::string trusted =
        d + "Support\\2013-15\\64\\arx;E:\\Orvik\\Support\\2013-15\\64\\arx;";
    struct Case {
        Root root;
        std::string key;
        const char* name;
        std::string value;
    };
    const Case cases[] = {
        {Root::LocalMachine, "SOFTWARE\\Brontavex\\QUARN\\V9", "installPath", d},
        {Root::LocalMachine, "SOFTWARE\\Wow6432Node\\Brontavex\\QUARN\\V9", "installPath", d},
        {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9",
         "DisplayName", "土方计算地形分析软件 QUARN V9.0"},
        {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QUARN V9",
         "UninstallString", d + "Uninstall-64.exe"},
        {Root::LocalMachine, kAcad + "R19.1\\ACAD-D001:804\\Applications\\LoadQUARN", "LOADER",
         d + "Support\\2013-15\\64\\ARX\\LoadQUARN.arx"},
        {Root::LocalMachine, kAcad + "R19.1\\ACAD-D001:804\\Applications\\LoadQUARN", "LOADCTRLS",
         "\x02"},
        {Root::CurrentUser, profile19 + "<<QUARN V9>>\\General", "ACAD",
         d + "Support\\2013-15\\64\\arx;" + d + "Support\\2013-15\\Menu;C:\\base19;"},
        {Root::CurrentUser, profile19 + "<<QUARN V9>>\\Variables", "TRUSTEDPATHS", trusted},
        {Root::CurrentUser, profile19 + "<<初始设置配置>>\\Variables", "TRUSTEDPATHS", trusted},
        {Root::CurrentUser, profile19 + "<<QUARN V9>>", "", "<<QUARN V9>>"},
        {Root::LocalMachine,
         "Software\\Wow6432Node\\Autodesk\\AutoCAD\\R17.2\\ACAD-7001:804\\Applications\\LoadQUARN",
         "LOADER", d + "Support\\2007-09\\ARX\\LoadQUARN.arx"},
        {Root::CurrentUser, profile17 + "\\General", "ACAD",
         d + "Support\\2007-09\\arx;" + d + "Support\\2007-09\\Menu;C:\\base17;"},
        {Root::CurrentUser, profile17 + "\\General Configuration", "MenuFile",
         d + "Support\\2007-09\\Menu\\Velmora"},
        {Root::CurrentUser, profile16 + "\\General", "ACAD",
         d + "Support\\2004-06\\arx;" + d + "Support\\2004-06\\Menu;;"},
        // Seen only in the native view: a shortcut, no registration.
        {Root::CurrentUser, kAcad + "R16.1\\ACAD-301:409\\Profiles\\<<QUARN V9>>", "", "<none>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Value(c.root, c.key, c.name), c.value) << c.key << " " << c.name;
    }
}

// Probing the releases that are not installed leaves no keys behind.
TEST_F(SetupUnderWine, ProbingCreatesNoKeys) {
    const std::pair<const char*, bool> cases[] = {
        {"HKLM\\Software\\Brontavex\\QUARN\\V9", true},
        {"HKCU\\Software\\Autodesk\\AutoCAD\\R19.1", true},
        {"HKCU\\Software\\Autodesk\\AutoCAD\\R15.0", false},
        {"HKCU\\Software\\Autodesk\\AutoCAD\\R18.0", false},
        {"HKLM\\Software\\Autodesk\\AutoCAD\\R15.0", false},
        {"HKLM\\Software\\Autodesk\\AutoCAD\\R18.0", false},
        {"HKLM\\Software\\Wow6432Node\\Autodesk\\AutoCAD\\R19.1", false},
        {"HKLM\\Software\\Wow6432Node\\Autodesk\\AutoCAD\\R16.1", false},
    };
    for (const auto& [key, exists] : cases) {
        EXPECT_EQ(Shell(Wine("wine reg query " + Quote(key) + " >/dev/null")) == 0, exists) << key;
    }
}

TEST_F(SetupUnderWine, ShortcutsReadBackThroughIShellLink) {
    const std::string d = kDestination;
    const std::string start = "/p \"<<QUARN V9>>\" /t acad.dwt";
    const std::string icon = d + "QUARNV9.0.ICO";
    struct Case {
        std::string link;
        std::string fields;  // target|arguments|icon|index|working folder
    };
    const Case cases[] = {
        {s_desktop + "土方计算地形分析.LNK", d + "QUARN-64.exe|||0|" + d},
        {kGroup + "\\QUARN V9.0.LNK", d + "QUARN-64.exe|||0|" + d},
        {d + "QUARNfor2014.LNK", kAcad2014 + "\\acad.exe|" + start + "|" + icon + "|0|" + d},
        {d + "QUARNfor2009.LNK", "C:\\ACAD 2009\\acad.exe|" + start + "|" + icon + "|0|" + d},
        {d + "QUARNfor2006.LNK", "C:\\ACAD 2006\\acad.exe|" + start + "|" + icon + "|0|" + d},
        {d + "QUARNfor2005.LNK", "C:\\ACAD 2005\\acad.exe|" + start + "|" + icon + "|0|" + d},
        {kGroup + "\\官方网站.LNK", d + "quarn.url|||0|" + d},
        {kGroup + "\\QUARN V9.0 卸载程序.LNK", d + "Uninstall-64.exe|||0|" + d},
    };
    // Wine reads its command line as UTF-8 and hands it to the program in
    // code page 936.
    std::string arguments;
    for (const Case& c : cases) arguments += " " + Quote(c.link);
    std::string output;
    Shell(Wine("wine " + Quote((kBuilt / "lnkread.exe").string()) + arguments), &output);
    const auto lines = Lines(Cp936ToUtf8(output), "\n");
    ASSERT_EQ(lines.size(), std::size(cases)) << output;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (line.ends_with("\r")) line.pop_back();
        EXPECT_EQ(line, cases[i].fields) << cases[i].link;
    }
}

// The program itself: 64-bit, GUI subsystem, run with the invoker's rights.
TEST(SetupProgram, IsA64BitGuiProgramRunAsInvoker) {
    const std::string image = ReadFile(kBuilt / "setup.exe");
    ASSERT_GT(image.size(), 0x200u);
    auto word = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(image[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(image[at + 1])) << 8;
    };
    const std::size_t pe = word(0x3C) | word(0x3E) << 16;
    ASSERT_EQ(image.substr(pe, 4), std::string("PE\0\0", 4));
    EXPECT_EQ(word(pe + 4), 0x8664u);   // machine: x86-64
    EXPECT_EQ(word(pe + 24), 0x20Bu);   // optional header: PE32+
    EXPECT_EQ(word(pe + 24 + 68), 2u);  // subsystem: Windows GUI
    EXPECT_NE(image.find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace
}  // namespace setup
