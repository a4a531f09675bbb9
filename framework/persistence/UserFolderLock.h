#pragma once

#include <memory>
#include <string>

namespace Halvard {
class FolderLock;
class MessageManager;
} // namespace Halvard

namespace GameFramework {

// Keeps every other copy of the game out of the user folder: the lock on
// "<title>.lock" in it, from the claim to the end of this object. A copy
// that starts where no file can be made runs without the lock and takes it
// before each save once it can, on a lock file it makes then: a lock file
// that is there by then may have been made and locked by another copy, which
// may have saved, even if it has ended since. That copy's saves are kept:
// this one then writes nothing more. Main thread.
class UserFolderLock {
public:
    // Claims the folder, making it when missing. Throws Error, with nothing
    // written, when another running copy holds the lock or when the folder
    // takes files yet no lock can be had; once the lock is held, removes
    // what saves cut short by an earlier run left there.
    UserFolderLock(const std::string& title, const std::string& userFolder);
    UserFolderLock(const UserFolderLock&) = delete;
    UserFolderLock& operator=(const UserFolderLock&) = delete;
    ~UserFolderLock();

    // The log that later lines go to, from its opening on; a run without the
    // lock says so there at once. It must outlive this object.
    void SetLog(Halvard::MessageManager* messages);
    // Asked before each save: a run without the lock tries to take it, and
    // goes on as a locked run once it has it, its log file opened then if it
    // could not be at the start. False, from the first time a lock file is
    // found that this run did not make, for the rest of the run.
    bool MaySave();

    const std::string& GetUserFolder() const { return userFolder_; }
    // The lock file, in the system's form.
    std::string GetLockFile() const;

private:
    void ThrowWhenRefused() const;
    std::string NotOpenedAdvice() const;
    bool TakeLock();
    void LogStillUnlocked();

    std::string title_;
    std::string userFolder_;
    std::unique_ptr<Halvard::FolderLock> lock_;
    Halvard::MessageManager* messages_ = nullptr;
    bool savedElsewhere_ = false;
    // The file system refused the lock on a file this run made: any copy
    // started later stops at its start, so this one goes on saving.
    bool locksRefused_ = false;
    // Why the last try found no lock, as logged.
    std::string loggedReason_;
};

} // namespace GameFramework
