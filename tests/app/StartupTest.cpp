// Start-up, debug switch, debug log and viewer, run for real in a child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    return { std::istreambuf_iterator<char>(in), {} };
}

std::string join(const std::vector<std::string>& words, const std::string& quote = "")
{
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : " ") + quote + word + quote;
    return joined;
}

// What sits at `path`: a file's content, or whether anything else is there (a link is not followed).
std::string describe(const fs::path& path)
{
    const fs::file_status entry = fs::symlink_status(path);
    return fs::is_regular_file(entry) ? "file " + readFile(path) : fs::exists(entry) ? "something else" : "nothing";
}

struct Outcome {
    int exitCode;
    std::string out, err;
};

// A working directory with the viewer under three names, first on PATH. The viewer records its name
// and arguments, copies the file it was given, then takes its time, so a test sees which viewer ran,
// whether the log was complete when it started and whether the program waited for it.
struct Sandbox {
    // `stale` is a shell command laying out what an earlier run left behind.
    explicit Sandbox(const std::string& stale)
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "visual") << "#!/bin/sh\nprintf '%s\\n' \"${0##*/}\" \"$@\" > viewer-args.txt\n"
                                         "cat \"$1\" > viewer-saw.txt\nsleep 0.3\ntouch viewer-done\n";
        fs::permissions(dir / "visual", fs::perms::owner_all);
        fs::copy_file(dir / "visual", dir / "editor");
        fs::copy_file(dir / "visual", dir / "xdg-open");
        EXPECT_EQ(stale.empty() ? 0 : std::system(("cd " + dir.string() + " && " + stale).c_str()), 0);
    }
    ~Sandbox() { fs::remove_all(dir); }

    Outcome run(const std::vector<std::string>& arguments, const char* visual, const char* editor) const
    {
        const std::string command = "cd " + dir.string() + " && VISUAL='" + visual + "' EDITOR='" + editor
            + "' PATH=\"$PWD:$PATH\" QT_QPA_PLATFORM=offscreen " STARTUP_DRIVER " " + join(arguments, "'")
            + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir / "out.txt"), readFile(dir / "err.txt") };
    }

    const fs::path dir = fs::temp_directory_path() / ("kv3124-startup-" + std::to_string(::getpid()));
    const fs::path log = dir / "debug.log";
};

TEST(Startup, DebugSwitchLogsTheTailAndShowsItInTheViewerAfterTheWindowCloses)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string stale;
        std::string viewer; // the one that shows the log; none when debug mode is off
        const char* visual = "./visual";
        const char* editor = "./editor";
    };
    const std::vector<Case> cases {
        { {}, "", "" },
        { { "/D" }, "", "visual" },
        { { "--adapter=none", "c:/data" }, "", "visual" },
        { { "/Debug", "two  words" }, "", "visual" },
        { { "/d" }, "", "editor", "  " },
        { { "/d" }, "", "xdg-open", " ", "\t " },
        { { "/d" }, "printf 'CmdLine: earlier\\nmore\\n' > debug.log", "visual" },
        { { "/d" }, "mkdir elsewhere && ln -s elsewhere debug.log", "visual" },
        // A directory is never deleted, so the log cannot be opened.
        { { "/d" }, "mkdir debug.log", "" },
        { { "/d" }, "mkdir debug.log && touch debug.log/keep", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(join(c.arguments) + " " + c.stale + ", VISUAL '" + c.visual + "', EDITOR '" + c.editor + "'");
        const Sandbox box(c.stale);
        const std::string before = describe(box.log);

        const Outcome result = box.run(c.arguments, c.visual, c.editor);

        EXPECT_EQ(result.exitCode, 0) << result.err;
        // Every line but the empty one switches debug mode on.
        const std::string line = c.arguments.empty() ? "" : "CmdLine: " + join(c.arguments) + "\n";
        const bool shown = !c.viewer.empty();
        EXPECT_EQ(describe(box.log), shown ? "file " + line : before);
        EXPECT_EQ(result.out, shown ? "" : line) << "a log that cannot be opened leaves the line on standard output";
        EXPECT_EQ(readFile(box.dir / "viewer-args.txt"), shown ? c.viewer + "\ndebug.log\n" : "");
        EXPECT_EQ(readFile(box.dir / "viewer-saw.txt"), shown ? line : "");
        EXPECT_EQ(fs::exists(box.dir / "viewer-done"), shown) << "the program ended before its viewer";
    }
}

TEST(Startup, HelpAndRejectedLinesExitBeforeAnyLogOrWindow)
{
    // The texts the help (standard output) or the one-line rejection (standard error) must hold.
    const std::vector<std::tuple<std::vector<std::string>, int, std::vector<std::string>>> lines {
        { { "--help", "/d" }, 0, { "--adapter=", "c:/data" } },
        { { "/d", "--bogus" }, 2, { "'--bogus'", "--adapter=" } },
        { { "--adapter=usb3", "/d" }, 2, { "'usb3'", "sim, none" } },
        { { "--adapter=", "/d" }, 2, { "''", "sim, none" } },
    };
    for (const auto& [arguments, exitCode, texts] : lines) {
        SCOPED_TRACE(join(arguments));
        const Sandbox box("echo stale > debug.log");
        const Outcome result = box.run(arguments, "./visual", "");
        EXPECT_EQ(result.exitCode, exitCode);
        const std::string& said = exitCode == 0 ? result.out : result.err;
        for (const std::string& text : texts)
            EXPECT_NE(said.find(text), std::string::npos) << said << "lacks " << text;
        EXPECT_TRUE(exitCode == 0 || std::count(said.begin(), said.end(), '\n') == 1) << said;
        EXPECT_EQ(describe(box.log), "file stale\n");
        EXPECT_FALSE(fs::exists(box.dir / "viewer-args.txt"));
    }
}

} // namespace
