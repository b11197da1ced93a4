// Standard output that keeps the reason its first failed write gave (a full disk, a closed pipe), which an
// ostream's state alone loses.
#pragma once

#include <array>
#include <streambuf>

class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd);
    // The errno of the first write that failed, or 0.
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    std::array<char, 4096> m_buffer;
    int m_fd;
    int m_error = 0;
};
