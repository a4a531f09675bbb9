#pragma once

#include "engine/core/FileAccess.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Platform {
class ReplacementFile;
}

namespace Halvard {

class FileError;
class MessageManager;

// A file of bytes with a position: a disk file read piecewise, a copy in
// memory of a whole disk file, or a copy of bytes handed over (a pack entry).
// Numbers are little-endian. Failures throw FileError naming the file as the
// caller gave it.
//
// Writing never touches the target until Close: the bytes go to a new file
// beside it, and Close puts that file in the target's place. A writer
// destroyed without a successful Close leaves the old target as it was (and
// says so in the log), so a save interrupted by an exception loses nothing.
// One thread at a time.
class FileBinary {
public:
    // Files up to this size are read into memory at once when loaded by size.
    static constexpr u32 kWholeReadLimit = 0x800000;
    // The binary string forms carry their length in one byte, the
    // terminating zero included.
    static constexpr u32 kMaxStringLength = 254;

    // A disk file; a relative name lies below the program's folder. The log
    // may be null.
    FileBinary(MessageManager* messages, const std::string& name, FileAccess access,
               FileLoading loading = FileLoading::kBySize);
    // A reader over a copy of the bytes handed over (a pack entry), known by
    // the name; the disk is not touched.
    FileBinary(MessageManager* messages, const std::string& name, const u8* bytes, u32 size);
    FileBinary(const FileBinary&) = delete;
    // The size of the disk file named as for reading, without reading it;
    // false when it cannot be opened or is larger than a reader takes.
    static bool MeasureFile(const std::string& name, u32& size);
    FileBinary& operator=(const FileBinary&) = delete;
    virtual ~FileBinary();

    // Origin 0 from the start, 1 back from the end, 2 from the position. The
    // position is clamped to the file (0 in an empty one); true when the
    // wanted position lay on a byte of the file, or was 0.
    bool Seek(u32 origin, i32 offset);

    // Reads up to count bytes. Without countRead, fewer bytes than asked
    // throw FileError; the bytes that were there have been copied.
    void Read(void* buffer, u32 count, u32* countRead = nullptr);
    // Writes count bytes (writers only). Without countWritten a short write
    // throws FileError.
    void Write(const void* buffer, u32 count, u32* countWritten = nullptr);

    u8 ReadByte();
    u32 ReadUInt();
    // A little-endian IEEE single, as the data files store it.
    float ReadFloat();
    // Three floats in the order x, y, z.
    Vector3 ReadVector3();
    // A count of entries that each take at least entrySize bytes: a count
    // whose entries cannot fit in the bytes left throws FileError, so that
    // no reader sizes anything from a count the file cannot hold.
    u32 ReadCount(u32 entrySize);
    // One count byte, then that many bytes or 16-bit characters; the text
    // ends at the first zero among them.
    void ReadString(std::string& out);
    void ReadWideString(std::wstring& out);
    // Longer texts are cut to kMaxStringLength characters; characters beyond
    // 16 bits are written as U+FFFD.
    void WriteWideString(const std::wstring& text);
    void WriteByte(u32 value);
    void WriteUInt(u32 value);
    void WriteFloat(float value);

    // A writer's bytes take the target's place; throws FileError when they
    // cannot be saved, and the old target stays. Nothing to do for a reader.
    // The file can be neither read nor written afterwards.
    void Close();

    u32 GetSize() const { return size_; }
    u32 GetPosition() const { return position_; }
    const std::string& GetName() const { return name_; }
    bool IsWriting() const { return write_; }
    // The whole file is held in memory (else it is read from the disk).
    bool IsInMemory() const { return memory_ != nullptr; }

private:
    void OpenForWriting(const std::string& fullPath);
    void OpenForReading(const std::string& fullPath, FileLoading loading);
    // The error of the writer's last failed step, with the system's words.
    FileError WriteError(const std::string& text) const;
    std::string Quoted() const;

    MessageManager* messages_;
    std::string name_;
    std::FILE* reader_ = nullptr;
    std::unique_ptr<Platform::ReplacementFile> writer_;
    bool write_;
    u32 size_ = 0;
    u32 position_ = 0;
    std::unique_ptr<u8[]> memory_;
};

} // namespace Halvard
