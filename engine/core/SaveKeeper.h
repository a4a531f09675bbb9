#pragma once

#include "engine/core/Error.h"

#include <functional>
#include <optional>
#include <string>

namespace Halvard {

// What every save of a file the user keeps goes through when one is set, so
// that a save that failed is made again at later saves and the user hears
// of it. Main thread.
class SaveKeeper {
public:
    // Writes the file from its owner's state at the time of the call; the
    // error then, none once the file is on disk. The keeper logs the error:
    // a save made again and again need not say the same each time. It saves
    // nothing through the keeper, which is making its list of saves.
    using Save = std::function<std::optional<FileError>()>;

    virtual ~SaveKeeper() = default;

    // Makes the save of the file at the path (the system's form), and the
    // saves that failed before it; whether this file reached the disk. The
    // save may be kept and called again later, as long as its owner lives.
    virtual bool MakeSave(const std::string& path, Save save) = 0;
};

} // namespace Halvard
