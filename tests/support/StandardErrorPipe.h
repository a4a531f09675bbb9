#pragma once

#include <string>
#include <thread>

namespace Testing {

// Takes what the process writes to standard error while it lives, through a
// pipe read by a thread of its own: unlike a capture into a file, it keeps
// working while a file size limit stands for a full disk. Take ends the
// capture and gives what was written.
class StandardErrorPipe {
public:
    StandardErrorPipe();
    ~StandardErrorPipe();

    StandardErrorPipe(const StandardErrorPipe&) = delete;
    StandardErrorPipe& operator=(const StandardErrorPipe&) = delete;

    std::string Take();

private:
    int saved_ = -1;
    int readEnd_ = -1;
    std::thread reader_;
    std::string text_;
};

} // namespace Testing
