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

private:
    std::unique_ptr<Platform::FolderLock> lock_;
};

} // namespace Halvard
