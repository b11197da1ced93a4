// Debug mode's log: standard output redirected into "debug.log", shown in a viewer at the end.
#pragma once

class DebugLog {
public:
    DebugLog();
    ~DebugLog();
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    // Replaces an old log file and sends standard output into it; false when it cannot be opened,
    // in which case standard output still goes where it went before.
    bool open();
    // Flushes and closes the log (and standard output with it).
    void close();
    // Opens the log in $VISUAL, else $EDITOR, else xdg-open, with the original standard output
    // and error, and waits until the viewer ends. A viewer that cannot be started is ignored.
    void show() const;

private:
    int m_originalStdout = -1;
};
