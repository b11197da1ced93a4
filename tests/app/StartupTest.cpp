// Start-up, debug switch, debug log and viewer, run for real in a child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    return { std::istreambuf_iterator<char>(in), {} };
}

std::string join(const std::vector<std::string>& words)
{
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

// What sits at `path`: a file's content, or whether anything else is there (a link is not followed).
std::string describe(const fs::path& path)
{
    const fs::file_status entry = fs::symlink_status(path);
    return fs::is_regular_file(entry) ? "file " + readFile(path) : fs::exists(entry) ? "something else" : "nothing";
}

// Every delete fails from here on, as in a folder the user may not write to (which root could still
// delete from), or when the entry is planted again right after each delete.
bool denyDeletes()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
#ifdef SYS_unlink
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_unlink, 2, 0),
#endif
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_unlinkat, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EACCES),
    };
    const sock_fprog program { sizeof filter / sizeof *filter, filter };
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// A working directory with the viewer under three names, first on PATH. The viewer records its name,
// arguments and open descriptors below 10 (a shell keeps its script above), says whether it ignores
// Ctrl-C, Ctrl-\ or SIGPIPE and whether the program still holds an I2C bus node, copies the file it was given,
// sends both signals to the program and takes its time, so a test sees which viewer ran, what it
// inherited, whether the log was complete and whether the program waited.
struct Sandbox {
    // `stale` is a shell command laying out what an earlier run left behind.
    explicit Sandbox(const std::string& stale)
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "visual")
            << "#!/bin/sh\nprintf '%s\\n' \"${0##*/}\" \"$@\" > viewer-args.txt\n"
               "(for fd in 0 1 2 3 4 5 6 7 8 9; do [ -e /proc/$$/fd/$fd ] && printf '%s ' "
               "$fd; done; [ $((0x$(sed -n 's/^SigIgn:[[:space:]]*//p' /proc/$$/status) & 0x1006)) -ne 0 ]"
               " && echo ignores;"
               " ls -l /proc/$PPID/fd | grep -q /dev/i2c- && echo holds a bus)"
               " >> viewer-args.txt\n"
               "cat \"$1\" > viewer-saw.txt\nkill -INT $PPID; kill -QUIT $PPID\n"
               "sleep 0.3\ntouch viewer-done\n";
        fs::permissions(dir / "visual", fs::perms::owner_all);
        fs::copy_file(dir / "visual", dir / "editor");
        fs::copy_file(dir / "visual", dir / "xdg-open");
        EXPECT_EQ(stale.empty() ? 0 : std::system(("cd " + dir.string() + " && " + stale).c_str()), 0);
    }
    ~Sandbox() { fs::remove_all(dir); }

    // The program's exit status. `closed` lists the standard descriptors it starts without; `keep` makes
    // every delete fail; `readerGone` makes standard error a pipe whose reader has gone.
    int run(std::vector<std::string> arguments, const char* visual, const char* editor, const std::string& closed = "",
        bool keep = false, bool readerGone = false) const
    {
        const pid_t child = ::fork();
        if (child == 0) {
            const std::string path = dir.string() + ":" + std::getenv("PATH");
            ::setenv("PATH", path.c_str(), 1);
            ::setenv("VISUAL", visual, 1);
            ::setenv("EDITOR", editor, 1);
            std::signal(SIGINT, SIG_DFL);
            std::signal(SIGQUIT, SIG_DFL);
            if (::chdir(dir.c_str()) != 0 || ::dup2(::open("out.txt", O_WRONLY | O_CREAT, 0600), 1) != 1
                || ::dup2(::open("err.txt", O_WRONLY | O_CREAT, 0600), 2) != 2 || (keep && !denyDeletes()))
                ::_exit(126);
            if (int gone[2]; readerGone && (::pipe(gone) != 0 || ::close(gone[0]) != 0 || ::dup2(gone[1], 2) != 2))
                ::_exit(126);
            for (const char fd : closed)
                ::close(fd - '0');
            ::close_range(3, ~0U, 0);
            ::alarm(20); // a program that hangs fails instead of holding up the run
            std::vector<char*> argv { const_cast<char*>(STARTUP_DRIVER) };
            for (std::string& argument : arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string read(const char* name) const { return readFile(dir / name); }

    const fs::path dir = fs::temp_directory_path() / ("kv3124-startup-" + std::to_string(::getpid()));
    const fs::path log = dir / "debug.log";
};

TEST(Startup, DebugLinesAreLoggedAndShownAfterTheWindowClosesAndBadLinesEndBeforeIt)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string viewer {}; // the one that shows the log; none when debug mode is off
        std::string stale {};
        std::string closed {};
        bool keep = false; // the delete fails, so what `stale` left is still there
        bool readerGone = false; // standard error is a pipe nobody reads
        const char* visual = "./visual";
        const char* editor = "./editor";
        int exitCode = 0;
        std::vector<std::string> says {}; // in the help (standard output) or the one-line rejection
        std::string traced {}; // in trace.txt
    };
    const std::string link = "echo keep > victim && ln -s victim debug.log", stale = "echo stale > debug.log";
    const std::vector<Case> cases {
        { {}, "" },
        { { "--adapter=none", "c:/data" }, "visual" },
        // Qt's standard options are the toolkit's, and logged with the rest.
        { { "--adapter", "none", "-platform", "offscreen", "-style", "fusion", "-reverse", "/d" }, "visual" },
        { { "/Debug", "two  words" }, "visual", "", "012" },
        { { "/d" }, "visual", "", "1" },
        // On a bus, whose node the program lets go of before the viewer starts.
        { { "--adapter=i2c-5", "/d" }, "visual" },
        { .arguments = { "/d" }, .viewer = "editor", .visual = "  " },
        { .arguments = { "/d" }, .viewer = "xdg-open", .visual = " ", .editor = "\t " },
        { .arguments = { "/d" }, .viewer = "missing", .visual = "./missing" },
        { { "/d" }, "visual", link },
        // The trace has the start-up's calls, and the log stays as it is.
        { .arguments = { "--trace=trace.txt", "/d" }, .viewer = "visual", .traced = " find     -> 1 ok\n" },
        // A trace reader that went away ends the trace, not the window.
        { .arguments = { "--trace", "/d" }, .viewer = "visual", .readerGone = true },
        // A directory is never deleted, so the log cannot be opened.
        { { "/d" }, "", "mkdir debug.log" },
        { { "/d" }, "", "mkfifo debug.log" },
        // A stale log is replaced, never appended to; a link or a second name is never written through.
        { { "/d" }, "visual", "printf 'CmdLine: earlier\\nmore\\n' > debug.log", "", true },
        { { "/d" }, "", link, "", true },
        { { "/d" }, "", "ln -s nowhere debug.log", "", true },
        { { "/d" }, "", "echo keep > victim && ln victim debug.log", "", true },
        // Help, version and rejected lines end before any log or window.
        { .arguments = { "--help", "/d" }, .stale = stale, .says = { "/home/ann/data", "i2c:NAME", "SMBus" } },
        { .arguments = { "-h" }, .says = { "--list-adapters" } },
        { .arguments = { "--help-all", "/d" }, .stale = stale, .says = { "--platform", "--style" } },
        { .arguments = { "-v", "/d" }, .stale = stale, .says = { "kv3124-eval 1.2\n" } },
        { .arguments = { "--version" }, .says = { "kv3124-eval 1.2\n" } },
        { .arguments = { "/d", "--bogus" }, .stale = stale, .exitCode = 2, .says = { "'bogus'", "--adapter=" } },
        { .arguments = { "/d", "--bogus" }, .stale = stale, .closed = "01", .exitCode = 2, .says = { "'bogus'" } },
        { .arguments = { "--adapter", "usb3", "/d" },
            .stale = stale,
            .exitCode = 2,
            .says = { "'usb3'", "sim, none" } },
        { .arguments = { "--adapter=", "/d" }, .stale = stale, .exitCode = 2, .says = { "''", "sim, none" } },
        { .arguments = { "/d", "--adapter" }, .stale = stale, .exitCode = 2, .says = { "value", "--help" } },
        { .arguments = { "--trace=no/dir/t", "/d" },
            .stale = stale,
            .exitCode = 2,
            .says = { "trace to no/dir/t (No" } },
        { .arguments = { "--trace=", "/d" }, .stale = stale, .exitCode = 2, .says = { ": --trace= names no file" } },
        { .arguments = { "--trace=debug.log" }, .stale = link, .exitCode = 2, .says = { "a symbolic link" } },
        { .arguments = { "--trace=/dev/full" }, .exitCode = 2, .says = { "a character device" } },
        // Control bytes from the line reach the terminal as '?'.
        { .arguments = { "--trace=no/\x1B]0;title\x07" }, .exitCode = 2, .says = { "to no/?]0;title? (No" } },
        { .arguments = { "--adapter=\x1B[2J" }, .exitCode = 2, .says = { "'?[2J'" } },
        // A word naming an adapter would leave the user on the simulator.
        { .arguments = { "i2c-1", "/d" }, .stale = stale, .exitCode = 2, .says = { "--adapter=i2c-1" } },
        { .arguments = { "/d", "sim" }, .stale = stale, .exitCode = 2, .says = { "--adapter=sim" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(join(c.arguments) + " " + c.stale + ", VISUAL '" + c.visual + "', EDITOR '" + c.editor
            + "', closed " + c.closed + (c.keep ? ", kept" : ""));
        const Sandbox box(c.stale);
        const std::string before = describe(box.log), victim = describe(box.dir / "victim");

        EXPECT_EQ(box.run(c.arguments, c.visual, c.editor, c.closed, c.keep, c.readerGone), c.exitCode);
        const std::string out = box.read("out.txt"), err = box.read("err.txt");
        // Every line but the empty one switches debug mode on.
        const std::string line = c.arguments.empty() ? "" : "CmdLine: " + join(c.arguments) + "\n";
        const bool on = !c.viewer.empty(), shown = on && fs::exists(box.dir / c.viewer);
        EXPECT_EQ(describe(box.log), on ? "file " + line : before);
        EXPECT_EQ(describe(box.dir / "victim"), victim);
        if (c.says.empty())
            EXPECT_EQ(out, on ? "" : line) << "a log that cannot be opened leaves the line on standard output";
        else
            EXPECT_EQ(c.exitCode ? out : err, "");
        for (const std::string& text : c.says)
            EXPECT_NE((c.exitCode ? err : out).find(text), std::string::npos) << text << " missing";
        EXPECT_TRUE(c.exitCode == 0 || std::count(err.begin(), err.end(), '\n') == 1) << err;
        if (!c.traced.empty()) {
            EXPECT_NE(box.read("trace.txt").find(c.traced), std::string::npos);
        }
        EXPECT_EQ(box.read("viewer-args.txt"), shown ? c.viewer + "\ndebug.log\n0 1 2 " : "");
        EXPECT_EQ(box.read("viewer-saw.txt"), shown ? line : "");
        EXPECT_EQ(fs::exists(box.dir / "viewer-done"), shown) << "the program ended before its viewer";
        const std::string unseen
            = "(No such file or directory); the log is " + (fs::canonical(box.dir) / "debug.log").string();
        EXPECT_EQ(err.find(unseen) != std::string::npos, on && !shown) << err;
    }
}

} // namespace
