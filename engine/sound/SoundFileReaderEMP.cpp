#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace Halvard {

namespace {

// The middle of unsigned 8-bit samples.
constexpr u8 kSilence = 128;

} // namespace

SoundFileReaderEMP::SoundFileReaderEMP(MessageManager* messages, FileManager* files)
    : SoundFileReader(messages, files)
{
    dataSize_ = 8;
    channels_ = 1;
    bitsPerSample_ = 8;
    sampleRate_ = 22050;
}

void SoundFileReaderEMP::Read(u8* destination, u32 count, u32& bytesRead, bool& end)
{
    bytesRead = std::min(count, dataSize_ - position_);
    position_ += bytesRead;
    std::memset(destination, kSilence, bytesRead);
    end = count == 0 || position_ == dataSize_;
}

void SoundFileReaderEMP::Rewind() { position_ = 0; }

} // namespace Halvard
