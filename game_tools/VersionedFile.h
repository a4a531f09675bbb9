#pragma once

#include "engine/core/FileAccess.h"
#include "engine/core/Types.h"
#include "engine/core/VersionedHeader.h"

#include <memory>
#include <string>

namespace Halvard {
class Engine;
class FileBinary;
class FileManager;
}

namespace GameTools {

// A data or save file behind the 13-byte header of the system's own formats:
// the total size, a five-character magic and the format's version, all
// little-endian. Writing puts a placeholder header in front of the body and
// Close rewrites it with the final size; reading checks magic, size and
// version before the caller reads the body through GetFile.
//
// Saves are all or nothing: the target changes only when Close succeeds. An
// open writer that is destroyed, or that a failed Close gives up, leaves the
// old file as it was. One thread at a time.
class VersionedFile {
public:
    static constexpr Halvard::u32 kHeaderSize = Halvard::VersionedHeader::kSize;

    // Whether a reader takes only the version it was made for.
    enum VersionCheck : Halvard::u8 { kCurrentVersion, kAnyVersion };

    // Only the first five characters of the magic count. The first form opens
    // its files through the engine's file manager.
    VersionedFile(Halvard::Engine* engine, const std::string& magic, Halvard::u32 version);
    VersionedFile(Halvard::FileManager* files, const std::string& magic, Halvard::u32 version);
    VersionedFile(const VersionedFile&) = delete;
    VersionedFile& operator=(const VersionedFile&) = delete;
    ~VersionedFile();

    // Closes a file still open, then opens the path through the file manager.
    // Reading throws FileError when the magic or the size is wrong, or the
    // version unless any version is taken; then the version read is stored
    // through versionRead (when given). The file stays attached after a
    // failed check until the next Close or Open.
    void Open(const std::string& path, Halvard::FileAccess access, VersionCheck check = kCurrentVersion,
              Halvard::u32* versionRead = nullptr);
    // The open file, or null.
    Halvard::FileBinary* GetFile() const { return file_.get(); }
    // A writer gets its final header and is saved (FileError when that
    // fails); a reader is simply let go. Nothing happens when no file is open.
    void Close();

private:
    void WriteHeader(Halvard::FileBinary& file, Halvard::u32 totalSize) const;
    void CheckHeader(const std::string& path, bool anyVersion, Halvard::u32* versionRead);
    std::string_view Magic() const { return std::string_view(magic_, sizeof(magic_)); }

    Halvard::FileManager* files_;
    char magic_[Halvard::VersionedHeader::kMagicSize] = {};
    Halvard::u32 version_;
    std::unique_ptr<Halvard::FileBinary> file_;
    bool writing_ = false;
};

} // namespace GameTools
