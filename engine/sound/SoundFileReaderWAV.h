#pragma once

#include "engine/sound/SoundFileReader.h"

namespace Halvard {

// Uncompressed RIFF/WAVE files: 8- or 16-bit PCM, mono or stereo, at a rate
// above 0. The data comes out as stored.
class SoundFileReaderWAV : public SoundFileReader {
public:
    // Throws FileError when the file has no RIFF header, no usable format
    // chunk or no data chunk.
    SoundFileReaderWAV(MessageManager* messages, FileManager* files, const std::string& name);

    void Rewind() override;
    void Read(u8* destination, u32 count, u32& bytesRead, bool& end) override;

private:
    struct Chunk {
        u64 bodyOffset = 0;
        u32 size = 0;
    };

    void ReadRiffHeader();
    void ReadFormatChunk();
    void FindDataChunk();
    // The first chunk with the id and at least minSize bytes, scanning from
    // the first chunk after the RIFF header; false when none lies in the file.
    bool FindChunk(const char* id, u32 minSize, Chunk& chunk);

    u32 dataOffset_ = 0;
    u32 bytesRemaining_ = 0;
};

} // namespace Halvard
