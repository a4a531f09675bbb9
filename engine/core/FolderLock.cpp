#include "engine/core/FolderLock.h"

#include "engine/core/PathUtils.h"
#include "platform/os/FolderLock.h"
#include "platform/os/Paths.h"

namespace Halvard {

FolderLock::FolderLock(const std::string& lockFile)
{
    const std::string path = MakeApplicationPath(lockFile);
    CreateFolders(path);
    lock_ = std::make_unique<Platform::FolderLock>(Platform::ToNativePath(path));
}

FolderLock::~FolderLock() = default;

bool FolderLock::IsHeld() const { return lock_->GetState() == Platform::FolderLock::State::kHeld; }

bool FolderLock::IsHeldElsewhere() const
{
    return lock_->GetState() == Platform::FolderLock::State::kHeldElsewhere;
}

} // namespace Halvard
