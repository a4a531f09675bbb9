#pragma once

#include "engine/core/FileFault.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {
class Config;
}

namespace GameFramework {

// What went wrong with the files the game keeps in one run, so that the
// player hears of each kind of trouble once, naming the first file it befell:
// the save files report here, the ini file is asked (its configuration),
// and the application object, which owns this, tells the player. Main thread.
class SaveTrouble {
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
    };

    struct Trouble {
        Kind kind = Kind::kNotSaved;
        // The file or folder, in the system's form.
        std::string path;
    };

    // The configuration, when given, must outlive this object.
    explicit SaveTrouble(const Halvard::Config* config = nullptr);

    // Only the first report of each kind counts.
    void Report(Kind kind, const std::string& path);
    // The kind of trouble a save that failed for this fault is.
    static Kind KindOfSave(Halvard::FileFault fault);

    // Some trouble has not been told yet.
    bool HasUntold();
    // The earliest trouble not told yet, marked told; call only when there is
    // one.
    Trouble TakeUntold();
    // Every kind reported so far, in the order reported.
    const std::vector<Trouble>& GetReported() const { return reported_; }

private:
    void AskConfig();

    const Halvard::Config* config_;
    std::vector<Trouble> reported_;
    // The first this many of the reported have been told.
    std::size_t told_ = 0;
};

} // namespace GameFramework
