#include "game_tools/VersionedFile.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/StringUtils.h"

#include <algorithm>
#include <cstring>

namespace GameTools {

using Halvard::u32;
using Halvard::u8;

namespace {

void PutUInt(u8* bytes, u32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<u8>(value >> (8 * i));
}

u32 GetUInt(const u8* bytes)
{
    return static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) | (static_cast<u32>(bytes[2]) << 16) |
           (static_cast<u32>(bytes[3]) << 24);
}

} // namespace

VersionedFile::VersionedFile(Halvard::Engine* engine, const std::string& magic, u32 version)
    : VersionedFile(engine->GetFileManager(), magic, version)
{
}

VersionedFile::VersionedFile(Halvard::FileManager* files, const std::string& magic, u32 version)
    : files_(files), version_(version)
{
    std::memcpy(magic_, magic.data(), std::min(magic.size(), sizeof(magic_)));
}

// An open writer is dropped unsaved: a destructor runs when a save was
// interrupted by an exception, and the old file must stay then.
VersionedFile::~VersionedFile() = default;

void VersionedFile::Open(const std::string& path, Halvard::FileAccess access, VersionCheck check, u32* versionRead)
{
    Close();
    writing_ = access == Halvard::FileAccess::kWrite;
    file_ = files_->OpenFileBinary(path, access);
    if (writing_)
        WriteHeader(*file_, file_->GetPosition());
    else
        CheckHeader(path, check == kAnyVersion, versionRead);
}

void VersionedFile::Close()
{
    // Closed whatever happens below: a writer that fails here goes unsaved.
    const std::unique_ptr<Halvard::FileBinary> file = std::move(file_);
    if (file == nullptr || !writing_)
        return;
    const u32 totalSize = file->GetPosition();
    file->Seek(0, 0);
    WriteHeader(*file, totalSize);
    file->Close();
}

void VersionedFile::WriteHeader(Halvard::FileBinary& file, u32 totalSize) const
{
    u8 header[kHeaderSize];
    PutUInt(header, totalSize);
    std::memcpy(header + 4, magic_, sizeof(magic_));
    PutUInt(header + 9, version_);
    file.Write(header, kHeaderSize);
}

void VersionedFile::CheckHeader(const std::string& path, bool anyVersion, u32* versionRead)
{
    u8 header[kHeaderSize];
    file_->Read(header, kHeaderSize);
    if (std::memcmp(header + 4, magic_, sizeof(magic_)) != 0 || GetUInt(header) != file_->GetSize())
        throw Halvard::FileError("Incorrect + \"" + path + "\" file format");
    const u32 version = GetUInt(header + 9);
    if (anyVersion) {
        if (versionRead != nullptr)
            *versionRead = version;
        return;
    }
    if (version != version_)
        throw Halvard::FileError("Incorrect \"" + path + "\" format version (" + Halvard::UIntToString(version) +
                                 "), current is " + Halvard::UIntToString(version_));
}

} // namespace GameTools
