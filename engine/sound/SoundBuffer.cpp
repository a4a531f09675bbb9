#include "engine/sound/SoundBuffer.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>

namespace Halvard {

SoundBuffer::SoundBuffer(MessageManager* messages, FileManager* files, const std::string& name)
    : messages_(messages), files_(files), name_(ToLower(name))
{
}

SoundBuffer::~SoundBuffer() = default;

void SoundBuffer::Close() { reader_.reset(); }

void SoundBuffer::Fill(const SoundBuffer* source)
{
    Open(source);
    CreateBuffer(source);
    if (source != nullptr)
        return;
    if (streaming_) {
        looping_ = false;
        streamState_ = kStreamStopped;
        return;
    }
    if (!ReadChunk(0, chunk_, dataSize_))
        messages_->LogError("\"" + name_ + "\" sound file - incorrect format");
    reader_.reset();
    // The samples live in the device now.
    std::vector<u8>().swap(chunk_);
}

void SoundBuffer::Open(const SoundBuffer* source)
{
    if (source != nullptr) {
        dataSize_ = source->dataSize_;
        sampleRate_ = source->sampleRate_;
        bitsPerSample_ = source->bitsPerSample_;
        channels_ = source->channels_;
        streaming_ = false;
        return;
    }
    if (reader_ == nullptr)
        reader_ = OpenReader();
    dataSize_ = reader_->GetDataSize();
    sampleRate_ = reader_->GetSampleRate();
    bitsPerSample_ = reader_->GetBitsPerSample();
    channels_ = reader_->GetChannels();
    streaming_ = dataSize_ > kStreamSize;
}

std::unique_ptr<SoundFileReader> SoundBuffer::OpenReader() const
{
    if (name_.empty())
        return std::make_unique<SoundFileReaderEMP>(messages_, files_);
    const std::string extension = GetFileExtension(name_);
    try {
        if (extension == "wav")
            return std::make_unique<SoundFileReaderWAV>(messages_, files_, name_);
        if (extension == "ogg")
            return std::make_unique<SoundFileReaderOGG>(messages_, files_, name_);
    } catch (const FileError& error) {
        messages_->LogError(error.GetText());
        return std::make_unique<SoundFileReaderEMP>(messages_, files_);
    }
    messages_->LogError(SoundFileReader::LoadMessage(name_, " sound file - unknown type"));
    return std::make_unique<SoundFileReaderEMP>(messages_, files_);
}

bool SoundBuffer::ReadChunk(u32 chunkIndex, std::vector<u8>& chunk, u32 size)
{
    if (size == 0)
        return false;
    chunk.resize(size);
    u32 filled = 0;
    bool end = false;
    reader_->Read(chunk.data(), size, filled, end);
    const bool loopingStream = streaming_ && looping_;
    while (loopingStream && filled < size) {
        reader_->Rewind();
        u32 more = 0;
        reader_->Read(chunk.data() + filled, size - filled, more, end);
        if (more == 0)
            break;
        filled += more;
    }
    const u8 silence = bitsPerSample_ == 8 ? 128 : 0;
    std::fill(chunk.begin() + filled, chunk.end(), silence);
    if (!WriteData(chunkIndex, chunk.data(), size))
        return false;
    if (!streaming_)
        return filled == size;
    return looping_ || filled > 0 || !end;
}

void SoundBuffer::SetStreamState(u32 state)
{
    if (state == streamState_)
        return;
    if (state == kStreamPlaying && streamState_ == kStreamStopped)
        RefillRing();
    streamState_ = state;
}

void SoundBuffer::RefillRing()
{
    reader_->Rewind();
    for (u32 i = 0; i < kStreamChunks; ++i) {
        if (ReadChunk(i, chunk_, kChunkSize))
            ReservedSlot7(i);
    }
}

void SoundBuffer::Update()
{
    if (!streaming_ || streamState_ != kStreamPlaying)
        return;
    UnqueueProcessedBuffers(playedChunks_);
    for (const u32 index : playedChunks_) {
        if (ReadChunk(index, chunk_, kChunkSize))
            ReservedSlot7(index);
    }
}

} // namespace Halvard
