#include "engine/sound/SoundFileReaderWAV.h"

#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace Halvard {

namespace {

constexpr u32 kRiffHeaderSize = 12;
constexpr u32 kChunkHeaderSize = 8;
constexpr u32 kFormatSize = 16;
constexpr u32 kPcmTag = 1;

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* messages, FileManager* files, const std::string& name)
    : SoundFileReader(messages, files, name)
{
    ReadRiffHeader();
    ReadFormatChunk();
    FindDataChunk();
}

void SoundFileReaderWAV::ReadRiffHeader()
{
    u8 header[kRiffHeaderSize];
    u32 count = 0;
    file_->Read(header, kRiffHeaderSize, &count);
    if (count < kRiffHeaderSize || std::memcmp(header, "RIFF", 4) != 0 || ReadLittleEndian32(header + 4) == 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        Fail(" sound file - no RIFF header");
}

bool SoundFileReaderWAV::FindChunk(const char* id, u32 minSize, Chunk& chunk)
{
    const u64 fileSize = file_->GetSize();
    u64 position = kRiffHeaderSize;
    while (position + kChunkHeaderSize <= fileSize) {
        file_->Seek(0, static_cast<i32>(position));
        u8 header[kChunkHeaderSize];
        file_->Read(header, kChunkHeaderSize);
        const u32 size = ReadLittleEndian32(header + 4);
        if (std::memcmp(header, id, 4) == 0 && size >= minSize) {
            chunk = {position + kChunkHeaderSize, size};
            return true;
        }
        // A chunk of odd size is followed by a pad byte.
        position += kChunkHeaderSize + static_cast<u64>(size) + (size & 1);
    }
    return false;
}

void SoundFileReaderWAV::ReadFormatChunk()
{
    Chunk chunk;
    if (!FindChunk("fmt ", kFormatSize, chunk) || chunk.bodyOffset + chunk.size > file_->GetSize())
        Fail(" sound file - no format chunk");
    u8 format[kFormatSize];
    file_->Read(format, kFormatSize);
    const u32 tag = ReadLittleEndian16(format);
    channels_ = ReadLittleEndian16(format + 2);
    sampleRate_ = ReadLittleEndian32(format + 4);
    bitsPerSample_ = ReadLittleEndian16(format + 14);
    // No sound plays at a rate of 0: the device would take it for a fault.
    if (tag != kPcmTag || channels_ < 1 || channels_ > 2 || (bitsPerSample_ != 8 && bitsPerSample_ != 16) ||
        sampleRate_ == 0)
        Fail(" sound file - no format chunk");
}

void SoundFileReaderWAV::FindDataChunk()
{
    Chunk chunk;
    if (!FindChunk("data", 0, chunk))
        Fail(" sound file - no data chunk");
    dataOffset_ = static_cast<u32>(chunk.bodyOffset);
    // A size that claims more than the file holds would have the sound play
    // silence for as long as the claim.
    dataSize_ = std::min(chunk.size, file_->GetSize() - dataOffset_);
    bytesRemaining_ = dataSize_;
    file_->Seek(0, static_cast<i32>(dataOffset_));
}

void SoundFileReaderWAV::Read(u8* destination, u32 count, u32& bytesRead, bool& end)
{
    bytesRead = 0;
    end = true;
    if (count == 0)
        return;
    const u32 wanted = std::min(count, bytesRemaining_);
    bytesRemaining_ -= wanted;
    if (wanted > 0)
        file_->Read(destination, wanted, &bytesRead);
    if (bytesRead < wanted)
        bytesRemaining_ = 0;
    end = bytesRemaining_ == 0;
}

void SoundFileReaderWAV::Rewind()
{
    bytesRemaining_ = dataSize_;
    file_->Seek(0, static_cast<i32>(dataOffset_));
}

} // namespace Halvard
