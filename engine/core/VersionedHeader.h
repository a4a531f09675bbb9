#pragma once

#include "engine/core/Types.h"

#include <string>
#include <string_view>

namespace Halvard {

class FileBinary;

// The 13-byte header in front of every data and save file of the system's
// own formats: the file's total size (u32), a five-character magic word and
// the format's version (u32), the numbers little-endian.
//
// Every reader of such a file reads it here and checks it in the same order:
// first magic and size together (a foreign or damaged file: the format's own
// "file format" error), then the version (another release's file: the
// format's own "format version" error). The wording of both errors belongs to
// each format and is passed in, so a reader keeps its messages; checks that
// only one format makes (sizes per version, a least body) stay with it and
// come after these. The header decodes its 13 bytes and nothing else, so a
// caller must still check every count of the body against the bytes left.
// A plain value; any thread.
class VersionedHeader {
public:
    static constexpr u32 kSize = 13;
    static constexpr u32 kMagicSize = 5;
    // The newest version there can be: a format that reads every version
    // accepts 0 to this.
    static constexpr u32 kNewestPossibleVersion = 0xFFFFFFFF;

    // What one format accepts: its magic word (exactly kMagicSize
    // characters) and the versions from oldestVersion to newestVersion, both
    // included; most formats read their current version only.
    struct Format {
        std::string_view magic;
        u32 oldestVersion = 0;
        u32 newestVersion = 0;
    };

    enum class Verdict { kGood, kWrongFormat, kWrongVersion };

    VersionedHeader() = default;
    // Only the first kMagicSize characters of the magic count; a shorter one
    // is padded with zeros.
    VersionedHeader(u32 totalSize, std::string_view magic, u32 version);

    // The header in the kSize bytes given.
    static VersionedHeader Decode(const u8* bytes);
    // The header at the file's position, which moves past it. A file with
    // fewer bytes left throws the file's own FileError ("Failed to read 13
    // bytes from ...").
    static VersionedHeader Read(FileBinary& file);
    // Writes the kSize bytes.
    void Encode(u8* bytes) const;

    // kWrongFormat when the magic is not the format's or the total size is
    // not expectedSize (the file's length, or what the caller knows the file
    // must measure); else kWrongVersion when the version lies outside the
    // format's; else kGood.
    Verdict Check(const Format& format, u32 expectedSize) const;
    // Check, with FileError(formatError) for kWrongFormat and
    // FileError(versionError) for kWrongVersion.
    void Require(const Format& format, u32 expectedSize, const std::string& formatError,
                 const std::string& versionError) const;

    u32 GetTotalSize() const { return totalSize_; }
    std::string_view GetMagic() const { return std::string_view(magic_, kMagicSize); }
    u32 GetVersion() const { return version_; }

private:
    u32 totalSize_ = 0;
    char magic_[kMagicSize] = {};
    u32 version_ = 0;
};

} // namespace Halvard
