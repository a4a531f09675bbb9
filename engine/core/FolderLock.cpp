#include "engine/core/FolderLock.h"

#include "engine/core/PathUtils.h"
#include "platform/os/FolderLock.h"
#include "platform/os/Paths.h"

namespace Halvard {

using State = Platform::FolderLock::State;

FolderLock::FolderLock(const std::string& lockFile)
{
    const std::string path = MakeApplicationPath(lockFile);
    CreateFolders(path);
    lock_ = std::make_unique<Platform::FolderLock>(Platform::ToNativePath(path));
}

FolderLock::~FolderLock() = default;

bool FolderLock::IsHeld() const { return lock_->GetState() == State::kHeld; }

bool FolderLock::IsHeldElsewhere() const { return lock_->GetState() == State::kHeldElsewhere; }

bool FolderLock::IsFileUnusable() const { return lock_->GetState() == State::kFileUnusable; }

bool FolderLock::AreLocksRefused() const { return lock_->GetState() == State::kLocksRefused; }

bool FolderLock::IsUnavailable() const { return lock_->GetState() == State::kUnavailable; }

const std::string& FolderLock::GetReason() const { return lock_->GetReason(); }

} // namespace Halvard
