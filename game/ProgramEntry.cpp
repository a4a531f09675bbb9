#include "game/ProgramEntry.h"

#include "game/GameLoader.h"
#include "platform/os/FileSystem.h"
#include "platform/os/Shell.h"

namespace Tamrisk {

int RunProgram(const std::string& commandLine)
{
    // A file-size limit is told as a full disk, by the save that meets it.
    Platform::KeepFileSizeLimitFromEndingTheProgram();
    bool failed = false;
    {
        const GameLoader loader(commandLine);
        failed = loader.HasFailed();
    }
    Platform::ShellOpen(kStatisticsAddress);
    return failed ? 1 : 0;
}

} // namespace Tamrisk
