#pragma once

#include "engine/core/FileFault.h"
#include "engine/core/SaveKeeper.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {
class Config;
class MessageManager;
} // namespace Halvard

namespace GameFramework {

class UserFolderLock;

// What went wrong with the files the game keeps in one run, so that the
// player hears of each kind of trouble once, naming the first file it befell,
// and the one place every save goes through, so that what the notices
// promise holds: a save that failed is made again, from its owner's state
// of that time, at every later save and at exit, until it reaches the disk.
// The save files and the ini file (once the application object makes this
// its keeper) save here; the application object, which owns this, tells
// the player. Main thread.
class SaveTrouble : public Halvard::SaveKeeper {
public:
    enum class Kind : Halvard::u8 {
        // A save did not reach the disk, for a reason the system did not
        // name: the file keeps what it held.
        kNotSaved,
        // A save found the disk full.
        kNoRoom,
        // A save found its folder closed to writing.
        kFolderClosed,
        // A save found a folder of its path missing, or a file in its place.
        kNoFolder,
        // A file or folder of saves is there but cannot be opened: it is left
        // as it is and nothing is written over it in this run.
        kNotRead,
        // A lock file of the user folder (the path) is there that this copy,
        // which started without one, did not make: another copy may have
        // saved there since, and this one writes nothing more.
        kSavedElsewhere,
    };

    struct Trouble {
        Kind kind = Kind::kNotSaved;
        // The file or folder, in the system's form.
        std::string path;
    };

    // The configuration and the log, when given, must outlive this object;
    // without a log, failed saves are not logged.
    explicit SaveTrouble(const Halvard::Config* config = nullptr, Halvard::MessageManager* messages = nullptr);

    // Only the first report of each kind counts.
    void Report(Kind kind, const std::string& path);
    // The kind of trouble a save that failed for this fault is.
    static Kind KindOfSave(Halvard::FileFault fault);

    // Makes the saves that failed before, the high-score table's first, then
    // the others in the order they first failed, this one in its place among
    // them (last when it had not failed); each failure is reported, and
    // logged when its line is not the one that file's last failure logged.
    // A player's file waits while the table's save has not been made: it
    // never lets go of a game whose score the table has not kept. With a
    // lock given, nothing is saved once another copy may have saved there.
    bool MakeSave(const std::string& path, Save save) override;
    // The same without a new save, as at exit: every failure is logged.
    void MakeFailedSaves();
    // Whether this run may still change the files of the folder (a lock
    // given may say that another copy may have saved there); reported when
    // it may not. A save refused so is logged by MakeSave.
    bool MayWrite();
    // Nothing of that file is made again: its owner is gone or deleted it.
    void Forget(const std::string& path);
    // The lock asked before each save; it must outlive this object.
    void SetUserFolderLock(UserFolderLock* lock) { lock_ = lock; }

    // Some trouble has not been told yet.
    bool HasUntold();
    // The earliest trouble not told yet, marked told; call only when there is
    // one.
    Trouble TakeUntold();
    // Every kind reported so far, in the order reported.
    const std::vector<Trouble>& GetReported() const { return reported_; }

private:
    struct Failed {
        std::string path;
        Save save;
        // The line its last failure logged.
        std::string logged;
    };
    enum class Logging : Halvard::u8 { kNewLines, kEveryLine };

    void AskConfig();
    void Keep(const std::string& path, Save save);
    void MakeQueued(Logging logging);
    void Log(Failed& failed, const Halvard::FileError& error, Logging logging);
    bool IsQueued(const std::string& path) const;

    const Halvard::Config* config_;
    Halvard::MessageManager* messages_;
    UserFolderLock* lock_ = nullptr;
    std::vector<Trouble> reported_;
    // The first this many of the reported have been told.
    std::size_t told_ = 0;
    // The saves to make, in the order they first failed.
    std::vector<Failed> queued_;
};

} // namespace GameFramework
