#include "tools/SoundWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace Tools {

namespace {

std::string LittleEndian16(std::uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush)
{
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
    }
}

// The encoder's state for one stream, released on every path.
class OggEncoder {
public:
    OggEncoder(std::uint32_t channels, std::uint32_t rate, float quality)
    {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, static_cast<long>(channels), static_cast<long>(rate), quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::runtime_error("Ogg Vorbis encoder refuses " + std::to_string(channels) + " channels at " +
                                     std::to_string(rate) + " Hz");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kOggSerial);
    }
    OggEncoder(const OggEncoder&) = delete;
    OggEncoder& operator=(const OggEncoder&) = delete;
    ~OggEncoder()
    {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }

    void WriteHeaders()
    {
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &commentHeader);
        ogg_stream_packetin(&stream_, &codeHeader);
        AppendPages(stream_, out_, true);
    }

    // Count frames from the interleaved samples at first; a count of 0 ends
    // the stream.
    void WriteFrames(const std::int16_t* first, std::size_t count, std::uint32_t channels)
    {
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i)
                for (std::uint32_t c = 0; c < channels; ++c)
                    buffer[c][i] = first[i * channels + c] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                AppendPages(stream_, out_, false);
            }
        }
    }

    std::string Finish()
    {
        AppendPages(stream_, out_, true);
        return std::move(out_);
    }

private:
    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    std::string out_;
};

} // namespace

std::string LittleEndian32(std::uint32_t value)
{
    return LittleEndian16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           LittleEndian16(static_cast<std::uint16_t>(value >> 16));
}

std::string MakeWav(const std::vector<WavChunk>& chunks)
{
    std::string body = "WAVE";
    for (const WavChunk& chunk : chunks) {
        body += chunk.id + LittleEndian32(static_cast<std::uint32_t>(chunk.body.size())) + chunk.body;
        if (chunk.body.size() % 2 == 1)
            body += '\0';
    }
    return "RIFF" + LittleEndian32(static_cast<std::uint32_t>(body.size())) + body;
}

std::string FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    return LittleEndian16(tag) + LittleEndian16(channels) + LittleEndian32(rate) + LittleEndian32(rate * block) +
           LittleEndian16(block) + LittleEndian16(bits);
}

std::string MakeWav(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const std::string& data)
{
    return MakeWav({{"fmt ", FormatBody(1, channels, rate, bits)}, {"data", data}});
}

std::string Pcm16(const std::vector<std::int16_t>& samples)
{
    std::string bytes;
    bytes.reserve(samples.size() * 2);
    for (const std::int16_t sample : samples)
        bytes += LittleEndian16(static_cast<std::uint16_t>(sample));
    return bytes;
}

std::string EncodeOgg(std::uint32_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples,
                      float quality)
{
    OggEncoder encoder(channels, rate, quality);
    encoder.WriteHeaders();
    const std::size_t frames = samples.size() / channels;
    constexpr std::size_t kStep = 1024;
    for (std::size_t start = 0; start < frames; start += kStep)
        encoder.WriteFrames(samples.data() + start * channels, std::min(kStep, frames - start), channels);
    encoder.WriteFrames(nullptr, 0, channels);
    return encoder.Finish();
}

} // namespace Tools
