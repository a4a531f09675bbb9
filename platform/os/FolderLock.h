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
        // The folder takes files, but what bears the lock file's name cannot
        // be opened as one: a folder, a symbolic link (followed by nobody), a
        // file that is not ours to read, anything but a plain file.
        kFileUnusable,
        // The file opened, but its file system keeps no locks (some network
        // and user-space file systems).
        kLocksRefused,
        // No file can be made in the folder: it is read-only, closed to
        // writing, full or missing. Nothing else can be saved there either.
        kUnavailable,
        // The system could not open the file for a cause of its own, not of
        // what bears the name: a path too long, a loop of symbolic links on
        // the way, too many files open, a fault of the disk.
        kNotOpened,
        // Only a file made by this object would do, and something bears the
        // name on a disk that can be written: another program may have made
        // it and locked the folder, and may still hold it.
        kTaken,
    };

    // Whether a lock file that is there already may be locked. A program
    // that started where none could be made cannot tell later whether a
    // file that is there by then was locked by another program that has
    // ended since: it takes only a file it makes itself.
    enum class Opening { kOpenOrMake, kMakeOnly };

    // flock's shape: 0, or -1 with errno set.
    using LockCall = int (*)(int descriptor, int operation);

    // Opens the lock file (native path), making it when missing, and tries
    // the lock without waiting. Nothing is written into the file. A file
    // made here whose lock is refused is removed again, unless only a file
    // made here would do: it then stays, so that whoever comes later finds
    // the folder claimed. The lock call is the system's flock; tests give
    // one that fails as a file system without locks does.
    explicit FolderLock(const std::string& nativeLockFile, LockCall lockCall = nullptr,
                        Opening opening = Opening::kOpenOrMake);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // Lets go of the lock; the file stays, for the next start to lock.
    ~FolderLock();

    State GetState() const { return state_; }
    // Why the lock was not had, in the system's words ("Is a directory");
    // empty while it is held or held elsewhere.
    const std::string& GetReason() const { return reason_; }
    // The errno value behind the reason; 0 when the system gave none.
    int GetSystemError() const { return systemError_; }

private:
    void OpenFailed(const std::string& nativeLockFile, int error);
    void FoundTaken(const std::string& nativeLockFile);
    void Lock(const std::string& nativeLockFile, LockCall lockCall, bool removeWhenRefused);
    // The reason is the system's words for the error unless given.
    void Refuse(State state, int error, std::string reason = std::string());

    int descriptor_ = -1;
    State state_ = State::kUnavailable;
    std::string reason_;
    int systemError_ = 0;
};

} // namespace Platform
