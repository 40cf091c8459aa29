// The host program run as a user runs it: command line, script, exit status,
// transcript on standard output, messages on standard error, files written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CadhostRun : public ::testing::Test {
  protected:
    void SetUp() override {
        mDir = fs::temp_directory_path() / ("cadhost_run_" + std::to_string(getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    fs::path path(const std::string& name) const { return mDir / name; }

    // Runs cadhost with the arguments and the given standard input.
    Outcome cadhost(const std::string& args, const std::string& input = "") const {
        writeFile(path("stdin"), input);
        const std::string cmd = std::string(CADHOST_EXE) + " " + args + " <" +
                                path("stdin").string() + " >" + path("stdout").string() + " 2>" +
                                path("stderr").string();
        const int raw = std::system(cmd.c_str());
        Outcome o{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(path("stdout")),
                  readFile(path("stderr"))};
        // In sanitizer builds a fault also exits with 1: make sure a failure is the program's own.
        EXPECT_EQ(o.err.find("Sanitizer"), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << o.err;
        return o;
    }

    std::string script(const std::string& text) const {
        writeFile(path("s.scr"), text);
        return "--script " + path("s.scr").string();
    }

    static std::string module() { return std::string("--load ") + HOST_TEST_MODULE; }

    fs::path mDir;
};

TEST_F(CadhostRun, AScriptRunsToItsEnd) {
    const std::string svg = path("pic.svg").string();
    const Outcome o = cadhost(module() + " " +
                              script("; a session\n"
                                     "TMAKE\n"
                                     "UCS\n10,0\n\n\n"
                                     "TKEYWORD\n0,0\nA\n"
                                     "TXDATA\n方格\n"
                                     "!break 5\n"
                                     "TLOOP\n"
                                     "SVG\n" +
                                     svg + "\n"));
    EXPECT_EQ(o.status, 0) << o.err;
    for (const char* part : {"Command: TMAKE", "made 5 entities", "point 0,0 world 10,0",
                             "1 selected", "stopped at 5", "Wrote "})
        EXPECT_TRUE(has(o.out, part)) << part << "\n" << o.out;
    EXPECT_TRUE(has(readFile(svg), "场区1方格标高"));
    EXPECT_TRUE(o.err.empty()) << o.err;
}

TEST_F(CadhostRun, AScriptCanComeFromStandardInput) {
    const Outcome o = cadhost(module() + " --script -", "TINT\n12\n");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(has(o.out, "integer 12 result 5100")) << o.out;
}

struct FailureCase {
    const char* name;
    std::string script;
    std::string message;  // on standard error
};

TEST_F(CadhostRun, ABrokenScriptFailsAndSavesNothing) {
    const FailureCase cases[] = {
        {"malformed line", "TMAKE\n!explode\n",
         "cadhost: script line 2: unknown directive \"!explode\""},
        {"unknown command", "TMAKE\nFROB\n", "cadhost: script line 2: unknown command \"FROB\""},
        {"wrong answer", "TINT\nlots\n", "cadhost: script line 2: Requires an integer"},
        {"ends inside a command", "TKEYWORD\n", "the script ended while a command was waiting"},
    };
    for (const FailureCase& c : cases) {
        const fs::path out = path("out.dxf");
        const Outcome o = cadhost(module() + " " + script(c.script) + " --save " + out.string());
        EXPECT_EQ(o.status, 1) << c.name;
        EXPECT_TRUE(has(o.err, c.message)) << c.name << ": " << o.err;
        EXPECT_FALSE(fs::exists(out)) << c.name;
    }
    // A malformed script is refused before anything runs.
    EXPECT_FALSE(has(cadhost(module() + " " + script("TMAKE\n!break x\n")).out, "made 5"));
}

TEST_F(CadhostRun, FilesThatCannotBeReadOrWrittenAreNamed) {
    const std::string missing = path("missing").string();
    const FailureCase cases[] = {
        {"script", "--script " + missing + ".scr", "cannot read script"},
        {"drawing", "--open " + missing + ".dxf", "Cannot open drawing"},
        {"module", "--load " + missing + ".arx", "cannot load module"},
        {"picture", "--svg " + missing + "/x/pic.svg", "Cannot write picture"},
    };
    for (const FailureCase& c : cases) {
        const Outcome o = cadhost(c.script);
        EXPECT_EQ(o.status, 1) << c.name;
        EXPECT_TRUE(has(o.err, c.message)) << c.name << ": " << o.err;
    }
    EXPECT_EQ(cadhost("--bogus").status, 2);
}

TEST_F(CadhostRun, TheOpenedDrawingIsOnlySavedOverWhenAsked) {
    const std::string first = path("site.dxf").string();
    ASSERT_EQ(cadhost(module() + " " + script("TMAKE\n") + " --save " + first).status, 0);
    const std::string before = readFile(first);
    ASSERT_FALSE(before.empty());

    const std::string copy = path("copy.dxf").string();
    Outcome o =
        cadhost(module() + " --open " + first + " " + script("TXDATA\n场区\n") + " --save " + copy);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(has(o.out, "1 selected")) << o.out;
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(readFile(first), before);

    o = cadhost(module() + " --open " + first + " " + script("TMAKE\nFROB\n") + " --save " + first);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(readFile(first), before);
}

}  // namespace
