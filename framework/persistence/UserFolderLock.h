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
// before each save once it can; should another copy have taken it first,
// that copy keeps the saves and this one writes nothing more. Main thread.
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
    // goes on as a locked run once it has it. False, from the first time
    // another copy is found holding it, for the rest of the run.
    bool MaySave();

    const std::string& GetUserFolder() const { return userFolder_; }
    // The lock file, in the system's form.
    std::string GetLockFile() const;

private:
    void ThrowWhenRefused() const;
    std::string NotOpenedAdvice() const;

    std::string title_;
    std::string userFolder_;
    std::unique_ptr<Halvard::FolderLock> lock_;
    Halvard::MessageManager* messages_ = nullptr;
    bool heldElsewhere_ = false;
};

} // namespace GameFramework
