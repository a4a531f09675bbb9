#include "platform/os/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace Platform {

namespace {

constexpr mode_t kLockFileMode = 0644;

// A read-only descriptor is enough for flock, and it opens the file where
// the folder can no longer be written. A pipe bearing the name would hold a
// blocking open forever.
int OpenLockFile(const std::string& path)
{
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, kLockFileMode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
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

bool IsPlainFile(int descriptor)
{
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

bool IsOnReadOnlyFileSystem(int descriptor)
{
    struct statvfs status {};
    return ::fstatvfs(descriptor, &status) == 0 && (status.f_flag & ST_RDONLY) != 0;
}

// strerror's text, without its buffer shared between threads.
std::string SystemReason(int error) { return std::generic_category().message(error); }

} // namespace

// flock, not fcntl: a record lock belongs to the process, so a second
// opening in the same process would take it as well and close would drop it
// for both.
FolderLock::FolderLock(const std::string& nativeLockFile, LockCall lockCall)
{
    descriptor_ = OpenLockFile(nativeLockFile);
    if (descriptor_ < 0) {
        OpenFailed(nativeLockFile, errno);
        return;
    }
    if (!IsPlainFile(descriptor_)) {
        Refuse(State::kFileUnusable, "Is not a regular file");
        return;
    }
    Lock(lockCall != nullptr ? lockCall : ::flock);
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
    if (!NameIsTaken(nativeLockFile) && IsFolderClosed(error))
        state_ = State::kUnavailable;
    else
        state_ = State::kFileUnusable;
    // O_NOFOLLOW reports a link as a loop of links, which no one made.
    reason_ = IsSymbolicLink(nativeLockFile) ? "Is a symbolic link" : SystemReason(error);
}

void FolderLock::Lock(LockCall lockCall)
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
    if (error == EWOULDBLOCK)
        Refuse(State::kHeldElsewhere, std::string());
    else
        Refuse(IsOnReadOnlyFileSystem(descriptor_) ? State::kUnavailable : State::kLocksRefused,
               SystemReason(error));
}

void FolderLock::Refuse(State state, std::string reason)
{
    state_ = state;
    reason_ = std::move(reason);
    ::close(descriptor_);
    descriptor_ = -1;
}

} // namespace Platform
