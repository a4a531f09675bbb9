#include "tests/support/StandardErrorPipe.h"

#include <cstdio>
#include <unistd.h>

namespace Testing {

StandardErrorPipe::StandardErrorPipe()
{
    int ends[2];
    if (::pipe(ends) != 0)
        return;
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    ::dup2(ends[1], STDERR_FILENO);
    ::close(ends[1]);
    readEnd_ = ends[0];
    reader_ = std::thread([this] {
        char buffer[4096];
        ssize_t count = 0;
        while ((count = ::read(readEnd_, buffer, sizeof(buffer))) > 0)
            text_.append(buffer, static_cast<std::size_t>(count));
    });
}

StandardErrorPipe::~StandardErrorPipe() { Take(); }

std::string StandardErrorPipe::Take()
{
    if (saved_ < 0)
        return text_;
    std::fflush(stderr);
    // Putting the old standard error back closes the pipe's last write end,
    // which ends the reader.
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
    reader_.join();
    ::close(readEnd_);
    return text_;
}

} // namespace Testing
