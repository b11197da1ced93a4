// Start-up, debug switch, debug log and viewer, run for real in a child process.
#include "app/DebugLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
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

fs::path sandboxDir()
{
    return fs::temp_directory_path() / ("kv3124-startup-" + std::to_string(::getpid()));
}

// What a run is started with, and what it should leave.
struct Case {
    std::vector<std::string> arguments {};
    std::string viewer {}; // the one that shows the log; none when debug mode is off
    std::string stale {};
    std::string closed {}; // the standard descriptors it starts without
    bool keep = false; // the delete fails, so what `stale` left is still there
    bool readerGone = false; // standard error is a pipe whose reader has gone
    const char* visual = "./visual";
    const char* editor = "./editor";
    int exitCode = 0;
    std::vector<std::string> says {}; // in the help (standard output) or the one-line rejection
    std::string traced {}; // in trace.txt
    bool runtime = true; // $XDG_RUNTIME_DIR is set; else $TMPDIR holds the viewer's copy
    bool killed = false; // killed while its window is open
    bool othersLog = false; // `stale` gives debug.log to another user, which only root can do
    std::string complaint {}; // the one line on standard error
};

// A working directory with the viewer under three names, first on PATH, and a runtime folder. The
// viewer records its name, arguments and open descriptors below 10 (a shell keeps its script above),
// says whether it ignores Ctrl-C, Ctrl-\ or SIGPIPE and whether the program still holds an I2C bus node, copies
// the file it was given, sends both signals to the program and takes its time, so a test sees which
// viewer ran, what it inherited, whether the log was complete and whether the program waited.
struct Sandbox {
    // `stale` is a shell command laying out what an earlier run left behind.
    explicit Sandbox(const std::string& stale)
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "run");
        fs::permissions(dir / "run", fs::perms::owner_all);
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

    // What `main` returns, run in a child process in the world `c` describes (its environment, folder, standard
    // streams into out.txt and err.txt); -1 when a signal ended it.
    int run(const Case& c, const std::function<int()>& main) const
    {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            const std::string path = dir.string() + ":" + std::getenv("PATH");
            ::setenv("PATH", path.c_str(), 1);
            ::setenv("VISUAL", c.visual, 1);
            ::setenv("EDITOR", c.editor, 1);
            if (c.runtime)
                ::setenv("XDG_RUNTIME_DIR", (dir / "run").c_str(), 1);
            else
                ::unsetenv("XDG_RUNTIME_DIR");
            ::setenv("TMPDIR", dir.c_str(), 1);
            if (c.killed)
                ::setenv("STARTUP_DRIVER_KILL", "1", 1);
            std::signal(SIGINT, SIG_DFL);
            std::signal(SIGQUIT, SIG_DFL);
            const int flags = O_WRONLY | O_CREAT | O_TRUNC;
            if (::chdir(dir.c_str()) != 0 || ::dup2(::open("out.txt", flags, 0600), 1) != 1
                || ::dup2(::open("err.txt", flags, 0600), 2) != 2 || (c.keep && !denyDeletes()))
                ::_exit(126);
            if (int gone[2]; c.readerGone && (::pipe(gone) != 0 || ::close(gone[0]) != 0 || ::dup2(gone[1], 2) != 2))
                ::_exit(126);
            for (const char fd : c.closed)
                ::close(fd - '0');
            ::close_range(3, ~0U, 0);
            ::alarm(20); // a program that hangs fails instead of holding up the run
            ::_exit(main());
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The program, with the arguments `c` gives.
    int run(Case c) const
    {
        return run(c, [&] {
            std::vector<char*> argv { const_cast<char*>(STARTUP_DRIVER) };
            for (std::string& argument : c.arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            return 127;
        });
    }
    std::string read(const char* name) const { return readFile(dir / name); }
    // Where the viewer gets its copy of the log.
    fs::path copy(bool runtime) const
    {
        return (runtime ? dir / "run" / "kv3124-eval" : dir / ("kv3124-eval-" + std::to_string(::geteuid())))
            / "debug.log";
    }

    const fs::path dir = sandboxDir();
    const fs::path log = dir / "debug.log";
};

TEST(Startup, DebugLinesAreLoggedAndShownAfterTheWindowClosesAndBadLinesEndBeforeIt)
{
    const std::string link = "echo keep > victim && ln -s victim debug.log", stale = "echo stale > debug.log";
    const std::string notDeleted = "debug mode is off: cannot delete the old debug.log (Permission denied)";
    // A line rejected before the log is touched: exit status 2, one line on standard error that says `says`.
    const auto rejected = [&](std::vector<std::string> arguments, std::vector<std::string> says) {
        return Case { .arguments = std::move(arguments), .stale = stale, .exitCode = 2, .says = std::move(says) };
    };
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
        // The trace has the start-up's calls, and the log stays as it is.
        { .arguments = { "--trace=trace.txt", "/d" }, .viewer = "visual", .traced = " find     -> 1 ok\n" },
        // A trace reader that went away ends the trace, not the window.
        { .arguments = { "--trace", "/d" }, .viewer = "visual", .readerGone = true },
        // What is logged is in the file as soon as it is written.
        { .arguments = { "/d" }, .exitCode = -1, .killed = true },
        // The viewer's copy is made in the temporary folder without a runtime folder, and never in a
        // folder others may enter or through what an earlier copy's name holds.
        { .arguments = { "/d" }, .viewer = "visual", .runtime = false },
        { .arguments = { "/d" },
            .viewer = "visual",
            .stale = "mkdir -m 755 run/kv3124-eval",
            .complaint = "into " + (sandboxDir() / "run/kv3124-eval").string()
                + " (other users may enter it); the log is "
                + (fs::weakly_canonical(sandboxDir()) / "debug.log").string() },
        { { "/d" }, "visual",
            "echo keep > victim && mkdir -m 700 run/kv3124-eval && ln -s ../../victim "
            "run/kv3124-eval/debug.log" },
        // A stale log or link of this user is replaced, never appended to or written through.
        { { "/d" }, "visual", "printf 'CmdLine: earlier\\nmore\\n' > debug.log" },
        { { "/d" }, "visual", link },
        { { "/d" }, "visual", "echo keep > victim && ln victim debug.log" },
        // Anything else, and whatever cannot be deleted, stays as it is and debug mode is off.
        { .arguments = { "/d" },
            .stale = "echo theirs > debug.log && chown 4321 debug.log",
            .othersLog = true,
            .complaint = "debug mode is off: debug.log belongs to another user" },
        { .arguments = { "/d" }, .stale = "mkdir debug.log", .complaint = "debug.log is neither a file nor a link" },
        { .arguments = { "/d" }, .stale = "mkfifo debug.log", .complaint = "debug.log is neither a file nor a link" },
        { .arguments = { "/d" }, .stale = stale, .keep = true, .complaint = notDeleted },
        // Help, version and rejected lines end before any log or window.
        { .arguments = { "--help", "/d" }, .stale = stale, .says = { "/home/ann/data", "serial:SERIAL", "SMBus" } },
        { .arguments = { "-h" }, .says = { "--list-adapters" } },
        { .arguments = { "--help-all", "/d" }, .stale = stale, .says = { "--platform", "--style" } },
        { .arguments = { "-v", "/d" }, .stale = stale, .says = { "kv3124-eval 1.2\n" } },
        { .arguments = { "--version" }, .says = { "kv3124-eval 1.2\n" } },
        { .arguments = { "/d", "--bogus" },
            .stale = stale,
            .closed = "01",
            .exitCode = 2,
            .says = { "'bogus'", "--adapter=" } },
        rejected({ "--adapter=", "/d" }, { "''", "sim, none" }),
        rejected({ "/d", "--adapter" }, { "value", "--help" }),
        // A trace that cannot be written, and control bytes from the line, which reach the terminal as '?'.
        rejected({ "--trace=no/\x1B]0;title\x07", "/d" }, { "trace to no/?]0;title? (No such" }),
        rejected({ "--adapter", "\x1B[2J", "/d" }, { "'?[2J'", "sim, none" }),
        // The record of register writes, read where the trace rows read theirs, and its refusals.
        { .arguments = { "--record=trace.txt", "/d" }, .viewer = "visual", .traced = "write 0x10 0x01  # start-up\n" },
        { .arguments = { "--record=debug.log" }, .stale = link, .exitCode = 2, .says = { "a symbolic link" } },
        rejected({ "--record=", "/d" }, { ": --record= names no file" }),
        // A word naming an adapter would leave the user on the simulator.
        rejected({ "i2c-1", "/d" }, { "--adapter=i2c-1" }),
        rejected({ "/d", "sim" }, { "--adapter=sim" }),
    };
    std::string skipped;
    for (const Case& c : cases) {
        SCOPED_TRACE(join(c.arguments) + " " + c.stale + ", VISUAL '" + c.visual + "', EDITOR '" + c.editor
            + "', closed " + c.closed + (c.keep ? ", kept" : "") + (c.runtime ? "" : ", no runtime folder"));
        if (c.othersLog && ::geteuid() != 0) {
            skipped += " '" + c.stale + "'";
            continue;
        }
        const Sandbox box(c.stale);
        const std::string before = describe(box.log), victim = describe(box.dir / "victim");

        EXPECT_EQ(box.run(c), c.exitCode);
        const std::string out = box.read("out.txt"), err = box.read("err.txt");
        // Every line but the empty one switches debug mode on.
        const std::string line = c.arguments.empty() ? "" : "CmdLine: " + join(c.arguments) + "\n";
        const bool on = !c.viewer.empty() || c.killed;
        const bool shown = on && !c.killed && c.complaint.empty() && fs::exists(box.dir / c.viewer);
        EXPECT_EQ(describe(box.log), on ? "file " + line + (c.killed ? "window shown\n" : "") : before);
        EXPECT_EQ(describe(box.dir / "victim"), victim);
        if (c.says.empty())
            EXPECT_EQ(out, on ? "" : line) << "a log that cannot be opened leaves the line on standard output";
        else
            EXPECT_EQ(c.exitCode ? out : err, "");
        for (const std::string& text : c.says)
            EXPECT_NE((c.exitCode ? err : out).find(text), std::string::npos) << text << " missing";
        EXPECT_TRUE(c.exitCode <= 0 || std::count(err.begin(), err.end(), '\n') == 1) << err;
        if (!c.complaint.empty()) {
            EXPECT_EQ(err.find("kv3124-eval: "), 0U) << err;
            EXPECT_NE(err.find(c.complaint + "\n"), std::string::npos) << err;
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        }
        EXPECT_EQ(err.find("debug mode is off") != std::string::npos, !on && !c.complaint.empty()) << err;
        if (!c.traced.empty()) {
            EXPECT_NE(box.read("trace.txt").find(c.traced), std::string::npos);
        }
        const std::string copy = box.copy(c.runtime).string();
        EXPECT_EQ(box.read("viewer-args.txt"), shown ? c.viewer + "\n" + copy + "\n0 1 2 " : "");
        EXPECT_EQ(box.read("viewer-saw.txt"), shown ? line : "");
        EXPECT_EQ(fs::exists(box.dir / "viewer-done"), shown) << "the program ended before its viewer";
        const std::string unseen = "(No such file or directory); the log is " + copy;
        EXPECT_EQ(err.find(unseen) != std::string::npos, on && !shown && !c.killed && c.complaint.empty()) << err;
    }
    if (!skipped.empty())
        GTEST_SKIP() << "the other rows ran; only root can give debug.log to another user for" << skipped;
}

