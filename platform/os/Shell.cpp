#include "platform/os/Shell.h"
#include "platform/os/ScreenlessDriver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace Platform {

namespace {

struct ShellState {
    bool enabled = true;
    std::vector<std::string> requests;
};

ShellState& State()
{
    static ShellState state;
    return state;
}

// The opener runs in a grandchild, so it is never left as a zombie and the
// program need not wait for it.
void StartDetached(const std::string& target)
{
    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", target.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

void ShellOpen(const std::string& target)
{
    std::fprintf(stderr, "Open: %s\n", target.c_str());
    std::fflush(stderr);
    State().requests.push_back(target);
    if (!State().enabled || IsScreenlessDriver())
        return;
    StartDetached(target);
}

void SetShellOpenEnabled(bool enabled) { State().enabled = enabled; }

const std::vector<std::string>& GetShellOpenRequests() { return State().requests; }

void ClearShellOpenRequests() { State().requests.clear(); }

} // namespace Platform
