#include "engine/core/FileManager.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "platform/os/Paths.h"

#include <algorithm>
#include <limits>

namespace Halvard {

namespace {

// The program's file ends with the pack, its length and these three bytes.
constexpr u32 kTrailerSize = 7;
constexpr u8 kTrailerMark[3] = {'A', 'P', 'C'};

std::string PackLookupName(const std::string& path)
{
    std::string name = ToLower(path);
    ReplaceAll(name, "\\\\", "\\");
    return name;
}

} // namespace

FileManager::FileManager(MessageManager* messages, const std::string& baseFolder, const std::string& packFolder)
    : messages_(messages), baseFolder_(baseFolder.empty() ? GetApplicationFolder() : baseFolder)
{
    messages_->LogMessage("Initialization of File Manager...");
    MountAppendedPack();
    MountPackFolder(packFolder);
}

FileManager::~FileManager() = default;

void FileManager::MountAppendedPack()
{
    const std::string program = Platform::FromNativePath(Platform::ProgramFile());
    u32 start = 0;
    u32 length = 0;
    try {
        FileBinary file(messages_, program, FileAccess::kRead);
        const u32 size = file.GetSize();
        if (size < kTrailerSize || size > static_cast<u32>(std::numeric_limits<i32>::max()))
            return;
        u8 trailer[kTrailerSize];
        file.Seek(0, static_cast<i32>(size - kTrailerSize));
        file.Read(trailer, kTrailerSize);
        if (!std::equal(kTrailerMark, kTrailerMark + 3, trailer + 4))
            return;
        length = ReadLittleEndian32(trailer);
        if (length > size - kTrailerSize) {
            Skip(program, "Incorrect pack file format");
            return;
        }
        start = size - length - kTrailerSize;
    } catch (const Error&) {
        // A program file that cannot be read simply holds no pack.
        return;
    }
    Mount(program, start, length);
}

void FileManager::MountPackFolder(const std::string& packFolder)
{
    const std::string folder = packFolder.empty() ? baseFolder_ : baseFolder_ + "\\" + packFolder;
    std::vector<std::string> packNames;
    FindFilesOnDisk(folder, "*.pak", packNames);
    for (const std::string& name : packNames)
        Mount(name, 0, 0);
}

// A bad pack costs its entries, never the start-up.
void FileManager::Mount(const std::string& fileName, u32 start, u32 expectedLength)
{
    try {
        packs_.push_back(std::make_unique<PackFile>(messages_, fileName, start, expectedLength));
    } catch (const Error& error) {
        Skip(fileName, error.GetText());
    }
}

void FileManager::Skip(const std::string& fileName, const std::string& reason)
{
    messages_->LogWarning("Pack file " + fileName + " skipped: " + reason);
    skippedPacks_ += "; the pack file \"" + fileName + "\" was skipped: " + reason;
}

std::string FileManager::MakeFullPath(const std::string& path) const
{
    return IsAbsolutePath(path) ? path : baseFolder_ + "\\" + path;
}

std::unique_ptr<FileBinary> FileManager::OpenFileBinary(const std::string& path, FileAccess access,
                                                        FileLoading loading)
{
    const std::string fullPath = MakeFullPath(path);
    if (access == FileAccess::kWrite) {
        CreateFolders(fullPath);
        return std::make_unique<FileBinary>(messages_, fullPath, FileAccess::kWrite);
    }
    if (skippedPacks_.empty() || IsAbsolutePath(path))
        return OpenForReading(path, fullPath, loading);
    try {
        return OpenForReading(path, fullPath, loading);
    } catch (const FileError& error) {
        // The reader's message names the file it wanted; without the pack
        // the player would never learn that the pack was what broke.
        throw FileError(error.GetText() + skippedPacks_);
    }
}

std::unique_ptr<FileBinary> FileManager::OpenForReading(const std::string& path, const std::string& fullPath,
                                                        FileLoading loading)
{
    u32 size = 0;
    if (!FileExistsOnDisk(fullPath) && ReadFromPacks(path, &size, nullptr)) {
        std::vector<u8> bytes(size);
        ReadFromPacks(path, nullptr, bytes.data());
        return std::make_unique<FileBinary>(messages_, fullPath, bytes.data(), size);
    }
    return std::make_unique<FileBinary>(messages_, fullPath, FileAccess::kRead, loading);
}

std::unique_ptr<FileTextual> FileManager::OpenFileTextual(const std::string& path, FileAccess access, u32 encoding)
{
    return std::make_unique<FileTextual>(messages_, OpenFileBinary(path, access), access, encoding);
}

bool FileManager::FileExists(const std::string& path)
{
    return FileExistsOnDisk(MakeFullPath(path)) || ReadFromPacks(path, nullptr, nullptr);
}

bool FileManager::GetFileSize(const std::string& path, u32& size)
{
    const std::string fullPath = MakeFullPath(path);
    if (FileExistsOnDisk(fullPath))
        return FileBinary::MeasureFile(fullPath, size);
    return ReadFromPacks(path, &size, nullptr);
}

bool FileManager::FolderExists(const std::string& path)
{
    if (FileExistsOnDisk(MakeFullPath(path)))
        return true;
    return std::any_of(packs_.begin(), packs_.end(),
                       [&path](const std::unique_ptr<PackFile>& pack) { return pack->ContainsPath(path); });
}

void FileManager::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out)
{
    std::vector<std::string> found;
    FindFilesOnDisk(MakeFullPath(folder), mask, found);
    for (const std::unique_ptr<PackFile>& pack : packs_)
        pack->FindFiles(folder, mask, found);
    std::sort(found.begin(), found.end(), FileNameLess);
    found.erase(std::unique(found.begin(), found.end(), FileNameEqual), found.end());
    out = std::move(found);
}

bool FileManager::ReadFromPacks(const std::string& path, u32* size, u8* buffer)
{
    const std::string name = PackLookupName(path);
    std::lock_guard<std::mutex> lock(packMutex_);
    for (const std::unique_ptr<PackFile>& pack : packs_) {
        if (!pack->HasFile(name))
            continue;
        if (size != nullptr)
            pack->GetFileSize(name, *size);
        if (buffer != nullptr)
            pack->ReadFile(name, buffer);
        return true;
    }
    return false;
}

} // namespace Halvard
