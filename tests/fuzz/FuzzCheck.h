#pragma once

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"

#include <functional>
#include <string>

namespace Fuzzing {

// Ends the run at once with the broken promise on stderr: libFuzzer keeps
// the input that did it, the replay names the file.
[[noreturn]] void Fail(const std::string& what);

inline void Check(bool holds, const std::string& what)
{
    if (!holds)
        Fail(what);
}

// Runs the read; a file refused with the system's own error is an answer,
// so false. Any other exception passes.
bool Accepted(const std::function<void()>& read);

// Accepted, for a reader whose refusal must say which file it refused:
// the error's text names the file.
bool AcceptedNaming(const std::string& name, const std::function<void()>& read);

// Every error line of the log that calls a file incorrect names the file: a
// player must learn which file of the data set is broken. (Lines about the
// files it names, missing pictures among them, name those.)
void CheckRefusalsName(const Halvard::MessageManager& log, const std::string& name);

} // namespace Fuzzing
