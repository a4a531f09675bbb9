#pragma once

#include "engine/core/FileFault.h"

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

// A file that cannot be opened, read or written, or whose format is wrong;
// for a file that could not be written, why.
class FileError : public Error {
public:
    explicit FileError(std::string text, FileFault fault = FileFault::kOther) : Error(std::move(text)), fault_(fault) {}

    FileFault GetFault() const { return fault_; }

private:
    FileFault fault_;
};

// An impossible state or an exhausted fixed buffer.
class FatalError : public Error {
public:
    using Error::Error;
};

} // namespace Halvard
