#include "engine/core/FileBinary.h"

#include "engine/core/Error.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/Paths.h"
#include "platform/os/ReplacementFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace Halvard {

namespace {

constexpr u16 kReplacementCharacter = 0xFFFD;

// The size of an open stream, or -1 when it cannot be measured or does not
// fit the 32-bit size.
i64 MeasureStream(std::FILE* stream)
{
    if (::fseeko(stream, 0, SEEK_END) != 0)
        return -1;
    const i64 size = ::ftello(stream);
    if (size < 0 || size > static_cast<i64>(std::numeric_limits<u32>::max()) || ::fseeko(stream, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

FileFault FaultOf(Platform::WriteFault fault)
{
    switch (fault) {
    case Platform::WriteFault::kNoRoom:
        return FileFault::kNoRoom;
    case Platform::WriteFault::kNoRight:
        return FileFault::kNoRight;
    case Platform::WriteFault::kNoFolder:
        return FileFault::kNoFolder;
    default:
        return FileFault::kOther;
    }
}

// The file at the end of the writer's target's links, in the system's form;
// empty when the target is no link.
std::string LinkedFileOf(const Platform::ReplacementFile& writer)
{
    return writer.GetLinkedFile().empty() ? std::string() : Platform::FromNativePath(writer.GetLinkedFile());
}

} // namespace

FileBinary::FileBinary(MessageManager* messages, const std::string& name, FileAccess access, FileLoading loading)
    : messages_(messages), name_(name), write_(access == FileAccess::kWrite)
{
    const std::string fullPath = MakeApplicationPath(name);
    if (write_)
        OpenForWriting(fullPath);
    else
        OpenForReading(fullPath, loading);
}

FileBinary::FileBinary(MessageManager* messages, const std::string& name, const u8* bytes, u32 size)
    : messages_(messages), name_(name), write_(false), size_(size), memory_(std::make_unique<u8[]>(size))
{
    if (size > 0)
        std::memcpy(memory_.get(), bytes, size);
}

FileBinary::~FileBinary()
{
    if (reader_ != nullptr)
        std::fclose(reader_);
    if (writer_ == nullptr)
        return;
    const bool removed = writer_->Discard();
    if (messages_ == nullptr)
        return;
    try {
        messages_->LogWarning("File " + Quoted() + " was not saved, the previous one is kept");
        if (!removed)
            messages_->LogError("Failed to remove the unsaved copy of " + Quoted() + " file");
    } catch (...) {
        // Logging is all a destructor can do; it must not throw.
    }
}

void FileBinary::OpenForWriting(const std::string& fullPath)
{
    writer_ = std::make_unique<Platform::ReplacementFile>(Platform::ToNativePath(fullPath));
    if (writer_->IsOpen())
        return;
    // A folder missing where a link points is the one to make.
    const std::string linked = LinkedFileOf(*writer_);
    throw WriteError("Failed to open " + Quoted() + " file" + (linked.empty() ? "" : ", a link to \"" + linked + "\""));
}

// A fault behind a link befell the file the link points to, not the one named.
FileError FileBinary::WriteError(const std::string& text) const
{
    if (writer_ == nullptr)
        return FileError(text);
    return FileError(text, FaultOf(writer_->GetFault()), writer_->GetReason(), LinkedFileOf(*writer_));
}

bool FileBinary::MeasureFile(const std::string& name, u32& size)
{
    std::FILE* stream = Platform::OpenForReading(Platform::ToNativePath(MakeApplicationPath(name)));
    if (stream == nullptr)
        return false;
    const i64 measured = MeasureStream(stream);
    std::fclose(stream);
    if (measured < 0)
        return false;
    size = static_cast<u32>(measured);
    return true;
}

void FileBinary::OpenForReading(const std::string& fullPath, FileLoading loading)
{
    std::FILE* stream = Platform::OpenForReading(Platform::ToNativePath(fullPath));
    const i64 size = stream == nullptr ? -1 : MeasureStream(stream);
    if (size < 0) {
        if (stream != nullptr)
            std::fclose(stream);
        throw FileError("Failed to open " + Quoted() + " file");
    }
    size_ = static_cast<u32>(size);
    if (loading == FileLoading::kStreamed || (loading == FileLoading::kBySize && size_ > kWholeReadLimit)) {
        reader_ = stream;
        return;
    }
    memory_ = std::make_unique<u8[]>(size_);
    const size_t read = std::fread(memory_.get(), 1, size_, stream);
    std::fclose(stream);
    if (read != size_)
        throw FileError("Failed to open " + Quoted() + " file");
}

std::string FileBinary::Quoted() const { return "\"" + name_ + "\""; }

bool FileBinary::Seek(u32 origin, i32 offset)
{
    i64 wanted = 0;
    switch (origin) {
    case 0:
        wanted = offset;
        break;
    case 1:
        wanted = static_cast<i64>(size_) - offset;
        break;
    case 2:
        wanted = static_cast<i64>(position_) + offset;
        break;
    default:
        return false;
    }
    const i64 last = size_ == 0 ? 0 : static_cast<i64>(size_) - 1;
    bool onByte = true;
    if (wanted < 0) {
        wanted = 0;
        onByte = false;
    } else if (wanted > last) {
        wanted = last;
        onByte = false;
    }
    position_ = static_cast<u32>(wanted);
    if (writer_ != nullptr)
        writer_->Seek(position_);
    else if (reader_ != nullptr)
        ::fseeko(reader_, static_cast<off_t>(position_), SEEK_SET);
    return onByte;
}

void FileBinary::Read(void* buffer, u32 count, u32* countRead)
{
    u32 amount = 0;
    if (count > 0 && !write_ && position_ < size_) {
        amount = std::min(count, size_ - position_);
        if (memory_ != nullptr)
            std::memcpy(buffer, memory_.get() + position_, amount);
        else if (reader_ != nullptr)
            amount = static_cast<u32>(std::fread(buffer, 1, amount, reader_));
        else
            amount = 0;
    }
    position_ += amount;
    if (countRead != nullptr)
        *countRead = amount;
    else if (amount < count)
        throw FileError("Failed to read " + UIntToString(count) + " bytes from " + Quoted() + " file");
}

void FileBinary::Write(const void* buffer, u32 count, u32* countWritten)
{
    u32 written = 0;
    if (count > 0 && writer_ != nullptr)
        written = static_cast<u32>(writer_->Write(buffer, count));
    position_ += written;
    size_ = std::max(size_, position_);
    if (countWritten != nullptr)
        *countWritten = written;
    else if (written < count)
        throw WriteError("Failed to write " + UIntToString(count) + " bytes from " + Quoted() + " file");
}

u8 FileBinary::ReadByte()
{
    u8 byte = 0;
    Read(&byte, 1);
    return byte;
}

u32 FileBinary::ReadUInt()
{
    u8 bytes[4];
    Read(bytes, 4);
    return ReadLittleEndian32(bytes);
}

float FileBinary::ReadFloat()
{
    u8 bytes[4];
    Read(bytes, 4);
    return ReadLittleEndianFloat(bytes);
}

Vector3 FileBinary::ReadVector3()
{
    const float x = ReadFloat();
    const float y = ReadFloat();
    const float z = ReadFloat();
    return Vector3(x, y, z);
}

u32 FileBinary::ReadCount(u32 entrySize)
{
    const u32 count = ReadUInt();
    const u64 left = position_ < size_ ? size_ - position_ : 0;
    if (static_cast<u64>(count) * entrySize > left)
        throw FileError("Incorrect count " + UIntToString(count) + " in " + Quoted() + " file: " +
                        UIntToString(static_cast<u32>(left)) + " bytes left");
    return count;
}

void FileBinary::ReadString(std::string& out)
{
    u8 count = 0;
    Read(&count, 1);
    std::string bytes(count, '\0');
    Read(bytes.data(), count);
    out.assign(bytes.c_str());
}

void FileBinary::ReadWideString(std::wstring& out)
{
    u8 count = 0;
    Read(&count, 1);
    std::vector<u8> bytes(count * 2u);
    Read(bytes.data(), static_cast<u32>(bytes.size()));
    out.clear();
    for (size_t i = 0; i < count; ++i) {
        const wchar_t character = static_cast<wchar_t>(ReadLittleEndian16(&bytes[2 * i]));
        if (character == 0)
            break;
        out += character;
    }
}

void FileBinary::WriteWideString(const std::wstring& text)
{
    const size_t length = std::min<size_t>(text.size(), kMaxStringLength);
    std::vector<u8> bytes;
    bytes.reserve(1 + 2 * (length + 1));
    bytes.push_back(static_cast<u8>(length + 1));
    for (size_t i = 0; i < length; ++i) {
        const u32 code = static_cast<u32>(text[i]);
        const u16 unit = code > 0xFFFF ? kReplacementCharacter : static_cast<u16>(code);
        bytes.push_back(static_cast<u8>(unit & 0xFF));
        bytes.push_back(static_cast<u8>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    Write(bytes.data(), static_cast<u32>(bytes.size()));
}

void FileBinary::WriteByte(u32 value)
{
    const u8 byte = static_cast<u8>(value & 0xFF);
    Write(&byte, 1);
}

void FileBinary::WriteUInt(u32 value)
{
    u8 bytes[4];
    WriteLittleEndian32(bytes, value);
    Write(bytes, 4);
}

void FileBinary::WriteFloat(float value) { WriteUInt(std::bit_cast<u32>(value)); }

void FileBinary::Close()
{
    if (writer_ == nullptr)
        return;
    if (writer_->Commit()) {
        writer_.reset();
        return;
    }
    // The writer goes before the error leaves, so that the destructor does
    // not log the failure a second time.
    const FileError error = WriteError("Failed to save " + Quoted() + " file");
    writer_.reset();
    throw error;
}

} // namespace Halvard
