#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/SoundTestBed.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace Halvard;
using namespace Testing;

namespace {

// A second of two tones, left and right.
std::vector<int16_t> Tones(uint32_t frames)
{
    std::vector<int16_t> samples;
    for (uint32_t i = 0; i < frames; ++i) {
        samples.push_back(static_cast<int16_t>(8000.0 * std::sin(i * 0.05)));
        samples.push_back(static_cast<int16_t>(8000.0 * std::sin(i * 0.11)));
    }
    return samples;
}

// Frames of one tone per channel, each of its own pitch.
std::vector<int16_t> ChannelTones(uint32_t channels, uint32_t frames)
{
    std::vector<int16_t> samples;
    for (uint32_t i = 0; i < frames; ++i) {
        for (uint32_t c = 0; c < channels; ++c)
            samples.push_back(static_cast<int16_t>(8000.0 * std::sin(i * 0.03 * (c + 1))));
    }
    return samples;
}

class SoundFileReaderOGGTest : public SoundTestBed {
protected:
    // Reads everything in pieces of the given size.
    static std::vector<u8> ReadAll(SoundFileReader& reader, u32 piece, bool& end)
    {
        std::vector<u8> all;
        std::vector<u8> bytes(piece);
        end = false;
        for (int guard = 0; guard < (1 << 20) && !end; ++guard) {
            u32 count = 0;
            reader.Read(bytes.data(), piece, count, end);
            all.insert(all.end(), bytes.begin(), bytes.begin() + count);
        }
        return all;
    }
};

} // namespace

TEST_F(SoundFileReaderOGGTest, StereoFileOfNSamplesReportsFourTimesNBytesOf16BitData)
{
    WriteSound("tones.ogg", Tools::EncodeOgg(2, 22050, Tones(22050)));
    SoundFileReaderOGG reader(&messages, &files, "tones.ogg");
    EXPECT_EQ(reader.GetChannels(), 2u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    EXPECT_EQ(reader.GetBitsPerSample(), 16u);
    EXPECT_EQ(reader.GetDataSize(), 4u * 22050u);
}

TEST_F(SoundFileReaderOGGTest, DecodesTheWholeStreamThenReportsTheEndAndRewindStartsOver)
{
    const std::vector<int16_t> tones = Tones(22050);
    WriteSound("tones.ogg", Tools::EncodeOgg(2, 22050, tones));
    SoundFileReaderOGG reader(&messages, &files, "tones.ogg");
    bool end = false;
    const std::vector<u8> first = ReadAll(reader, 5000, end);
    EXPECT_TRUE(end);
    ASSERT_EQ(first.size(), reader.GetDataSize());
    // Lossy, but close to what went in.
    const auto* decoded = reinterpret_cast<const int16_t*>(first.data());
    EXPECT_NEAR(decoded[2 * 5000], tones[2 * 5000], 800);
    EXPECT_NEAR(decoded[2 * 5000 + 1], tones[2 * 5000 + 1], 800);
    reader.Rewind();
    const std::vector<u8> second = ReadAll(reader, 4096, end);
    EXPECT_EQ(second, first);
}

TEST_F(SoundFileReaderOGGTest, FileThatIsNoOggVorbisStreamIsIncorrectFormat)
{
    WriteSound("noise.ogg", std::string(5000, 'x'));
    try {
        SoundFileReaderOGG reader(&messages, &files, "noise.ogg");
        FAIL() << "opened";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to load \"data\\noise.ogg\" sound file - incorrect format");
    }
}

TEST_F(SoundFileReaderOGGTest, RunOfDecodingErrorsEndsTheDataInsteadOfGoingOnForever)
{
    const std::string ogg = Tools::EncodeOgg(1, 22050, std::vector<int16_t>(22050 * 8, 0));
    WriteSound("damaged.ogg", InsertHoles(ogg, SoundFileReaderOGG::kMaxConsecutiveErrors + 8));
    SoundFileReaderOGG reader(&messages, &files, "damaged.ogg");
    bool end = false;
    const std::vector<u8> all = ReadAll(reader, 1 << 20, end);
    EXPECT_TRUE(end);
    EXPECT_LT(all.size(), reader.GetDataSize());
}

TEST_F(SoundFileReaderOGGTest, FewerDecodingErrorsThanTheBoundAreSkipped)
{
    const std::string ogg = Tools::EncodeOgg(1, 22050, std::vector<int16_t>(22050 * 8, 0));
    WriteSound("damaged.ogg", InsertHoles(ogg, 3));
    SoundFileReaderOGG reader(&messages, &files, "damaged.ogg");
    bool end = false;
    const std::vector<u8> all = ReadAll(reader, 1 << 20, end);
    EXPECT_TRUE(end);
    EXPECT_GT(all.size(), reader.GetDataSize() / 2);
}

