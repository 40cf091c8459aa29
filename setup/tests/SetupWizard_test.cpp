// setup.exe's wizard under Wine on a virtual X display (Xvfb): wizdrive.exe
// walks the pages as a person would and checks the windows' own state.
// Runs: a Cancel during copying (before anything is installed), the whole
// walk to the finish page, a second start declined at the installed
// question, and a Cancel on a page answered No, then Yes. The driver saves
// the screen at every page into wizard/shots. Skipped, saying why, where
// Wine or Xvfb cannot start.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "WineShell.h"

namespace setup {
namespace {

namespace fs = std::filesystem;

const fs::path kWork = SETUP_WIZARD_WORK;
const fs::path kBuilt = SETUP_WIN_DIR;
const fs::path kSlides = SETUP_SLIDES;

using testing::Quote;
using testing::Shell;
using testing::WinePath;

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

struct DriverRun {
    int status = -1;
    std::string output;
};

class SetupWizard : public ::testing::Test {
  protected:
    static std::string Wine(const std::string& arguments) {
        return "env -u WAYLAND_DISPLAY -u LANG -u LANGUAGE WINEARCH=win64 WINEDEBUG=-all"
               " WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' LC_ALL=zh_CN.UTF-8"
               " DISPLAY=" +
               s_display + " LOCPATH=" + Quote((kWork / "locale").string()) +
               " WINEPREFIX=" + Quote((kWork / "prefix").string()) +
               " HOME=" + Quote((kWork / "home").string()) + " " + arguments + " 2>>" +
               Quote((kWork / "wine.err").string());
    }

    static std::string Prepare() {
        fs::remove_all(kWork);
        fs::create_directories(kWork / "home");
        fs::create_directories(kWork / "locale");
        fs::create_directories(kWork / "shots");
        if (Shell("wine --version >/dev/null 2>&1") != 0) {
            return "Wine cannot start here (\"wine --version\" failed); install Debian's wine";
        }
        if (Shell("command -v Xvfb >/dev/null") != 0) {
            return "Xvfb is not installed (Debian package xvfb)";
        }
        if (Shell("localedef -i zh_CN -f UTF-8 " + Quote((kWork / "locale/zh_CN.UTF-8").string()) +
                  " >/dev/null 2>&1") > 1) {
            return "the zh_CN.UTF-8 locale cannot be made (Debian package locales)";
        }
        if (!StartDisplay()) return "Xvfb cannot start a display here";
        if (Shell(Wine("wineboot --init >/dev/null")) != 0) {
            return "Wine cannot start a prefix here (wineboot failed, see " +
                   (kWork / "wine.err").string() + ")";
        }
        Shell(Wine("wineserver --persistent=60 >/dev/null"));
        // Without a window manager Wine draws the windows' frames itself.
        Shell(
            Wine("wine reg add 'HKCU\\Software\\Wine\\X11 Driver' /v Managed /d N /f >/dev/null"));
        return "";
    }

    static bool StartDisplay() {
        for (int number = 90 + getpid() % 200, tries = 0; tries < 20; ++number, ++tries) {
            if (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
                fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
                continue;
            }
            std::string pid;
            Shell("Xvfb :" + std::to_string(number) +
                      " -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & echo $!",
                  &pid);
            s_xvfb = std::atoi(pid.c_str());
            s_display = ":" + std::to_string(number);
            for (int wait = 0; wait < 100; ++wait) {
                if (Shell("xdpyinfo -display " + s_display + " >/dev/null 2>&1") == 0) return true;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            kill(s_xvfb, SIGTERM);
            s_xvfb = 0;
        }
        return false;
    }

    // setup.exe beside the install folders, each holding a file; `data`
    // files in Data; the slides when asked for.
    static void PrepareMedia(const std::string& name, int data, bool slides) {
        const fs::path media = kWork / "prefix/drive_c" / name;
        fs::create_directories(media);
        fs::copy_file(kBuilt / "setup.exe", media / "setup.exe");
        for (const char* folder :
             {"Support", "Controls", "图框", "Data", "标准断面", "模板", "Temp"}) {
            WriteFile(media / folder / "note.txt", folder);
        }
        for (int i = 0; i < data; ++i) WriteFile(media / "Data" / ("d" + std::to_string(i)), "d");
        WriteFile(media / "readme.txt", "readme");
        if (slides) fs::copy(kSlides, media / "安装界面");
    }

    static DriverRun Drive(const std::string& scenario, const std::string& media,
                           const std::string& destination) {
        DriverRun run;
        run.status = Shell(Wine("wine " + Quote((kBuilt / "wizdrive.exe").string()) + " " +
                                scenario + " " + Quote("C:\\" + media + "\\setup.exe") + " " +
                                Quote(destination) + " " + Quote(WinePath(kWork / "shots"))),
                           &run.output);
        return run;
    }

    static void SetUpTestSuite() {
        s_skip = Prepare();
        if (!s_skip.empty()) return;
        PrepareMedia("big", 1991, false);  // 2000 files with the notes, setup.exe, readme
        PrepareMedia("media", 0, true);
        // Before anything is installed: no product key yet.
        s_runs["cancel-copy"] = Drive("cancel-copy", "big", "C:\\Cancelled\\QUARN");
        s_runs["walk"] = Drive("walk", "media", "C:\\Walked\\QUARN");
        s_runs["installed-no"] = Drive("installed-no", "media", "C:\\Unused");
        s_runs["cancel-page"] = Drive("cancel-page", "media", "C:\\Unused");
    }

    static void TearDownTestSuite() {
        if (!s_display.empty()) Shell(Wine("wineserver --kill"));
        if (s_xvfb > 0) kill(s_xvfb, SIGTERM);
    }

    void SetUp() override {
        if (!s_skip.empty()) GTEST_SKIP() << s_skip;
    }

    static void Expect(const std::string& scenario) {
        const DriverRun& run = s_runs[scenario];
        EXPECT_EQ(run.status, 0) << scenario << ":\n" << run.output;
    }

    static inline std::string s_skip;
    static inline std::string s_display;
    static inline pid_t s_xvfb = 0;
    static inline std::map<std::string, DriverRun> s_runs;
};

TEST_F(SetupWizard, CancelWhileCopyingLeavesNoLogAndNoKey) { Expect("cancel-copy"); }
TEST_F(SetupWizard, WalksEveryPageToTheEnd) { Expect("walk"); }
TEST_F(SetupWizard, DecliningTheInstalledQuestionShowsNoPage) { Expect("installed-no"); }
TEST_F(SetupWizard, CancelOnAPageAskedTwice) { Expect("cancel-page"); }

TEST_F(SetupWizard, EveryPageWasSeen) {
    for (const char* shot :
         {"welcome", "backdrop-2", "backdrop-3", "licence", "path", "install", "finish"}) {
        EXPECT_TRUE(fs::exists(kWork / "shots" / (std::string(shot) + ".bmp"))) << shot;
    }
}

}  // namespace
}  // namespace setup
