#include "engine/core/VersionedHeader.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "tools/ByteWriter.h"

#include <vector>

namespace {

using namespace Halvard;
using Verdict = VersionedHeader::Verdict;

constexpr VersionedHeader::Format kFormat{"HVTST", 201, 202};
constexpr u32 kBodySize = 7;

FileBinary InMemory(const std::vector<u8>& bytes)
{
    return FileBinary(nullptr, "test.bin", bytes.data(), static_cast<u32>(bytes.size()));
}

// A file as the data writers make it, with a body of kBodySize bytes.
std::vector<u8> Written(std::string_view magic, u32 version)
{
    Tools::ByteWriter out;
    out.Header(magic, version);
    out.Chars(std::string(kBodySize, 'b'));
    return out.Finish();
}

TEST(VersionedHeaderTest, DecodesLittleEndianFieldsAndEncodesTheSameBytes)
{
    const std::vector<u8> bytes = {0x0D, 0x01, 0x00, 0x80, 'H', 'V', 'T', 'S', 'T', 0xCA, 0x00, 0x02, 0x00};
    const VersionedHeader header = VersionedHeader::Decode(bytes.data());
    EXPECT_EQ(header.GetTotalSize(), 0x8000010Du);
    EXPECT_EQ(header.GetMagic(), "HVTST");
    EXPECT_EQ(header.GetVersion(), 0x000200CAu);
    std::vector<u8> encoded(VersionedHeader::kSize);
    header.Encode(encoded.data());
    EXPECT_EQ(encoded, bytes);
}

struct HeaderCase {
    const char* name;
    std::string_view magic;
    u32 version;
    i32 sizeError; // added to the file's length to give the size the caller expects
    Verdict verdict;
};

class VersionedHeaderCheckTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(VersionedHeaderCheckTest, ReadsTheWrittenHeaderAndJudgesIt)
{
    const HeaderCase& c = GetParam();
    const std::vector<u8> bytes = Written(c.magic, c.version);
    FileBinary file = InMemory(bytes);
    const VersionedHeader header = VersionedHeader::Read(file);
    EXPECT_EQ(file.GetPosition(), VersionedHeader::kSize);
    EXPECT_EQ(header.GetTotalSize(), VersionedHeader::kSize + kBodySize);
    EXPECT_EQ(header.Check(kFormat, static_cast<u32>(static_cast<i32>(bytes.size()) + c.sizeError)), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionedHeaderCheckTest,
    testing::Values(HeaderCase{"Current", "HVTST", 202, 0, Verdict::kGood},
                    HeaderCase{"OldestAccepted", "HVTST", 201, 0, Verdict::kGood},
                    HeaderCase{"TooOld", "HVTST", 200, 0, Verdict::kWrongVersion},
                    HeaderCase{"TooNew", "HVTST", 203, 0, Verdict::kWrongVersion},
                    HeaderCase{"SizeOneShort", "HVTST", 202, -1, Verdict::kWrongFormat},
                    HeaderCase{"SizeOneOver", "HVTST", 202, 1, Verdict::kWrongFormat},
                    HeaderCase{"MagicCaseDiffers", "HVTSt", 202, 0, Verdict::kWrongFormat},
                    HeaderCase{"AnotherFormatsMagic", "HVSRF", 202, 0, Verdict::kWrongFormat},
                    HeaderCase{"FormatBeforeVersion", "HVXST", 7, 0, Verdict::kWrongFormat}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

TEST(VersionedHeaderTest, FileShorterThanTheHeaderThrowsTheFilesReadError)
{
    std::vector<u8> bytes = Written("HVTST", 202);
    bytes.resize(VersionedHeader::kSize - 1);
    FileBinary file = InMemory(bytes);
    try {
        VersionedHeader::Read(file);
        FAIL() << "a short header was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText().rfind("Failed to read 13 bytes from ", 0), 0u) << error.GetText();
    }
}

TEST(VersionedHeaderTest, RequireThrowsTheCallersOwnTexts)
{
    const auto fault = [](const VersionedHeader& header) -> std::string {
        try {
            header.Require(kFormat, VersionedHeader::kSize, "format text", "version text");
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "";
    };
    EXPECT_EQ(fault(VersionedHeader(VersionedHeader::kSize, "HVTST", 201)), "");
    EXPECT_EQ(fault(VersionedHeader(VersionedHeader::kSize + 1, "HVTST", 201)), "format text");
    EXPECT_EQ(fault(VersionedHeader(VersionedHeader::kSize, "HVTST", 1)), "version text");
}

TEST(VersionedHeaderTest, EveryVersionFormatTakesAnyVersionButStillChecksMagicAndSize)
{
    const VersionedHeader::Format any{"HVTST", 0, VersionedHeader::kNewestPossibleVersion};
    for (u32 version : {0u, 202u, VersionedHeader::kNewestPossibleVersion})
        EXPECT_EQ(VersionedHeader(20, "HVTST", version).Check(any, 20), Verdict::kGood) << version;
    EXPECT_EQ(VersionedHeader(20, "HVTSU", 1).Check(any, 20), Verdict::kWrongFormat);
    EXPECT_EQ(VersionedHeader(21, "HVTST", 1).Check(any, 20), Verdict::kWrongFormat);
}

} // namespace
