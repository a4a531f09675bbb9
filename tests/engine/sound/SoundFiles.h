#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Testing {

// Sound files made on the spot for the tests.

struct WavChunk {
    std::string id;
    std::string body;
};

// A "RIFF" header with form "WAVE" and the chunks; an odd-sized chunk gets
// its pad byte unless padding is off.
std::string MakeWav(const std::vector<WavChunk>& chunks, bool pad = true);
// The 16 bytes of a format chunk.
std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
// A plain PCM file: format chunk, then data chunk.
std::string MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data);
// 16-bit little-endian sample bytes.
std::string Pcm16(const std::vector<int16_t>& samples);
std::string LittleEndian32(uint32_t value);

// An Ogg Vorbis file of the interleaved samples.
std::string EncodeOgg(uint32_t channels, uint32_t rate, const std::vector<int16_t>& samples);
// The file with count pages of the same stream put in after its first audio
// page: each carries part of a packet and skips a page number, so the
// decoder meets a hole at every one of them.
std::string InsertHoles(const std::string& ogg, uint32_t count);

} // namespace Testing
