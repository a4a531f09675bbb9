#include "engine/core/Error.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/support/SoundTestBed.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Halvard;
using namespace Testing;

namespace {

class SoundFileReaderWAVTest : public SoundTestBed {
protected:
    SoundFileReaderWAV Open(const std::string& bytes)
    {
        WriteSound("test.wav", bytes);
        return SoundFileReaderWAV(&messages, &files, "test.wav");
    }

    // The message the reader throws, or empty when it opens.
    std::string Refusal(const std::string& bytes)
    {
        WriteSound("test.wav", bytes);
        try {
            SoundFileReaderWAV reader(&messages, &files, "test.wav");
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "";
    }

    const std::string stereo = Tools::Pcm16({1, -1, 2, -2, 3, -3});
};

std::string Ending(const std::string& ending) { return "Failed to load \"data\\test.wav\" sound file - " + ending; }

} // namespace

TEST_F(SoundFileReaderWAVTest, StereoSixteenBitReportsTheFormatOfItsChunks)
{
    SoundFileReaderWAV reader = Open(Tools::MakeWav(2, 44100, 16, stereo));
    EXPECT_EQ(reader.GetChannels(), 2u);
    EXPECT_EQ(reader.GetBitsPerSample(), 16u);
    EXPECT_EQ(reader.GetSampleRate(), 44100u);
    EXPECT_EQ(reader.GetDataSize(), 12u);
    EXPECT_EQ(reader.GetDataPath(), "data\\test.wav");
}

TEST_F(SoundFileReaderWAVTest, DataComesOutAsStoredThenTheEndAndAgainAfterRewind)
{
    SoundFileReaderWAV reader = Open(Tools::MakeWav(2, 22050, 16, stereo));
    std::vector<u8> bytes(20, 0xEE);
    u32 count = 0;
    bool end = false;
    reader.Read(bytes.data(), 8, count, end);
    EXPECT_EQ(count, 8u);
    EXPECT_FALSE(end);
    reader.Read(bytes.data() + 8, 8, count, end);
    EXPECT_EQ(count, 4u);
    EXPECT_TRUE(end);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 12), stereo);
    reader.Rewind();
    reader.Read(bytes.data(), 2, count, end);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), stereo.substr(0, 2));
    reader.Read(bytes.data(), 0, count, end);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(end);
}

TEST_F(SoundFileReaderWAVTest, FormatChunkAfterTheDataChunkIsStillFound)
{
    SoundFileReaderWAV reader = Open(Tools::MakeWav({{"data", stereo}, {"fmt ", Tools::FormatBody(1, 2, 11025, 16)}}));
    EXPECT_EQ(reader.GetSampleRate(), 11025u);
    EXPECT_EQ(reader.GetDataSize(), 12u);
}

TEST_F(SoundFileReaderWAVTest, ChunkOfOddSizeIsFollowedByItsPadByte)
{
    SoundFileReaderWAV reader =
        Open(Tools::MakeWav({{"LIST", "abc"}, {"fmt ", Tools::FormatBody(1, 1, 8000, 8)}, {"note", "x"}, {"data", "\x80\x81"}}));
    EXPECT_EQ(reader.GetSampleRate(), 8000u);
    EXPECT_EQ(reader.GetDataSize(), 2u);
}

TEST_F(SoundFileReaderWAVTest, ShortFormatChunkIsSkippedAndWithoutAnotherThereIsNone)
{
    const std::string shortFormat = Tools::FormatBody(1, 2, 22050, 16).substr(0, 14);
    EXPECT_EQ(Refusal(Tools::MakeWav({{"fmt ", shortFormat}, {"data", stereo}})), Ending("no format chunk"));
    SoundFileReaderWAV reader =
        Open(Tools::MakeWav({{"fmt ", shortFormat}, {"fmt ", Tools::FormatBody(1, 1, 8000, 16)}, {"data", stereo}}));
    EXPECT_EQ(reader.GetChannels(), 1u);
}

