#include "tests/support/ScopedProgramFolder.h"

#include "platform/os/Paths.h"

namespace Testing {

ScopedProgramFolder::ScopedProgramFolder(const std::filesystem::path& folder)
{
    Platform::SetProgramFolder(folder.string());
}

ScopedProgramFolder::~ScopedProgramFolder() { Platform::SetProgramFolder(""); }

} // namespace Testing
