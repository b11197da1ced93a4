#include "chip/SafeFile.h"

#include "ptx/Descriptor.h"
#include "ptx/ErrorText.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv3124 {

namespace {

std::string failure(const std::string& path, int error, const char* outcome = "")
{
    return path + ": " + errorText(error) + outcome;
}

// Why a file of this kind is not read or replaced, or nothing for a regular file.
std::string notRegular(const std::string& path, mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISLNK(mode))
        return path + " is a symbolic link; give the file itself";
    if (S_ISDIR(mode))
        return path + " is a folder";
    return path + " is not a regular file (a device, pipe or socket)";
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside `path` that no one else has opened: never an existing name, never through a link.
int createAside(const std::string& path, std::string& name)
{
    static std::atomic<unsigned> serial;
    const auto slash = path.rfind('/');
    const std::string prefix
        = path.substr(0, slash + 1) + '.' + path.substr(slash + 1) + ".new-" + std::to_string(::getpid()) + '-';
    for (int tries = 0; tries < 100; ++tries) {
        name = prefix + std::to_string(serial++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new file takes the earlier one's owner, group and mode; a new name gets the umask's mode from the create.
bool keepAttributes(int fd, const struct stat* earlier)
{
    if (!earlier)
        return true;
    struct stat now { };
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != earlier->st_uid || now.st_gid != earlier->st_gid)
        && ::fchown(fd, earlier->st_uid, earlier->st_gid) != 0)
        return false;
    return ::fchmod(fd, earlier->st_mode & 07777) == 0;
}

std::string sizeText(std::size_t bytes)
{
    constexpr std::size_t mebibyte = 1024 * 1024;
    return bytes % mebibyte == 0 ? std::to_string(bytes / mebibyte) + " MiB" : std::to_string(bytes) + " bytes";
}

} // namespace

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string writeWholeFile(const std::string& path, std::string_view bytes)
{
    struct stat earlier { };
    const bool replacing = ::lstat(path.c_str(), &earlier) == 0;
    if (!replacing && errno != ENOENT)
        return failure(path, errno);
    if (replacing) {
        if (std::string refused = notRegular(path, earlier.st_mode); !refused.empty())
            return refused;
        // The rename would replace a file the caller may not write, which a write in place would refuse.
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            return failure(path, errno, " (not saved)");
    }
    const char* const outcome = replacing ? " (not saved; the earlier file is unchanged)" : " (not saved)";

    std::string aside;
    Descriptor file(createAside(path, aside));
    if (file.get() < 0)
        return failure(path, errno, outcome);
    int error = 0;
    if (!keepAttributes(file.get(), replacing ? &earlier : nullptr))
        error = errno;
    else if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close()
        || ::rename(aside.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(aside.c_str());
        return failure(path, error, outcome);
    }
    // The rename itself reaches the disk only with its folder (one the caller cannot read stays unsynced).
    const Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0 && ::fsync(folder.get()) != 0)
        return failure(path, errno, " (written, but it may not be on the disk yet)");
    return {};
}

int openAppendFile(const std::string& path, std::string& error)
{
    // Looked at first so that a pipe or device is never opened, and again on what was opened, which a non-blocking
    // open keeps from waiting on a pipe put there since.
    struct stat status { };
    if (::lstat(path.c_str(), &status) == 0)
        error = notRegular(path, status.st_mode);
    else if (errno != ENOENT)
        error = failure(path, errno);
    if (!error.empty())
        return -1;
    const int fd
        = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno == ELOOP ? notRegular(path, S_IFLNK) : failure(path, errno);
        return -1;
    }
    error = ::fstat(fd, &status) != 0 ? failure(path, errno) : notRegular(path, status.st_mode);
    if (error.empty())
        return fd;
    ::close(fd);
    return -1;
}

FileText readSmallFile(const std::string& path, std::size_t limit)
{
    // Looked at before the open, so that no device or pipe is ever opened, and again after it.
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return { {}, failure(path, errno) };
    if (std::string refused = notRegular(path, status.st_mode); !refused.empty())
        return { {}, refused };
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0)
        return { {}, failure(path, errno) };
    if (std::string refused = notRegular(path, status.st_mode); !refused.empty())
        return { {}, refused };
    const std::string tooLarge = path + " is larger than " + sizeText(limit);
    if (static_cast<std::size_t>(status.st_size) > limit)
        return { {}, tooLarge };
    std::string bytes;
    char chunk[4096];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return { {}, failure(path, errno) };
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    if (bytes.size() > limit) // it grew since the fstat
        return { {}, tooLarge };
    return { std::move(bytes), {} };
}

} // namespace kv3124
