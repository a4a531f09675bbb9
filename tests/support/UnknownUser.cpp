#include "tests/support/UnknownUser.h"

#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Testing {

int ExitStatusAsUnknownUser(const std::function<bool()>& holds)
{
    uid_t unknown = 54321;
    while (::getpwuid(unknown) != nullptr)
        ++unknown;
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::setuid(unknown) != 0)
            ::_exit(2);
        ::_exit(holds() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace Testing
