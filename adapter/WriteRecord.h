// The window's --record: each register write as a kv3124ctl script line, the control that caused it as a comment,
// so that `kv3124ctl run` replays the session on another board.
#pragma once

#include <string>
#include <string_view>

// Records from a successful start() until it goes; writeRegister hands it every write.
class WriteRecord {
public:
    WriteRecord() = default;
    WriteRecord(const WriteRecord&) = delete;
    WriteRecord& operator=(const WriteRecord&) = delete;
    ~WriteRecord();

    // Adds to the regular file `path`, made when missing, after a header line dated `startedAt` (UTC) naming the
    // adapter. Returns why it cannot record there, or an empty text when it records.
    std::string start(const std::string& path, const std::string& startedAt, const std::string& adapter);
};

// Names the control whose operation runs now, for the comments of its writes; the name before comes back when it
// goes. The name must outlive it.
class WriteCause {
public:
    explicit WriteCause(std::string_view name);
    WriteCause(const WriteCause&) = delete;
    WriteCause& operator=(const WriteCause&) = delete;
    ~WriteCause();

private:
    std::string_view m_previous;
};

// A write to the chip and whether it took it; nothing while no record runs.
void recordWrite(unsigned char registerAddress, unsigned char value, bool taken);
