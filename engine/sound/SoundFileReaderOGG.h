#pragma once

#include "engine/sound/SoundFileReader.h"

#include <cstddef>
#include <memory>
#include <vector>

struct OggVorbis_File;

namespace Halvard {

// Ogg Vorbis files decoded by libvorbisfile into 16-bit signed little-endian
// interleaved samples. The decoder reads the reader's own file through the
// callbacks below.
class SoundFileReaderOGG : public SoundFileReader {
public:
    // Decoding errors in a row after which a damaged stream counts as ended.
    static constexpr u32 kMaxConsecutiveErrors = 32;

    // Throws FileError when the file is no Ogg Vorbis stream, its length
    // cannot be known or its chained links change the rate or the channels.
    SoundFileReaderOGG(MessageManager* messages, FileManager* files, const std::string& name);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    void Read(u8* destination, u32 count, u32& bytesRead, bool& end) override;

    // The decoder's file callbacks; the source is a FileBinary. Seeking
    // answers -1 for an unknown origin or a position outside the file and may
    // reach the end of the file. Closing leaves the file to its owner.
    static std::size_t ReadFile(void* destination, std::size_t itemSize, std::size_t itemCount, void* source);
    static int SeekFile(void* source, i64 offset, int whence);
    static int CloseFile(void* source);
    static long TellFile(void* source);

private:
    // Clears the decoder and throws the incorrect-format FileError.
    [[noreturn]] void Refuse();
    bool LinksKeepTheFormat();
    // Bytes of the frame decoded last that no request took yet.
    u32 TakeFrameRest(u8* destination, u32 count);
    // The decoder's answer: bytes of whole frames, 0 at the end, or an error.
    long Decode(u8* destination, u32 count);

    std::unique_ptr<OggVorbis_File> decoder_;
    // One sample frame: the decoder gives no less.
    std::vector<u8> frame_;
    u32 frameStart_ = 0;
    u32 frameEnd_ = 0;
};

} // namespace Halvard