TEST_F(SoundFileReaderWAVTest, OnlyEightOrSixteenBitPcmInOneOrTwoChannelsIsRead)
{
    EXPECT_EQ(Refusal(Tools::MakeWav(2, 22050, 24, stereo)), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav(3, 22050, 16, stereo)), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav(0, 22050, 16, stereo)), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav({{"fmt ", Tools::FormatBody(3, 2, 22050, 16)}, {"data", stereo}})), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav(1, 22050, 8, "\x80")), "");
}

TEST_F(SoundFileReaderWAVTest, SampleRateOfZeroIsRefusedAndAnyOtherRead)
{
    EXPECT_EQ(Refusal(Tools::MakeWav(2, 0, 16, stereo)), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav(1, 0, 8, "\x80")), Ending("no format chunk"));
    EXPECT_EQ(Refusal(Tools::MakeWav(1, 1, 8, "\x80")), "");
    EXPECT_EQ(Refusal(Tools::MakeWav(2, 48000, 16, stereo)), "");
}

TEST_F(SoundFileReaderWAVTest, HeaderOtherThanRiffWaveIsRefused)
{
    std::string wave = Tools::MakeWav(2, 22050, 16, stereo);
    EXPECT_EQ(Refusal("RIFX" + wave.substr(4)), Ending("no RIFF header"));
    EXPECT_EQ(Refusal(wave.substr(0, 8) + "AVI " + wave.substr(12)), Ending("no RIFF header"));
    EXPECT_EQ(Refusal("RIFF" + Tools::LittleEndian32(0) + wave.substr(8)), Ending("no RIFF header"));
    EXPECT_EQ(Refusal("RIFF"), Ending("no RIFF header"));
}

TEST_F(SoundFileReaderWAVTest, FileWithoutDataChunkIsRefused)
{
    EXPECT_EQ(Refusal(Tools::MakeWav({{"fmt ", Tools::FormatBody(1, 2, 22050, 16)}, {"LIST", "info"}})), Ending("no data chunk"));
}

TEST_F(SoundFileReaderWAVTest, ChunkSizeBeyondTheFileEndsTheSearch)
{
    std::string wave = Tools::MakeWav({{"junk", "abcd"}, {"fmt ", Tools::FormatBody(1, 2, 22050, 16)}, {"data", stereo}});
    wave.replace(16, 4, Tools::LittleEndian32(0xFFFFFFF0));
    EXPECT_EQ(Refusal(wave), Ending("no format chunk"));
}

TEST_F(SoundFileReaderWAVTest, DataSizeClaimingMoreThanTheFileHoldsIsCutToWhatItHolds)
{
    std::string wave = Tools::MakeWav(2, 22050, 16, stereo);
    wave.replace(wave.size() - 16, 4, Tools::LittleEndian32(0x7FFFFFFF));
    SoundFileReaderWAV reader = Open(wave);
    EXPECT_EQ(reader.GetDataSize(), 12u);
}

TEST_F(SoundFileReaderWAVTest, MissingFileRaisesTheFileManagersError)
{
    EXPECT_THROW(SoundFileReaderWAV(&messages, &files, "absent.wav"), FileError);
}

TEST_F(SoundFileReaderWAVTest, SilentReaderGivesEightMiddleBytesThenTheEndAndAgainAfterRewind)
{
    SoundFileReaderEMP reader(&messages, &files);
    EXPECT_EQ(reader.GetDataSize(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    std::vector<u8> bytes(16, 0);
    u32 count = 0;
    bool end = false;
    reader.Read(bytes.data(), 16, count, end);
    EXPECT_EQ(count, 8u);
    EXPECT_TRUE(end);
    EXPECT_EQ(std::vector<u8>(bytes.begin(), bytes.begin() + 8), std::vector<u8>(8, 128));
    EXPECT_EQ(bytes[8], 0);
    reader.Read(bytes.data(), 16, count, end);
    EXPECT_EQ(count, 0u);
    reader.Rewind();
    reader.Read(bytes.data(), 5, count, end);
    EXPECT_EQ(count, 5u);
    EXPECT_FALSE(end);
}
