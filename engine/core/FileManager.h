#pragma once

#include "engine/core/FileAccess.h"
#include "engine/core/Types.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Halvard {

class FileBinary;
class FileTextual;
class MessageManager;
class PackFile;

// The one place where a data path becomes an open file. At construction it
// mounts the pack appended to the program's own file and then every "*.pak"
// of the pack folder; reads take the loose file under the base folder when
// there is one, else the entry of the first mounted pack that holds it. A
// path whose second character is ':' or that begins with '\' is absolute; any
// other lies below the base folder and is also the name looked up in the
// packs (without regard to case). Any thread; pack reads are serialised.
class FileManager {
public:
    // An empty base folder means the program's own folder; the pack folder is
    // relative to the base folder (empty: the base folder itself). The log
    // must outlive the manager.
    FileManager(MessageManager* messages, const std::string& baseFolder, const std::string& packFolder);
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;
    virtual ~FileManager();

    // The caller owns the file. Writing creates the missing folders; see
    // FileBinary for when the bytes reach the disk. Throws FileError "Failed
    // to open" with the full path when the file is in neither place; for a
    // data path the text then also names every pack that was skipped at
    // mounting and why, since the file may well have been in one of them.
    std::unique_ptr<FileBinary> OpenFileBinary(const std::string& path, FileAccess access,
                                               FileLoading loading = FileLoading::kBySize);
    std::unique_ptr<FileTextual> OpenFileTextual(const std::string& path, FileAccess access, u32 encoding = 0);

    // On disk or in a mounted pack.
    bool FileExists(const std::string& path);
    // The size of the file a read would open, without reading it; false when
    // there is none.
    bool GetFileSize(const std::string& path, u32& size);
    // On disk, or some folder of a mounted pack contains the path.
    bool FolderExists(const std::string& path);
    // The sorted distinct names matching the mask on disk (full paths, their
    // case as on disk) and in the packs (relative, lower-case); replaces the
    // contents of out.
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out);
    // Looks the relative path up in the packs, first mounted first; fills the
    // size and the buffer (at least the size) when given.
    bool ReadFromPacks(const std::string& path, u32* size, u8* buffer);

    MessageManager* GetMessageManager() const { return messages_; }
    const std::string& GetBaseFolder() const { return baseFolder_; }
    u32 GetPackCount() const { return static_cast<u32>(packs_.size()); }

private:
    void MountAppendedPack();
    void MountPackFolder(const std::string& packFolder);
    void Mount(const std::string& fileName, u32 start, u32 expectedLength);
    // Logs the skip, and keeps it for the errors of the files it may cost.
    void Skip(const std::string& fileName, const std::string& reason);
    std::string MakeFullPath(const std::string& path) const;
    // A file open for reading: the loose file, else the pack's entry.
    std::unique_ptr<FileBinary> OpenForReading(const std::string& path, const std::string& fullPath,
                                               FileLoading loading);

    MessageManager* messages_;
    std::string baseFolder_;
    std::vector<std::unique_ptr<PackFile>> packs_;
    // "; the pack file "<name>" was skipped: <reason>" for each pack that
    // could not be mounted, in mounting order.
    std::string skippedPacks_;
    std::mutex packMutex_;
};

} // namespace Halvard
