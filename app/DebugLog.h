// Debug mode's log: standard output redirected into "debug.log", shown in a viewer at the end.
#pragma once

class DebugLog {
public:
    DebugLog();
    ~DebugLog();
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    // Replaces an old log file and sends standard output into it; false when it cannot be opened
    // (also when its name holds a link, a FIFO or a file with a second name), in which case standard
    // output still goes where it went before.
    bool open();
    // Flushes and closes the log (and standard output with it).
    void close();
    // Opens the log in a viewer with the original standard output and waits until it ends.
    void show() const;

private:
    int m_originalStdout = -1;
};
