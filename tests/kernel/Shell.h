// Shell commands run from a kernel test, with what they printed.
#pragma once

#include <string>

#include <sys/types.h>

struct Result {
    int status;
    std::string output; // standard output and error
};

Result run(const std::string& command);

// A command running beside the test: its standard output and error go to a file, its standard input comes
// from the test through `input`.
class Background {
public:
    Background(const std::string& command, std::string output);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    pid_t pid() const { return pid_; }
    void send(const std::string& text) const;
    // Closes its input and waits for it to end: what it printed, and its exit status.
    Result finish();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    std::string output_;
};
