#pragma once

#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Halvard {

class FileBinary;
class MessageManager;

// An archive of files that stand for loose files under the base folder: the
// 13-byte versioned header ("HVPAK", 100), the entry count, the entry names,
// then an (offset, size) pair per entry, offsets counted from the pack's
// start. A pack may lie inside a larger file (appended to the program).
// Entry names are lower-case relative paths with '\' separators; lookups
// lower-case the name they are given. The file stays open for the pack's
// life. One thread at a time.
class PackFile {
public:
    static constexpr u32 kVersion = 100;

    // Reads and checks the header and the tables; throws FileError when the
    // file cannot be read or they do not describe a sound pack (every entry
    // inside the pack, the count within what the pack can hold). An expected
    // length of 0 means the pack runs to the end of its file.
    PackFile(MessageManager* messages, const std::string& fileName, u32 start, u32 expectedLength);
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;
    virtual ~PackFile();

    bool HasFile(const std::string& name) const;
    bool GetFileSize(const std::string& name, u32& size) const;
    // Copies the entry into the buffer, which holds at least its size; false
    // for an unknown name.
    bool ReadFile(const std::string& name, u8* buffer);
    // Some folder of the pack contains the text anywhere.
    bool ContainsPath(const std::string& text) const;
    // Appends the entries below the folder (sub-folders included) whose rest
    // contains the mask's plain text: the mask without its leading '*' and
    // '?' and from the next wildcard on, so "*.pak" looks for ".pak".
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) const;

    // In file order.
    const std::vector<std::string>& GetFileNames() const { return names_; }
    const std::vector<std::string>& GetFolderNames() const { return folderNames_; }

private:
    struct Entry {
        u32 offset = 0;
        u32 size = 0;
    };

    void ReadHeader(u32 expectedLength);
    void ReadTables();
    // Reads bytes that must lie inside the pack.
    void ReadInside(void* buffer, u32 count);
    u32 ReadUIntInside();

    MessageManager* messages_;
    u32 start_;
    u32 length_ = 0;
    std::unique_ptr<FileBinary> file_;
    std::unordered_map<std::string, Entry> entries_;
    std::vector<std::string> names_;
    std::map<std::string, u32> folders_;
    std::vector<std::string> folderNames_;
};

} // namespace Halvard
