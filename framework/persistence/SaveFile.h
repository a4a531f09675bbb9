#pragma once

#include "engine/core/Types.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/SaveTrouble.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Halvard {
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
// behind for a later call to finish.
//
// A file that is there but cannot be opened (no right to read it, a folder in
// its place) is not a damaged file: it is held, left where it is with its
// bytes, and this object writes nothing over it for the rest of its life.
// So is a damaged file that cannot be set aside. Every failure goes to the
// log and to the services' trouble, which tells the player; every save goes
// through the trouble, which makes a failed one again at later saves, with
// the body called anew, for as long as this object lives. Main thread.
class SaveFile {
public:
    using Body = std::function<void(Halvard::FileBinary&)>;

    SaveFile(FileServices services, SaveFormat format);
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;
    ~SaveFile();

    // Writes the header and the body. Never throws: a FileError goes to the
    // log as one error line with the system's reason, so that lost progress
    // does not go unseen, and to the trouble with the file's name and its
    // fault; false then. A held file is not written (false, with an error
    // line naming why).
    bool Write(const std::string& path, const Body& writeBody);
    // No failed save of the file is made again (it was deleted).
    void Forget(const std::string& path);
    // Whether a file may be changed otherwise than by a save (deleted): not
    // once another copy of the game may keep it (SaveTrouble::MayWrite).
    bool MayChange() const;
    // Checks the header and reads the body; throws FileError when the file is
    // missing, foreign, of another version or short. A file that exists but
    // cannot be opened is held first, and the error says so.
    void Read(const std::string& path, const Body& readBody);
    // Called before an unreadable file is replaced: sets it aside and logs
    // one warning with the reason and where the file is kept. Nothing when
    // there is no such file; for a held file only the reason is logged. A
    // file that cannot be set aside is held, with the reason in the log.
    void KeepBadFile(const std::string& path, const Halvard::Error& reason);
    // Moves the file out of the way of every reader and writer, to the first
    // free name of path + ".bad", ".bad2", ".bad3"... (the file's name cut
    // where the kept name would be longer than a file system takes), so that
    // no file kept earlier is replaced. Returns that name; empty, with an
    // error line, when the file could not be moved, and it then stays where
    // it is.
    std::string SetAside(const std::string& path) const;
    // The end of a log line that says where a file set aside is kept.
    static std::string KeptAs(const std::string& keptPath);
    bool Exists(const std::string& path) const;
    // Nothing is written over the file in this object's life.
    bool IsHeld(const std::string& path) const;
    // Holds a file for a reason of the caller's (an error line's end: why
    // the file is kept as it is), whoever tells the player of it.
    void Hold(const std::string& path, const std::string& reason);

    Halvard::MessageManager* GetMessageManager() const { return services_.messages; }

private:
    struct Held {
        std::string path;
        std::string reason;
    };

    bool CanOpen(const std::string& path) const;
    std::optional<Halvard::FileError> WriteNow(const std::string& path, const Body& writeBody) const;
    const Held* FindHeld(const std::string& path) const;
    void ReportTrouble(SaveTrouble::Kind kind, const std::string& path) const;
    std::string MakeKeptPath(const std::string& path, Halvard::u32 number) const;

    FileServices services_;
    SaveFormat format_;
    std::vector<Held> held_;
    // The files whose saves went through the trouble, which may call them
    // again.
    std::vector<std::string> saved_;
};

} // namespace GameFramework
