// The files the programs write and read for the user (snapshots): a write replaces a file only whole and only a
// regular file; a read is bounded and never waits on a pipe or device.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv3124 {

// Writes `bytes` beside `path` and renames it into place after every byte reached the disk, keeping an earlier
// file's owner, group and mode. Refuses a symbolic link, a folder or any other file that is not a regular file, and a
// file the caller could not write. Returns why it failed, naming the file, or an empty text; on a failure the
// earlier file keeps its bytes.
std::string writeWholeFile(const std::string& path, std::string_view bytes);

// A regular file opened to add to at its end, made when missing. Never through a symbolic link, never a folder,
// device, pipe or socket (nor waits on one). The descriptor, or -1 with `error` naming the file and why.
int openAppendFile(const std::string& path, std::string& error);
// Writes all of `bytes`, going on after a short write; false with errno set when they did not all go out.
bool writeAll(int fd, std::string_view bytes);

struct FileText {
    std::string bytes;
    std::string error; // names the file; the bytes are then empty
};

// The whole of a regular file of at most `limit` bytes.
FileText readSmallFile(const std::string& path, std::size_t limit);

} // namespace kv3124
