#include "tests/support/ScopedVariable.h"

#include <cstdlib>

namespace Testing {

ScopedVariable::ScopedVariable(std::string name, const char* value) : name_(std::move(name))
{
    if (const char* old = std::getenv(name_.c_str()); old != nullptr)
        old_ = old;
    if (value != nullptr)
        setenv(name_.c_str(), value, 1);
    else
        unsetenv(name_.c_str());
}

ScopedVariable::~ScopedVariable()
{
    if (old_)
        setenv(name_.c_str(), old_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

} // namespace Testing
