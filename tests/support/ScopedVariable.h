#pragma once

#include <optional>
#include <string>

namespace Testing {

// Sets an environment variable, or removes it when the value is null, for
// the lifetime of the guard; the old value comes back afterwards.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const char* value);
    ~ScopedVariable();

    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace Testing
