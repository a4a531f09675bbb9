#include "game/ProgramEntry.h"

#include "game/GameLoader.h"
#include "platform/os/Shell.h"

namespace Tamrisk {

int RunProgram(const std::string& commandLine)
{
    bool failed = false;
    {
        const GameLoader loader(commandLine);
        failed = loader.HasFailed();
    }
    Platform::ShellOpen(kStatisticsAddress);
    return failed ? 1 : 0;
}

} // namespace Tamrisk
