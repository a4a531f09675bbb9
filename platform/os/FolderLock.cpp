#include "platform/os/FolderLock.h"

#include "platform/os/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace Platform {

namespace {

constexpr mode_t kLockFileMode = 0644;

int OpenRetried(const std::string& path, int flags)
{
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | flags, kLockFileMode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// A read-only descriptor is enough for flock, and it opens the file where
// the folder can no longer be written. A pipe bearing the name would hold a
// blocking open forever. Whether the file was made here is told by the
// making open itself: a look at the name before it would take a file
// another copy made in between for one of ours.
int OpenLockFile(const std::string& path, FolderLock::Opening opening, bool& made)
{
    for (;;) {
        made = true;
        const int descriptor = OpenRetried(path, O_CREAT | O_EXCL);
        if (descriptor >= 0 || errno != EEXIST || opening == FolderLock::Opening::kMakeOnly)
            return descriptor;
        made = false;
        const int existing = OpenRetried(path, 0);
        // Gone again since: the copy that made it removed it.
        if (existing >= 0 || errno != ENOENT)
            return existing;
    }
}

// The errors of a file that could not be made because the folder takes no
// files, as long as nothing bears the name.
bool IsFolderClosed(int error)
{
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
    case ENOENT:
    case ENOTDIR:
    case ENOSPC:
    case EDQUOT:
        return true;
    default:
        return false;
    }
}

// The errors that speak of the system rather than of what bears the name:
// no other file could be opened on that path either.
bool IsSystemTrouble(int error)
{
    switch (error) {
    case ENAMETOOLONG:
    case ELOOP:
    case EMFILE:
    case ENFILE:
    case EIO:
    case ENOMEM:
        return true;
    default:
        return false;
    }
}

bool NameIsTaken(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool IsSymbolicLink(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

mode_t KindOf(int descriptor)
{
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

bool IsOnReadOnlyFileSystem(int descriptor)
{
    struct statvfs status {};
    return ::fstatvfs(descriptor, &status) == 0 && (status.f_flag & ST_RDONLY) != 0;
}

bool IsOnReadOnlyFileSystem(const std::string& path)
{
    struct statvfs status {};
    return ::statvfs(path.c_str(), &status) == 0 && (status.f_flag & ST_RDONLY) != 0;
}

} // namespace

// flock, not fcntl: a record lock belongs to the process, so a second
// opening in the same process would take it as well and close would drop it
// for both.
FolderLock::FolderLock(const std::string& nativeLockFile, LockCall lockCall, Opening opening)
{
    bool made = false;
    descriptor_ = OpenLockFile(nativeLockFile, opening, made);
    if (descriptor_ < 0) {
        const int error = errno;
        // Too many files open says nothing of the name: a look at it does.
        if (opening == Opening::kMakeOnly && (error == EEXIST || NameIsTaken(nativeLockFile)))
            FoundTaken(nativeLockFile);
        else
            OpenFailed(nativeLockFile, error);
        return;
    }
    const mode_t kind = KindOf(descriptor_);
    // A folder is told as the making open tells it.
    if (S_ISDIR(kind))
        Refuse(State::kFileUnusable, EISDIR);
    else if (!S_ISREG(kind))
        Refuse(State::kFileUnusable, 0, "Is not a regular file");
    else
        Lock(nativeLockFile, lockCall != nullptr ? lockCall : ::flock, made && opening == Opening::kOpenOrMake);
}

FolderLock::~FolderLock()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

// Only a folder that takes no file at all goes without a lock: whatever
// bears the name was put there, and a second copy could write beside it.
void FolderLock::OpenFailed(const std::string& nativeLockFile, int error)
{
    // O_NOFOLLOW reports a link as a loop of links, which no one made.
    if (IsSymbolicLink(nativeLockFile))
        Refuse(State::kFileUnusable, error, "Is a symbolic link");
    else if (IsSystemTrouble(error))
        Refuse(State::kNotOpened, error);
    else if (!NameIsTaken(nativeLockFile) && IsFolderClosed(error))
        Refuse(State::kUnavailable, error);
    else
        Refuse(State::kFileUnusable, error);
}

// On a disk that is still read-only no program can have saved since: the
// folder takes no file yet, as it took none before.
void FolderLock::FoundTaken(const std::string& nativeLockFile)
{
    if (IsOnReadOnlyFileSystem(nativeLockFile))
        Refuse(State::kUnavailable, EROFS);
    else
        Refuse(State::kTaken, EEXIST);
}

// A file this object made for a lock it cannot have would stay behind in a
// folder the program then writes nothing to.
void FolderLock::Lock(const std::string& nativeLockFile, LockCall lockCall, bool removeWhenRefused)
{
    int result = -1;
    do {
        result = lockCall(descriptor_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::kHeld;
        return;
    }
    const int error = errno;
    if (error == EWOULDBLOCK) {
        Refuse(State::kHeldElsewhere, 0);
        return;
    }
    Refuse(IsOnReadOnlyFileSystem(descriptor_) ? State::kUnavailable : State::kLocksRefused, error);
    if (removeWhenRefused)
        ::unlink(nativeLockFile.c_str());
}

void FolderLock::Refuse(State state, int error, std::string reason)
{
    state_ = state;
    systemError_ = error;
    reason_ = reason.empty() && error != 0 ? SystemReason(error) : std::move(reason);
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
}

} // namespace Platform
