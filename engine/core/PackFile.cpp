#include "engine/core/PackFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/VersionedHeader.h"

#include <limits>

namespace Halvard {

namespace {

constexpr VersionedHeader::Format kFormat{"HVPAK", PackFile::kVersion, PackFile::kVersion};
constexpr u32 kHeaderSize = VersionedHeader::kSize;
// The count and, per entry, at least a one-byte name and its offset and size.
constexpr u32 kCountSize = 4;
constexpr u32 kSmallestEntry = 1 + 8;
// Positions inside the file are sought with a signed 32-bit offset.
constexpr u32 kLargestFile = static_cast<u32>(std::numeric_limits<i32>::max());

[[noreturn]] void ThrowFormatError() { throw FileError("Incorrect pack file format"); }

} // namespace

PackFile::PackFile(MessageManager* messages, const std::string& fileName, u32 start, u32 expectedLength)
    : messages_(messages), start_(start)
{
    if (messages_ != nullptr)
        messages_->LogMessage("...Pack file " + fileName + " found...");
    file_ = std::make_unique<FileBinary>(messages, fileName, FileAccess::kRead);
    ReadHeader(expectedLength);
    ReadTables();
}

PackFile::~PackFile() = default;

void PackFile::ReadHeader(u32 expectedLength)
{
    const u32 fileSize = file_->GetSize();
    if (fileSize > kLargestFile || start_ > fileSize || fileSize - start_ < kHeaderSize)
        ThrowFormatError();
    const u32 available = fileSize - start_;
    file_->Seek(0, static_cast<i32>(start_));
    const VersionedHeader header = VersionedHeader::Read(*file_);
    length_ = header.GetTotalSize();
    const VersionedHeader::Verdict verdict = header.Check(kFormat, expectedLength == 0 ? available : expectedLength);
    if (verdict == VersionedHeader::Verdict::kWrongFormat || length_ > available || length_ < kHeaderSize + kCountSize)
        ThrowFormatError();
    if (verdict == VersionedHeader::Verdict::kWrongVersion)
        throw FileError("Incorrect pack file version, current is " + UIntToString(kVersion));
}

namespace {

// A relative path of folders and a file. Any other name is listed by searches
// and opens nothing: lookups take it for a folder, a path on disk, or a
// step out of the data folder.
bool NamesAFile(const std::string& name)
{
    if (IsAbsolutePath(name))
        return false;
    size_t start = 0;
    for (;;) {
        const size_t end = name.find('\\', start);
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

} // namespace

void PackFile::ReadTables()
{
    const u32 count = ReadUIntInside();
    if (count > (length_ - kHeaderSize - kCountSize) / kSmallestEntry)
        ThrowFormatError();
    if (messages_ != nullptr)
        messages_->LogMessage("......It contains " + UIntToString(count) + " files...");

    names_.reserve(count);
    for (u32 i = 0; i < count; ++i) {
        u8 nameLength = 0;
        ReadInside(&nameLength, 1);
        std::string bytes(nameLength, '\0');
        ReadInside(bytes.data(), nameLength);
        // The name ends at its zero byte.
        const std::string name = ToLower(bytes.c_str());
        if (!NamesAFile(name))
            ThrowFormatError();
        names_.push_back(name);
    }
    std::vector<Entry> table(count);
    for (Entry& entry : table) {
        entry.offset = ReadUIntInside();
        entry.size = ReadUIntInside();
        if (static_cast<u64>(entry.offset) + entry.size > length_)
            ThrowFormatError();
    }
    for (u32 i = 0; i < count; ++i) {
        entries_.emplace(names_[i], table[i]);
        const size_t slash = names_[i].find_last_of('\\');
        if (slash != std::string::npos)
            ++folders_[names_[i].substr(0, slash)];
    }
    for (const auto& folder : folders_)
        folderNames_.push_back(folder.first);
}

void PackFile::ReadInside(void* buffer, u32 count)
{
    if (static_cast<u64>(file_->GetPosition()) + count > static_cast<u64>(start_) + length_)
        ThrowFormatError();
    file_->Read(buffer, count);
}

u32 PackFile::ReadUIntInside()
{
    u8 bytes[4];
    ReadInside(bytes, 4);
    return ReadLittleEndian32(bytes);
}

bool PackFile::HasFile(const std::string& name) const { return entries_.count(ToLower(name)) != 0; }

bool PackFile::GetFileSize(const std::string& name, u32& size) const
{
    const auto found = entries_.find(ToLower(name));
    if (found == entries_.end())
        return false;
    size = found->second.size;
    return true;
}

bool PackFile::ReadFile(const std::string& name, u8* buffer)
{
    const auto found = entries_.find(ToLower(name));
    if (found == entries_.end())
        return false;
    file_->Seek(0, static_cast<i32>(start_ + found->second.offset));
    file_->Read(buffer, found->second.size);
    return true;
}

bool PackFile::ContainsPath(const std::string& text) const
{
    const std::string lower = ToLower(text);
    for (const std::string& folder : folderNames_) {
        if (folder.find(lower) != std::string::npos)
            return true;
    }
    return false;
}

void PackFile::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& out) const
{
    std::string prefix = ToLower(folder);
    if (!prefix.empty() && prefix.back() != '\\')
        prefix += '\\';
    std::string text = ToLower(mask);
    for (const char wildcard : {'*', '?'}) {
        while (!text.empty() && text.front() == wildcard)
            text.erase(0, 1);
        const size_t next = text.find(wildcard);
        if (next != std::string::npos)
            text.resize(next);
    }
    for (const std::string& name : names_) {
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            (text.empty() || name.find(text, prefix.size()) != std::string::npos))
            out.push_back(name);
    }
}

} // namespace Halvard
