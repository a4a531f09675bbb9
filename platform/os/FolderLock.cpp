#include "platform/os/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Platform {

namespace {

constexpr mode_t kLockFileMode = 0644;

// A read-only descriptor is enough for flock, and it opens the file where
// the folder can no longer be written.
int OpenLockFile(const std::string& path)
{
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kLockFileMode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

} // namespace

// flock, not fcntl: a record lock belongs to the process, so a second
// opening in the same process would take it as well and close would drop it
// for both.
FolderLock::FolderLock(const std::string& nativeLockFile)
{
    descriptor_ = OpenLockFile(nativeLockFile);
    if (descriptor_ < 0)
        return;
    int result = -1;
    do {
        result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::kHeld;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::kHeldElsewhere : State::kUnavailable;
    ::close(descriptor_);
    descriptor_ = -1;
}

FolderLock::~FolderLock()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

} // namespace Platform
