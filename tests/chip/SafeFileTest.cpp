// Writing the user's files against the real file system: what kind of target is replaced or refused, that a
// failure part way keeps the earlier file, and that nothing but the target changes. (Reading is checked through
// kv3124ctl's load.)
#include "chip/SafeFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kv3124::writeWholeFile;

constexpr uid_t nobody = 65534;

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

void put(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// Runs `work` in a child process, as `user` when given and this process may change to it, and gives back what it
// returned; so that permissions are checked as for a normal user even when the tests run as root, and so that a
// resource limit stays in the child.
std::string inChild(const std::function<std::string()>& work, std::optional<uid_t> user = {})
{
    int answer[2];
    if (::pipe(answer) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(answer[0]);
        if (user && ::geteuid() == 0 && (::setgid(*user) != 0 || ::setuid(*user) != 0))
            ::_exit(2);
        const std::string said = work();
        const bool sent = ::write(answer[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(answer[1]);
    std::string said;
    char chunk[512];
    for (ssize_t got; (got = ::read(answer[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, static_cast<std::size_t>(got));
    ::close(answer[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : "child failed";
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::all); // a dropped-privilege child writes here too
        put(other, "someone else's notes\n");
    }
    void TearDown() override
    {
        fs::permissions(folder, fs::perms::all);
        fs::remove_all(folder);
    }
    // Everything in the folder but the target and the other file: what a save left behind.
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.path() != target && entry.path() != other)
                names.push_back(entry.path().filename());
        return names;
    }

    const fs::path folder = fs::temp_directory_path() / ("safefile-" + std::to_string(::getpid()));
    const fs::path target = folder / "snap.kv3124";
    const fs::path other = folder / "notes.txt";
};

} // namespace

TEST_F(SafeFileTest, ReplacesOnlyARegularFileWholeAndRefusesEveryOtherTarget)
{
    const std::string name = target.string();
    const std::string fresh = "0x14 0x3F\n";
    struct Case {
        const char* kind;
        std::function<void()> make;
        std::string said; // empty when the write succeeds
        std::optional<uid_t> user = {}; // the write runs as this user
    };
    const std::vector<Case> cases {
        { "regular file", [&] { put(target, "old\n"); }, "" },
        { "missing file", [] {}, "" },
        { "FIFO", [&] { ::mkfifo(target.c_str(), 0600); }, name + " is not a regular file (a device, pipe or socket)" },
        { "symbolic link to a file", [&] { fs::create_symlink(other, target); },
            name + " is a symbolic link; give the file itself" },
        { "folder", [&] { fs::create_directory(target); }, name + " is a folder" },
        { "read-only file",
            [&] {
                put(target, "old\n");
                fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            },
            name + ": Permission denied (not saved)", nobody },
        { "read-only folder",
            [&] {
                put(target, "old\n");
                fs::permissions(target, fs::perms::all);
                fs::permissions(folder,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
            },
            name + ": Permission denied (not saved; the earlier file is unchanged)", nobody },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TearDown();
        SetUp();
        c.make();
        struct stat before { };
        const bool existed = ::lstat(target.c_str(), &before) == 0;
        const std::string said = inChild([&] { return writeWholeFile(name, fresh); }, c.user);
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(contents(other), "someone else's notes\n");
        EXPECT_EQ(leftovers(), std::vector<std::string>());
        struct stat after { };
        ASSERT_EQ(::lstat(target.c_str(), &after), 0);
        if (c.said.empty()) {
            EXPECT_TRUE(S_ISREG(after.st_mode));
            EXPECT_EQ(contents(target), fresh);
        } else {
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino) << "refused, yet replaced";
            EXPECT_TRUE(existed);
        }
    }
}

TEST_F(SafeFileTest, KeepsTheEarlierFilesOwnerAndMode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another owner needs root";
    put(target, "old\n");
    ASSERT_EQ(::chown(target.c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(writeWholeFile(target, "new\n"), "");
    struct stat status { };
    ASSERT_EQ(::lstat(target.c_str(), &status), 0);
    EXPECT_EQ(std::tuple(status.st_uid, status.st_gid, status.st_mode & 07777), std::tuple(nobody, nobody, 0640u));
    EXPECT_EQ(contents(target), "new\n");
}

// A write cut off part way by the kernel (a file size limit): the failure is said and the earlier file keeps its
// bytes.
TEST_F(SafeFileTest, AFailedWriteKeepsTheEarlierFile)
{
    const std::string earlier = "# a good snapshot\n0x14 0x3F\n";
    const std::string large(8192, 'x');
    put(target, earlier);
    const std::string said = inChild([&] {
        const rlimit limit { 100, 100 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        return writeWholeFile(target, large);
    });
    EXPECT_EQ(said, target.string() + ": File too large (not saved; the earlier file is unchanged)");
    EXPECT_EQ(contents(target), earlier);
    EXPECT_EQ(leftovers(), std::vector<std::string>());
}
