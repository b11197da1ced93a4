// Start-up, debug switch, debug log and viewer, run for real in a child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path) << content;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("kv3124-startup-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        // The viewer copies what it was given, then takes its time, so the test sees whether the
        // program waited for it and whether the log was complete when it started.
        viewer = dir / "viewer.sh";
        writeFile(viewer,
            "#!/bin/sh\n"
            "printf '%s\\n' \"$@\" > viewer-args.txt\n"
            "cat \"$1\" > viewer-saw.txt\n"
            "sleep 0.3\n"
            "touch viewer-done\n");
        fs::permissions(viewer, fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(dir); }

    RunResult run(const std::vector<std::string>& arguments) const
    {
        const fs::path outPath = dir / "child-stdout.txt";
        const fs::path errPath = dir / "child-stderr.txt";
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(dir.c_str()) != 0)
                ::_exit(127);
            std::FILE* out = std::freopen(outPath.c_str(), "w", stdout);
            std::FILE* err = std::freopen(errPath.c_str(), "w", stderr);
            if (!out || !err)
                ::_exit(127);
            ::setenv("VISUAL", viewer.c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            std::vector<char*> argv { const_cast<char*>(STARTUP_DRIVER) };
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(STARTUP_DRIVER, argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        RunResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readFile(outPath);
        result.err = readFile(errPath);
        return result;
    }

    bool viewerRan() const { return fs::exists(dir / "viewer-args.txt"); }

    fs::path dir;
    fs::path viewer;
};

TEST_F(StartupTest, WithoutSwitchNoFileIsTouchedAndNoViewerStarts)
{
    const RunResult result = run({});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(fs::exists(dir / "debug.log"));
    EXPECT_FALSE(viewerRan());
}

TEST_F(StartupTest, SwitchAnywhereLogsTheWholeTailAndShowsItAfterTheWindowCloses)
{
    const std::vector<std::vector<std::string>> lines {
        { "/d" },
        { "/D" },
        { "--adapter=none", "c:/data" },
        { "/Debug", "two  words" },
    };
    for (const auto& arguments : lines) {
        std::string tail;
        for (const std::string& argument : arguments)
            tail += (tail.empty() ? "" : " ") + argument;
        SCOPED_TRACE(tail);
        fs::remove(dir / "viewer-args.txt");
        fs::remove(dir / "viewer-done");

        const RunResult result = run(arguments);

        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(readFile(dir / "debug.log"), "CmdLine: " + tail + "\n");
        EXPECT_EQ(readFile(dir / "viewer-args.txt"), "debug.log\n");
        EXPECT_EQ(readFile(dir / "viewer-saw.txt"), "CmdLine: " + tail + "\n");
        EXPECT_TRUE(fs::exists(dir / "viewer-done")) << "the program ended before its viewer";
    }
}

TEST_F(StartupTest, StaleLogIsReplacedNotAppended)
{
    writeFile(dir / "debug.log", "CmdLine: an earlier run\nmore of it\n");
    const RunResult result = run({ "/d" });
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(dir / "debug.log"), "CmdLine: /d\n");
}

TEST_F(StartupTest, LogThatCannotBeOpenedLeavesDebugModeOffAndStartsNoViewer)
{
    // A non-empty directory cannot be removed by the delete step nor opened for writing, even by root.
    fs::create_directories(dir / "debug.log");
    writeFile(dir / "debug.log" / "keep", "x");

    const RunResult result = run({ "/d" });

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(viewerRan());
    EXPECT_TRUE(fs::is_directory(dir / "debug.log"));
    EXPECT_EQ(result.out, "CmdLine: /d\n") << "the line goes to the original standard output";
}

TEST_F(StartupTest, HelpAndRejectedLinesExitBeforeAnyLogOrWindow)
{
    writeFile(dir / "debug.log", "stale\n");

    RunResult result = run({ "--help", "/d" });
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("--adapter="), std::string::npos);
    EXPECT_NE(result.out.find("c:/data"), std::string::npos) << "the help warns about /d inside a path";

    result = run({ "/d", "--bogus" });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("'--bogus'"), std::string::npos);
    EXPECT_NE(result.err.find("--adapter="), std::string::npos) << "the message names the valid choices";
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);

    for (const std::string adapter : { "usb3", "" }) {
        result = run({ "--adapter=" + adapter, "/d" });
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("'" + adapter + "'"), std::string::npos);
        EXPECT_NE(result.err.find("sim, none"), std::string::npos);
    }

    EXPECT_EQ(readFile(dir / "debug.log"), "stale\n");
    EXPECT_FALSE(viewerRan());
}

} // namespace
