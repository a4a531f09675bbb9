#pragma once

#include <string>

namespace Platform {

// Keeps other processes out of a folder while the object lives: an
// exclusive lock on a file in it. The system drops the lock when the
// process ends, however it ends, so a crash never leaves the folder locked;
// programs started by this one do not inherit it. The lock belongs to this
// object's own opening of the file, so a second object in the same process
// is kept out as well. One thread at a time.
class FolderLock {
public:
    enum class State {
        kHeld,
        // Another object, in this process or another, holds the lock.
        kHeldElsewhere,
        // No lock can be had here: the file cannot be made or opened (a
        // read-only folder), or the file system has no locks.
        kUnavailable,
    };

    // Opens the lock file (native path), making it when missing, and tries
    // the lock without waiting. Nothing is written into the file.
    explicit FolderLock(const std::string& nativeLockFile);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // Lets go of the lock; the file stays, for the next start to lock.
    ~FolderLock();

    State GetState() const { return state_; }

private:
    int descriptor_ = -1;
    State state_ = State::kUnavailable;
};

} // namespace Platform
