#include "tools/data_builder/DataSet.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using Tools::DataSet;

// The message of the refusal, or "" when the set took the file.
std::string Refusal(DataSet& set, const std::string& path, DataSet::Origin origin = DataSet::Origin::Generated)
{
    try {
        set.Add(path, "x", origin);
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

struct BadPath {
    std::string path;
    std::string why;
};

TEST(DataSet, RefusesBadPathsNamingThem)
{
    const BadPath cases[] = {
        {"data\\ui\\Menu.xml", "upper-case"},
        {"data\\ui\\main menu.xml", "blank"},
        {"data\\ui\\tab\tx.xml", "blank"},
        {"data/ui/menu.xml", "separator"},
        {"data\\ui\\\\menu.xml", "empty component"},
        {"data\\ui\\", "empty component"},
        {"\\data\\ui.xml", "empty component"},
        {"", "1 to 254 bytes"},
        {"data\\" + std::string(250, 'a'), "1 to 254 bytes"},
        {"ui\\menu.xml", "below \"data\\\""},
        {"database\\menu.xml", "below \"data\\\""},
        {"data\\..\\halvard.ini", "\"..\" component"},
        {"data\\.\\menu.xml", "\"..\" component"},
    };
    for (const BadPath& bad : cases) {
        SCOPED_TRACE(bad.path);
        DataSet set;
        const std::string message = Refusal(set, bad.path);
        EXPECT_NE(message.find("\"" + bad.path + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(bad.why), std::string::npos) << message;
        EXPECT_TRUE(set.GetFiles().empty());
    }
    DataSet set;
    EXPECT_EQ(Refusal(set, "data\\" + std::string(249, 'a')), "");
}

TEST(DataSet, RefusesASecondFileOfOnePathAndKeepsTheFirst)
{
    DataSet set;
    set.Add("data\\a.xml", "first", DataSet::Origin::HandWritten);
    set.Add("data\\b.wav", "first");
    EXPECT_NE(Refusal(set, "data\\a.xml").find("a generator would write over the hand-written file"), std::string::npos);
    EXPECT_NE(Refusal(set, "data\\a.xml", DataSet::Origin::HandWritten).find("a second file"), std::string::npos);
    EXPECT_NE(Refusal(set, "data\\b.wav").find("a second file"), std::string::npos);
    EXPECT_EQ(set.Get("data\\a.xml"), std::vector<std::uint8_t>({'f', 'i', 'r', 's', 't'}));
    EXPECT_EQ(set.GetFiles().size(), 2u);
}

// On disk "data\a" cannot be a file and the folder of "data\a\b" at once.
TEST(DataSet, RefusesAPathThatIsAFileAndAFolder)
{
    DataSet set;
    set.Add("data\\ui\\fonts", "file");
    set.Add("data\\audio\\menu\\click.wav", "wav");
    EXPECT_NE(Refusal(set, "data\\ui\\fonts\\en\\a.fnt").find("its folder data\\ui\\fonts is a file"), std::string::npos);
    EXPECT_NE(Refusal(set, "data\\audio\\menu").find("the folder of data\\audio\\menu\\click.wav"), std::string::npos);
    // A name that only begins with another's is no clash.
    EXPECT_EQ(Refusal(set, "data\\ui\\fonts.xml"), "");
    EXPECT_EQ(Refusal(set, "data\\audio\\men"), "");
}

TEST(DataSet, GetOfAMissingPathNamesIt)
{
    const DataSet set;
    EXPECT_THROW(
        {
            try {
                set.Get("data\\none.xml");
            } catch (const std::runtime_error& error) {
                EXPECT_NE(std::string(error.what()).find("data\\none.xml"), std::string::npos);
                throw;
            }
        },
        std::runtime_error);
}

} // namespace
