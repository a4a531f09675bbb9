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
    u8 bytes[kHeaderSize];
    Halvard::VersionedHeader(totalSize, Magic(), version_).Encode(bytes);
    file.Write(bytes, kHeaderSize);
}

void VersionedFile::CheckHeader(const std::string& path, bool anyVersion, u32* versionRead)
{
    const Halvard::VersionedHeader header = Halvard::VersionedHeader::Read(*file_);
    const u32 version = header.GetVersion();
    const Halvard::VersionedHeader::Format format{Magic(), anyVersion ? 0 : version_,
                                                  anyVersion ? Halvard::VersionedHeader::kNewestPossibleVersion
                                                             : version_};
    header.Require(format, file_->GetSize(), "Incorrect + \"" + path + "\" file format",
                   "Incorrect \"" + path + "\" format version (" + Halvard::UIntToString(version) +
                       "), current is " + Halvard::UIntToString(version_));
    if (anyVersion && versionRead != nullptr)
        *versionRead = version;
}

} // namespace GameTools
