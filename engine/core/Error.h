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
// for a file that could not be written, why, and the system's words for it
// ("No space left on device") when it gave any.
class FileError : public Error {
public:
    explicit FileError(std::string text, FileFault fault = FileFault::kOther, std::string reason = {},
                       std::string faultFile = {})
        : Error(std::move(text)), fault_(fault), reason_(std::move(reason)), faultFile_(std::move(faultFile))
    {
    }

    FileFault GetFault() const { return fault_; }
    // The file the fault befell when it is not the one named (the file at
    // the end of a symbolic link), in the system's form; empty otherwise.
    const std::string& GetFaultFile() const { return faultFile_; }
    // The text with the system's words after it in brackets, for the log.
    std::string GetTextWithReason() const { return reason_.empty() ? GetText() : GetText() + " (" + reason_ + ")"; }

private:
    FileFault fault_;
    std::string reason_;
    std::string faultFile_;
};

// An impossible state or an exhausted fixed buffer.
class FatalError : public Error {
public:
    using Error::Error;
};

} // namespace Halvard