TEST_F(SoundFileReaderOGGTest, SeekCallbackReachesTheEndAndRefusesPlacesOutsideTheFile)
{
    WriteSound("bytes.ogg", "0123456789");
    std::unique_ptr<FileBinary> file = files.OpenFileBinary("data\\bytes.ogg", FileAccess::kRead);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), 0, SEEK_END), 0);
    EXPECT_EQ(SoundFileReaderOGG::TellFile(file.get()), 10);
    char byte = 0;
    EXPECT_EQ(SoundFileReaderOGG::ReadFile(&byte, 1, 1, file.get()), 0u);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), -3, SEEK_CUR), 0);
    EXPECT_EQ(SoundFileReaderOGG::ReadFile(&byte, 1, 1, file.get()), 1u);
    EXPECT_EQ(byte, '7');
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), 11, SEEK_SET), -1);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), -1, SEEK_SET), -1);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), int64_t{1} << 32, SEEK_SET), -1);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), 0, 7), -1);
    EXPECT_EQ(SoundFileReaderOGG::SeekFile(file.get(), 2, SEEK_SET), 0);
    EXPECT_EQ(SoundFileReaderOGG::TellFile(file.get()), 2);
}

// A stream buffer asks for chunks that are no whole number of frames of 3,
// 5 or 6 channels: every chunk is filled, the frames run on across chunks
// and the data ends where the stream does.
TEST_F(SoundFileReaderOGGTest, ManyChannelsReadInAnyPiecesGiveTheWholeStreamInFrameOrder)
{
    for (const uint32_t channels : {3u, 5u, 6u}) {
        SCOPED_TRACE(channels);
        const std::vector<int16_t> tones = ChannelTones(channels, 12000);
        WriteSound("many.ogg", Tools::EncodeOgg(channels, 22050, tones));
        SoundFileReaderOGG reader(&messages, &files, "many.ogg");
        ASSERT_EQ(reader.GetChannels(), channels);
        bool end = false;
        const std::vector<u8> whole = ReadAll(reader, channels * 2 * 1000, end);
        ASSERT_EQ(whole.size(), reader.GetDataSize());
        const auto* decoded = reinterpret_cast<const int16_t*>(whole.data());
        for (uint32_t c = 0; c < channels; ++c)
            EXPECT_NEAR(decoded[channels * 8000 + c], tones[channels * 8000 + c], 800) << "channel " << c;
        for (const u32 piece : {32768u, 7u, 1u}) {
            SCOPED_TRACE(piece);
            reader.Rewind();
            const std::vector<u8> pieces = ReadAll(reader, piece, end);
            EXPECT_TRUE(end);
            EXPECT_TRUE(pieces == whole);
        }
    }
}

TEST_F(SoundFileReaderOGGTest, ChainedLinksThatChangeRateOrChannelsAreRefusedNamingTheFile)
{
    const std::string first = WithSerial(Tools::EncodeOgg(2, 22050, Tones(5000)), 1);
    const struct {
        const char* name;
        std::string second;
    } cases[] = {
        {"other rate", WithSerial(Tools::EncodeOgg(2, 44100, Tones(3000)), 2)},
        {"other channels", WithSerial(Tools::EncodeOgg(1, 22050, std::vector<int16_t>(3000, 0)), 2)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        WriteSound("chain.ogg", first + test.second);
        try {
            SoundFileReaderOGG reader(&messages, &files, "chain.ogg");
            ADD_FAILURE() << "opened";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText(), "Failed to load \"data\\chain.ogg\" sound file - incorrect format");
        }
    }
}

// Links of one format play one after the other from the first sample of the
// first link, whether or not a rewind came first.
TEST_F(SoundFileReaderOGGTest, ChainedLinksOfOneFormatAreReadWholeFromTheFirstLink)
{
    const std::vector<int16_t> tones = Tones(5000);
    WriteSound("chain.ogg", WithSerial(Tools::EncodeOgg(2, 22050, tones), 1) +
                                WithSerial(Tools::EncodeOgg(2, 22050, std::vector<int16_t>(2 * 3000, 0)), 2));
    SoundFileReaderOGG reader(&messages, &files, "chain.ogg");
    EXPECT_EQ(reader.GetDataSize(), 4u * (5000 + 3000));
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        bool end = false;
        const std::vector<u8> all = ReadAll(reader, 4096, end);
        ASSERT_EQ(all.size(), reader.GetDataSize());
        const auto* decoded = reinterpret_cast<const int16_t*>(all.data());
        EXPECT_NEAR(decoded[2 * 2500], tones[2 * 2500], 800);
        EXPECT_NEAR(decoded[2 * 2500 + 1], tones[2 * 2500 + 1], 800);
        EXPECT_NEAR(decoded[2 * 6500], 0, 800);
        reader.Rewind();
    }
}
