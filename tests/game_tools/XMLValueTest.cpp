#include "game_tools/XMLValue.h"

#include <gtest/gtest.h>

#include "engine/core/CodePage.h"
#include "engine/core/Error.h"
#include "engine/core/StringUtils.h"

namespace {

using GameTools::XMLValue;

TEST(XMLValue, TheMissingFormIsMadeOnFirstRequest)
{
    Halvard::SetCodePage(1252);
    XMLValue wide(std::wstring(L"caf\x00E9"));
    EXPECT_EQ(wide.GetType(), XMLValue::kWide);
    EXPECT_EQ(wide.GetString(), "caf\xE9");
    EXPECT_EQ(wide.GetType(), XMLValue::kBoth);

    XMLValue narrow(std::string("abc"));
    EXPECT_EQ(narrow.GetType(), XMLValue::kNarrow);
    EXPECT_EQ(narrow.GetWideString(), L"abc");
    EXPECT_EQ(narrow.GetType(), XMLValue::kBoth);

    narrow.SetWideString(L"new");
    EXPECT_EQ(narrow.GetType(), XMLValue::kWide);
    EXPECT_EQ(narrow.GetString(), "new");
    EXPECT_EQ(XMLValue().GetType(), XMLValue::kBoth);
}

TEST(XMLValue, NumbersTakeTheLeadingNumberOrZero)
{
    EXPECT_FLOAT_EQ(XMLValue(std::wstring(L"  2.5px")).GetFloat(), 2.5f);
    EXPECT_FLOAT_EQ(XMLValue(std::string("none")).GetFloat(), 0.0f);
    EXPECT_EQ(XMLValue(std::string("-12")).GetInt(), -12);
    EXPECT_EQ(XMLValue(std::wstring(L" +7 ")).GetInt(), 7);
}

// Leading digits of anything else are not what the file meant: "1e9" would
// read as 1.
TEST(XMLValue, AnIntegerIsTheWholeTextOrRefused)
{
    for (const char* text : {"1e9", "0x10", "2.5", "12px", "", " ", "-", "1 2"}) {
        EXPECT_THROW(XMLValue(std::string(text)).GetInt(), Halvard::FileError) << text;
        EXPECT_FALSE(XMLValue(Halvard::ToWString(text)).FindInt()) << text;
    }
    Halvard::i32 pair[2] = {};
    EXPECT_THROW(XMLValue(std::string("4 4.5")).GetInts(pair, 2), Halvard::FileError);
}

TEST(XMLValue, BooleansAreIntegers)
{
    EXPECT_FALSE(XMLValue(std::wstring(L"true")).GetBool());
    EXPECT_TRUE(XMLValue(std::wstring(L"2")).GetBool());
    EXPECT_FALSE(XMLValue(std::string("0")).GetBool());
}

TEST(XMLValue, NumberListsSplitAtAnythingButNumberCharacters)
{
    float values[4] = {9, 9, 9, 9};
    EXPECT_EQ(XMLValue(std::wstring(L"1, 0.5 ,0.25")).GetFloats(values, 4), 3u);
    EXPECT_FLOAT_EQ(values[0], 1.0f);
    EXPECT_FLOAT_EQ(values[1], 0.5f);
    EXPECT_FLOAT_EQ(values[2], 0.25f);
    EXPECT_FLOAT_EQ(values[3], 9.0f);

    float one = 0;
    XMLValue(std::string("1e3;7")).GetFloats(&one, 1);
    EXPECT_FLOAT_EQ(one, 1000.0f);

    Halvard::i32 ints[3] = {};
    EXPECT_EQ(XMLValue(std::string("4;-5 x 6")).GetInts(ints, 2), 2u);
    EXPECT_EQ(ints[0], 4);
    EXPECT_EQ(ints[1], -5);
}

TEST(XMLValue, VectorsFillMissingComponentsWithZero)
{
    const Halvard::Vector4 colour = XMLValue(std::wstring(L"1 0.5")).GetVector4();
    EXPECT_FLOAT_EQ(colour.x, 1.0f);
    EXPECT_FLOAT_EQ(colour.y, 0.5f);
    EXPECT_FLOAT_EQ(colour.z, 0.0f);
    EXPECT_FLOAT_EQ(colour.w, 0.0f);
    const Halvard::Vector2 size = XMLValue(std::string("3,4,5")).GetVector2();
    EXPECT_FLOAT_EQ(size.x, 3.0f);
    EXPECT_FLOAT_EQ(size.y, 4.0f);
    EXPECT_EQ(XMLValue(std::string("7")).GetIntPair(), (std::pair<Halvard::i32, Halvard::i32>{7, 0}));
}

} // namespace
