#pragma once

#include "engine/core/Types.h"

#include <string>

namespace GameFramework {

// What went wrong with the save files in one run of the game, so that the
// player hears of it once: the save files report here, the application
// object, which owns it, reads it and shows its notice. Only the first
// trouble of the run is kept; the folder named is the user's folder, where
// every save file lives. Main thread.
class SaveTrouble {
public:
    enum class Kind : Halvard::u8 {
        kNone,
        // A save did not reach the disk: what the player did is not kept.
        kNotSaved,
        // A save file exists but cannot be opened: it is left as it is and
        // nothing is written over it in this run.
        kNotRead,
    };

    explicit SaveTrouble(std::string userFolder);

    void Report(Kind kind);
    // Something went wrong that the player has not been told of yet.
    bool IsUntold() const { return kind_ != Kind::kNone && !told_; }
    void MarkTold() { told_ = true; }

    Kind GetKind() const { return kind_; }
    const std::string& GetUserFolder() const { return userFolder_; }

private:
    std::string userFolder_;
    Kind kind_ = Kind::kNone;
    bool told_ = false;
};

} // namespace GameFramework
