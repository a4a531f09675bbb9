#pragma once

#include <string>

namespace Halvard {

// The exception classes of the whole system: thrown by value, caught by
// reference, their message read through GetText.
class Error {
public:
    explicit Error(std::string text) : text_(std::move(text)) {}
    Error(const Error&) = default;
    Error& operator=(const Error&) = default;
    virtual ~Error() = default;

    const std::string& GetText() const { return text_; }

private:
    std::string text_;
};

// A file that cannot be opened, read or written, or whose format is wrong.
class FileError : public Error {
public:
    using Error::Error;
};

// An impossible state or an exhausted fixed buffer.
class FatalError : public Error {
public:
    using Error::Error;
};

} // namespace Halvard
