#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

// The bytes of sound files: RIFF/WAVE and Ogg Vorbis. The builder ships the
// game's sounds through these; tests make damaged files with them.

struct WavChunk {
    std::string id;
    std::string body;
};

// A "RIFF" header with form "WAVE" and the chunks; an odd-sized chunk gets
// its pad byte.
std::string MakeWav(const std::vector<WavChunk>& chunks);
// The 16 bytes of a format chunk.
std::string FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);
// A plain PCM file: format chunk, then data chunk.
std::string MakeWav(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const std::string& data);
// 16-bit little-endian sample bytes.
std::string Pcm16(const std::vector<std::int16_t>& samples);
std::string LittleEndian32(std::uint32_t value);

// The stream serial of every Ogg file written here: a file's bytes depend on
// its samples alone.
constexpr int kOggSerial = 1;

// An Ogg Vorbis file of the interleaved samples, variable bit rate of the
// given quality (-0.1 to 1). Throws std::runtime_error when the encoder
// refuses the format.
std::string EncodeOgg(std::uint32_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples,
                      float quality = 0.4f);

} // namespace Tools
