#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class FileManager;
class MessageManager;
class SoundFileReader;

// The sample data of one sound: read whole into the device once (static),
// or streamed through a ring of chunks that are refilled as they play.
// Main thread only.
class SoundBuffer {
public:
    static constexpr u32 kChunkSize = 32768;
    // A stream's ring; sounds whose decoded data is larger stream.
    static constexpr u32 kStreamSize = 1048576;
    static constexpr u32 kStreamChunks = kStreamSize / kChunkSize;

    enum StreamState : u32 { kStreamStopped = 0, kStreamPaused = 1, kStreamPlaying = 2 };

    // The name is kept lower-cased. Filling is left to the device's buffer
    // class, whose constructor can make the device buffer.
    SoundBuffer(MessageManager* messages, FileManager* files, const std::string& name);
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;
    virtual ~SoundBuffer();

    // Per frame: a playing stream refills the chunks that have played.
    virtual void Update();
    // Deletes the reader.
    virtual void Close();
    // Takes the format of the source, or opens the reader when there is no
    // source; makes the device buffer; then a static buffer without a source
    // reads its whole data, and a stream waits, stopped, for its first play.
    virtual void Fill(const SoundBuffer* source);
    // Makes the device buffer, unless it exists: a new one, or with a source
    // one that shares the source's samples.
    virtual void CreateBuffer(const SoundBuffer* source) = 0;
    virtual void ReleaseBuffers() = 0;
    // Writes size bytes at chunk index of the device buffer; false when the
    // device refused.
    virtual bool WriteData(u32 chunkIndex, const u8* bytes, u32 size) = 0;
    // Called after each chunk has been written.
    virtual void ReservedSlot7(u32 chunkIndex) = 0;
    // The indices of the stream's chunks that have played and may be
    // written again (replaces the contents of chunks).
    virtual void UnqueueProcessedBuffers(std::vector<u32>& chunks) = 0;

    // Copies the source's format, or opens the reader for the name (the
    // silent reader when the file cannot be read) and takes its format.
    void Open(const SoundBuffer* source);
    // Reads size bytes into the chunk buffer, silence where the data runs
    // short (a looping stream starts its data again instead), and writes them
    // at the chunk index. True when the chunk holds what it should: all
    // its bytes for a static buffer; for a stream, data or data still to come.
    bool ReadChunk(u32 chunkIndex, std::vector<u8>& chunk, u32 size);
    // From stopped to playing rewinds the data and refills every chunk of the
    // ring; other changes only change the state.
    void SetStreamState(u32 state);
    void SetLooping(bool looping) { looping_ = looping; }

    const std::string& GetName() const { return name_; }
    u32 GetDataSize() const { return dataSize_; }
    u32 GetSampleRate() const { return sampleRate_; }
    u32 GetBitsPerSample() const { return bitsPerSample_; }
    u32 GetChannels() const { return channels_; }
    bool IsStreaming() const { return streaming_; }
    bool IsLooping() const { return looping_; }
    u32 GetStreamState() const { return streamState_; }
    bool HasReader() const { return reader_ != nullptr; }

protected:
    MessageManager* messages_;
    FileManager* files_;
    std::string name_;
    u32 dataSize_ = 0;
    u32 sampleRate_ = 0;
    u32 bitsPerSample_ = 0;
    u32 channels_ = 0;
    bool streaming_ = false;
    bool looping_ = false;

private:
    std::unique_ptr<SoundFileReader> OpenReader() const;
    void RefillRing();

    std::unique_ptr<SoundFileReader> reader_;
    std::vector<u8> chunk_;
    std::vector<u32> playedChunks_;
    u32 streamState_ = kStreamStopped;
};

} // namespace Halvard
