#pragma once

#include "engine/core/Types.h"
#include "framework/persistence/FileServices.h"

#include <functional>
#include <string>

namespace Halvard {
class Error;
class FileBinary;
}

namespace GameFramework {

// The magic word and version of one save format.
struct SaveFormat {
    std::string magic;
    Halvard::u32 version = 0;
};

// One save format's files, read and written through the versioned file.
// Every save is whole or not at all: a failed write leaves the old file, and
// each call opens a file of its own, so nothing half written is ever left
// behind for a later call to finish. Main thread.
class SaveFile {
public:
    using Body = std::function<void(Halvard::FileBinary&)>;

    SaveFile(FileServices services, SaveFormat format);

    // Writes the header and the body. Never throws: a FileError goes to the
    // log as one error line, so that lost progress does not go unseen; false
    // then.
    bool Write(const std::string& path, const Body& writeBody) const;
    // Checks the header and reads the body; throws FileError when the file is
    // missing, foreign, of another version or short.
    void Read(const std::string& path, const Body& readBody) const;
    // Called before an unreadable file is replaced: sets it aside and logs
    // one warning with the reason and where the file is kept. Nothing when
    // there is no such file.
    void KeepBadFile(const std::string& path, const Halvard::Error& reason) const;
    // Moves the file out of the way of every reader and writer, to the first
    // free name of path + ".bad", ".bad2", ".bad3"..., so that no file kept
    // earlier is replaced. Returns that name; empty, with an error line, when
    // the file could not be moved, and it then stays where it is.
    std::string SetAside(const std::string& path) const;
    // The end of a log line that says where a file set aside is kept.
    static std::string KeptAs(const std::string& keptPath);
    bool Exists(const std::string& path) const;

    Halvard::MessageManager* GetMessageManager() const { return services_.messages; }

private:
    FileServices services_;
    SaveFormat format_;
};

} // namespace GameFramework
