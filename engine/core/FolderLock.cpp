#include "engine/core/FolderLock.h"

#include "engine/core/PathUtils.h"
#include "platform/os/FolderLock.h"
#include "platform/os/Paths.h"

namespace Halvard {

using State = Platform::FolderLock::State;

FolderLock::FolderLock(const std::string& lockFile) : path_(MakeApplicationPath(lockFile))
{
    Open(false);
}

void FolderLock::TryAgain()
{
    if (!IsHeld())
        Open(true);
}

void FolderLock::Open(bool makeOnly)
{
    using Opening = Platform::FolderLock::Opening;
    CreateFolders(path_);
    lock_ = std::make_unique<Platform::FolderLock>(Platform::ToNativePath(path_), nullptr,
                                                   makeOnly ? Opening::kMakeOnly : Opening::kOpenOrMake);
}

FolderLock::~FolderLock() = default;

bool FolderLock::IsHeld() const { return lock_->GetState() == State::kHeld; }

bool FolderLock::IsHeldElsewhere() const { return lock_->GetState() == State::kHeldElsewhere; }

bool FolderLock::IsFileUnusable() const { return lock_->GetState() == State::kFileUnusable; }

bool FolderLock::AreLocksRefused() const { return lock_->GetState() == State::kLocksRefused; }

bool FolderLock::IsUnavailable() const { return lock_->GetState() == State::kUnavailable; }

bool FolderLock::IsNotOpened() const { return lock_->GetState() == State::kNotOpened; }

bool FolderLock::IsTaken() const { return lock_->GetState() == State::kTaken; }

const std::string& FolderLock::GetReason() const { return lock_->GetReason(); }

int FolderLock::GetSystemError() const { return lock_->GetSystemError(); }

} // namespace Halvard