// Someone who may write to the log's folder puts a new name of `victim` at debug.log over and over,
// a hard or a symbolic link, over whatever is there.
class Planter {
public:
    Planter(const fs::path& dir, bool symbolic)
        : m_pid(::fork())
    {
        if (m_pid != 0)
            return;
        if (::chdir(dir.c_str()) != 0)
            ::_exit(1);
        for (;;) {
            // A rename onto another name of the same file does nothing, so the planted name may still
            // be there from the last round.
            (void)(symbolic ? ::symlink("victim", "planted") : ::link("victim", "planted"));
            ::rename("planted", "debug.log");
        }
    }
    ~Planter()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    Planter(const Planter&) = delete;
    Planter& operator=(const Planter&) = delete;

private:
    const pid_t m_pid;
};

// 200 runs with each kind of link, every tenth showing the log (a viewer is a slow start): after every
// run the victim is untouched, and either the viewer got what was logged or the planter
// took the name first and debug mode is off, saying why.
TEST(Startup, LinksPlantedAtTheLogWhileItIsMadeAndShownReachNeitherTheLogNorItsViewer)
{
    for (const bool symbolic : { false, true }) {
        SCOPED_TRACE(symbolic ? "symbolic links" : "hard links");
        const Sandbox box("echo keep > victim");
        const Planter planter(box.dir, symbolic);
        int refused = 0;
        for (int run = 0; run < 200; ++run) {
            const bool shown = run % 10 == 0;
            const int status = box.run({ .visual = "cat" }, [&] { // shows the log on the original standard output
                DebugLog log;
                if (!log.open())
                    return 1;
                std::fputs("CmdLine: race\n", stdout);
                log.close();
                if (shown)
                    log.show();
                return 0;
            });
            ASSERT_TRUE(status == 0 || status == 1) << "run " << run << ": " << status;
            const bool made = status == 0;
            refused += !made;
            ASSERT_EQ(box.read("victim"), "keep\n") << "run " << run;
            ASSERT_EQ(box.read("out.txt"), made && shown ? "CmdLine: race\n" : "") << "run " << run;
            ASSERT_EQ(box.read("err.txt"),
                made ? "" : "kv3124-eval: debug mode is off: cannot make debug.log (File exists)\n")
                << "run " << run;
        }
        std::printf("%d of 200 runs lost the race for the name and left debug mode off\n", refused);
    }
}

} // namespace
