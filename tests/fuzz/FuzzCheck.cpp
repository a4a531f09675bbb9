#include "tests/fuzz/FuzzCheck.h"

#include "tests/support/LogProbe.h"

#include <cstdio>
#include <cstdlib>

namespace Fuzzing {

void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz target: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

bool Accepted(const std::function<void()>& read)
{
    try {
        read();
        return true;
    } catch (const Halvard::Error&) {
        return false;
    }
}

bool AcceptedNaming(const std::string& name, const std::function<void()>& read)
{
    try {
        read();
        return true;
    } catch (const Halvard::Error& error) {
        Check(error.GetText().find(name) != std::string::npos,
              "the refusal \"" + error.GetText() + "\" does not name \"" + name + "\"");
        return false;
    }
}

void CheckRefusalsName(const Halvard::MessageManager& log, const std::string& name)
{
    for (const std::string& line : Testing::LogProbe(log).ErrorLines())
        if (line.find("Incorrect") != std::string::npos)
            Check(line.find(name) != std::string::npos,
                  "the error line \"" + line + "\" does not name \"" + name + "\"");
}

} // namespace Fuzzing
