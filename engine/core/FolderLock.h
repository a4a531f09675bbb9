#pragma once

#include <memory>
#include <string>

namespace Platform {
class FolderLock;
}

namespace Halvard {

// One running program per folder: an exclusive lock on a file in the folder
// while the object lives. The system drops it when the program ends, even
// by a crash, so it never outlives its program. Main thread.
class FolderLock {
public:
    // Makes the folder of the lock file when missing and tries the lock
    // without waiting. The path is absolute or below the program's folder.
    explicit FolderLock(const std::string& lockFile);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    bool IsHeld() const;
    // Another running program, or another object of this one, holds it.
    bool IsHeldElsewhere() const;
    // The folder takes files, yet no lock can be had: what bears the lock
    // file's name cannot be opened as one (a folder, a symbolic link, a file
    // that is not ours to read).
    bool IsFileUnusable() const;
    // The folder takes files, yet its file system keeps no locks.
    bool AreLocksRefused() const;
    // No file can be made in the folder at all (read-only, closed to
    // writing, full): nothing can be saved there either, and no lock is had.
    bool IsUnavailable() const;
    // The system could not open the lock file for a cause of its own (a path
    // too long, a loop of links on the way, too many files open, a fault of
    // the disk): GetSystemError tells which.
    bool IsNotOpened() const;
    // Why the lock is not held, in the system's words ("Is a directory");
    // empty while it is held or held elsewhere.
    const std::string& GetReason() const;
    // Only a file made by TryAgain would do, and one is there (or something
    // else bears the name) on a disk that can be written: another program
    // may have locked the folder since this one looked first.
    bool IsTaken() const;
    // The errno value behind the reason; 0 when there is none.
    int GetSystemError() const;
    // Unless the lock is held, tries it once more on a lock file that this
    // call makes: a program that had none at first cannot tell whether one
    // that is there by now was locked by another program that has ended
    // since. A file made here stays even when its lock is refused.
    void TryAgain();

private:
    // Only a lock file that this call makes will do.
    void Open(bool makeOnly);

    std::string path_;
    std::unique_ptr<Platform::FolderLock> lock_;
};

} // namespace Halvard
