#include "framework/persistence/UserFolderLock.h"

#include "engine/core/Error.h"
#include "engine/core/FolderLock.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"

#include <system_error>

namespace GameFramework {

UserFolderLock::UserFolderLock(const std::string& title, const std::string& userFolder)
    : title_(title), userFolder_(userFolder), lock_(std::make_unique<Halvard::FolderLock>(GetLockFile()))
{
    ThrowWhenRefused();
    if (lock_->IsHeld())
        Halvard::RemoveLeftoverSaveFiles(userFolder_);
}

UserFolderLock::~UserFolderLock() = default;

std::string UserFolderLock::GetLockFile() const { return userFolder_ + "\\" + title_ + ".lock"; }

// Two copies on one folder would each write the profiles from their own
// stale copy, so a second one stops before its log or ini file touches the
// folder, and so does a copy that cannot tell whether another runs there.
// Temporary files can only be left over once the lock is ours: a running
// copy may be writing its own. Only where no file can be made in the folder
// at all, so that no copy can save there, the game goes on without a lock.
void UserFolderLock::ThrowWhenRefused() const
{
    if (lock_->IsHeldElsewhere())
        throw Halvard::Error(title_ + " is already running: close the copy that is running before starting " +
                             title_ + " again.");
    const std::string file = Halvard::MakeNativePath(GetLockFile());
    const std::string unlocked = title_ + " cannot lock its user folder, so a second copy could write over its "
                                          "saves: ";
    const std::string notOpened = unlocked + file + " cannot be opened (" + lock_->GetReason() + "). ";
    const std::string again = " before starting " + title_ + " again.";
    if (lock_->IsFileUnusable())
        throw Halvard::Error(notOpened + "Remove " + title_ + ".lock from that folder" + again);
    if (lock_->IsNotOpened())
        throw Halvard::Error(notOpened + NotOpenedAdvice() + again);
    if (lock_->AreLocksRefused())
        throw Halvard::Error(unlocked + "the file system refuses a lock on " + file + " (" + lock_->GetReason() +
                             "). Put the user folder on a disk that keeps locks (XDG_DATA_HOME says where it lies)" +
                             again);
}

// No file bears the name, or it could be removed: what to do is about the
// path or the system.
std::string UserFolderLock::NotOpenedAdvice() const
{
    switch (static_cast<std::errc>(lock_->GetSystemError())) {
    case std::errc::filename_too_long:
        return "Its path is too long for the file system: point XDG_DATA_HOME at a folder with a shorter path";
    case std::errc::too_many_symbolic_link_levels:
        return "A symbolic link on its path leads back into itself: mend the links on that path (XDG_DATA_HOME "
               "says where it lies)";
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system:
        return "Too many files are open: close some programs, or raise the limit on open files,";
    case std::errc::io_error:
        return "The disk failed to read or write: check the disk";
    case std::errc::not_enough_memory:
        return "The memory is used up: close some programs";
    default:
        return "Mend what the reason names";
    }
}

// A folder that takes no new file may hold no log either, and then the line
// goes to standard error.
void UserFolderLock::SetLog(Halvard::MessageManager* messages)
{
    messages_ = messages;
    if (lock_->IsUnavailable())
        LogStillUnlocked();
}

// A copy that took the lock since this one started without it, or may have,
// may have saved there: writing beside it, or after it ended, would put this
// copy's stale profiles over its saves.
bool UserFolderLock::MaySave()
{
    if (savedElsewhere_)
        return false;
    if (lock_->IsHeld() || locksRefused_)
        return true;
    lock_->TryAgain();
    return TakeLock();
}

bool UserFolderLock::TakeLock()
{
    const std::string file = Halvard::MakeNativePath(GetLockFile());
    if (lock_->IsHeld()) {
        if (messages_ != nullptr) {
            messages_->OpenFileLate();
            messages_->LogMessage("User folder locked: " + file + "; a second copy is kept out");
        }
        return true;
    }
    if (lock_->AreLocksRefused()) {
        locksRefused_ = true;
        if (messages_ != nullptr)
            messages_->LogWarning("User folder not locked: the file system refuses a lock on " + file + " (" +
                                  lock_->GetReason() + "); the file is kept, so that a later copy stops at its "
                                  "start");
        return true;
    }
    if (!lock_->IsTaken() && !lock_->IsHeldElsewhere()) {
        LogStillUnlocked();
        return true;
    }
    savedElsewhere_ = true;
    if (messages_ == nullptr)
        return false;
    // The log file may be that copy's by now.
    messages_->CloseFile();
    messages_->LogError("User folder taken: " + file + " is there now, and another copy of " + title_ +
                        " may have saved in the folder since this one started without it; this copy saves "
                        "nothing more");
    return false;
}

// No copy can have made the lock file yet: the saves go on, and the lock is
// tried again at the next; a new reason is logged once.
void UserFolderLock::LogStillUnlocked()
{
    if (messages_ == nullptr || lock_->GetReason() == loggedReason_)
        return;
    loggedReason_ = lock_->GetReason();
    messages_->LogWarning("User folder not locked: " + Halvard::MakeNativePath(GetLockFile()) +
                          " cannot be made (" + loggedReason_ + "); a second copy is not kept out");
}

} // namespace GameFramework
