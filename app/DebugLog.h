// Debug mode's log: standard output redirected into "debug.log", shown in a viewer at the end.
#pragma once

class DebugLog {
public:
    DebugLog();
    ~DebugLog();
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    // Replaces an old log of this user and sends standard output into a newly made log, line by line.
    // False, with the reason in one line on standard error, when it cannot be made (another user's
    // log, something but a file or link at its name, a delete that fails or is raced); standard output
    // then still goes where it went before.
    bool open();
    // Flushes and closes the log (and standard output with it).
    void close();
    // Opens a private copy of the log in a viewer with the original standard output and waits until it
    // ends.
    void show() const;

private:
    int m_originalStdout = -1;
    int m_log = -1; // readable from its start, for the viewer's copy
};
