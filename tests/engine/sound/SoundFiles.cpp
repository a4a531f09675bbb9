#include "tests/engine/sound/SoundFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Testing {

namespace {

std::string LittleEndian16(uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush)
{
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
}

} // namespace

std::string LittleEndian32(uint32_t value)
{
    return LittleEndian16(static_cast<uint16_t>(value & 0xFFFF)) + LittleEndian16(static_cast<uint16_t>(value >> 16));
}

std::string MakeWav(const std::vector<WavChunk>& chunks, bool pad)
{
    std::string body = "WAVE";
    for (const WavChunk& chunk : chunks) {
        body += chunk.id + LittleEndian32(static_cast<uint32_t>(chunk.body.size())) + chunk.body;
        if (pad && chunk.body.size() % 2 == 1)
            body += '\0';
    }
    return "RIFF" + LittleEndian32(static_cast<uint32_t>(body.size())) + body;
}

std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    const auto block = static_cast<uint16_t>(channels * bits / 8);
    return LittleEndian16(tag) + LittleEndian16(channels) + LittleEndian32(rate) + LittleEndian32(rate * block) +
           LittleEndian16(block) + LittleEndian16(bits);
}

std::string MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data)
{
    return MakeWav({{"fmt ", FormatBody(1, channels, rate, bits)}, {"data", data}});
}

std::string Pcm16(const std::vector<int16_t>& samples)
{
    std::string bytes;
    for (const int16_t sample : samples)
        bytes += LittleEndian16(static_cast<uint16_t>(sample));
    return bytes;
}

std::string EncodeOgg(uint32_t channels, uint32_t rate, const std::vector<int16_t>& samples)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, static_cast<long>(channels), static_cast<long>(rate), 0.4f) != 0)
        std::abort();
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    std::string out;
    AppendPages(stream, out, true);

    const size_t frames = samples.size() / channels;
    constexpr size_t kStep = 1024;
    // A last write of 0 frames ends the stream.
    size_t start = 0;
    while (true) {
        const size_t count = std::min(kStep, frames - start);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i)
                for (uint32_t c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(start + i) * channels + c] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                AppendPages(stream, out, false);
            }
        }
        if (count == 0)
            break;
        start += count;
    }
    AppendPages(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::string InsertHoles(const std::string& ogg, uint32_t count)
{
    std::vector<size_t> starts;
    for (size_t at = ogg.find("OggS"); at != std::string::npos; at = ogg.find("OggS", at + 1))
        starts.push_back(at);
    // The first two pages hold the headers; the third is the first audio page.
    std::string out = ogg.substr(0, starts.at(3));
    uint32_t serial = 0;
    std::memcpy(&serial, ogg.data() + 14, 4);
    for (uint32_t i = 0; i < count; ++i) {
        std::string header = "OggS";
        header += '\0';
        header += '\1';
        header += std::string(8, '\xFF') + LittleEndian32(serial) + LittleEndian32(1000 + 2 * i) +
                  std::string(4, '\0') + '\1' + '\xFF';
        std::string body(255, '\x5A');
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(header.data());
        page.header_len = static_cast<long>(header.size());
        page.body = reinterpret_cast<unsigned char*>(body.data());
        page.body_len = static_cast<long>(body.size());
        ogg_page_checksum_set(&page);
        out += header + body;
    }
    return out + ogg.substr(starts.at(3));
}

} // namespace Testing
