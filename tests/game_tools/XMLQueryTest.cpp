#include "game_tools/XMLQuery.h"

#include <gtest/gtest.h>

#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"

namespace {

using namespace GameTools;

class XMLQueryTest : public testing::Test {
protected:
    void SetUp() override
    {
        XMLNode* root = &holder;
        XMLParser parser(static_cast<Halvard::FileManager*>(nullptr));
        parser.ParseText(root, L"<r>"
                               L"<b name='y'/>"
                               L"<b name='x' kind=\"k\"><c id='1'/><c id='2'/></b>"
                               L"<b name='x'><c id='3'/></b>"
                               L"<faders><fader name='a/b' id='4'/><fader name='main' id='5'/></faders>"
                               L"</r>");
    }

    std::vector<std::string> IdsAt(const std::string& path)
    {
        std::vector<XMLValue*> values;
        SelectXMLValues(&holder, path, "id", values);
        std::vector<std::string> ids;
        for (XMLValue* value : values)
            ids.push_back(value->GetString());
        return ids;
    }

    XMLNode holder;
};

using Ids = std::vector<std::string>;

TEST_F(XMLQueryTest, PathsDescendByNameInDocumentOrder)
{
    EXPECT_EQ(IdsAt("r/b/c"), (Ids{"1", "2", "3"}));
    XMLNode* first = SelectXMLNode(&holder, "r/b/c");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetAttribute("id")->GetString(), "1");
    EXPECT_EQ(SelectXMLNode(&holder, "r/missing"), nullptr);
    EXPECT_EQ(SelectXMLNode(nullptr, "r"), nullptr);
    EXPECT_EQ(SelectXMLNode(&holder, ""), &holder);
}

TEST_F(XMLQueryTest, ConditionsRestrictTheCandidates)
{
    EXPECT_EQ(IdsAt("r/b[name='x']/c"), (Ids{"1", "2", "3"}));
    EXPECT_EQ(IdsAt("r/b[name='x', kind=\"k\"]/c"), (Ids{"1", "2"}));
    EXPECT_EQ(IdsAt("r/b[ name = 'x' ; kind='k' ]/c"), (Ids{"1", "2"}));
    EXPECT_EQ(IdsAt("r/b[name='y']/c"), Ids{});
    EXPECT_EQ(IdsAt("r/faders/fader[name='main']"), (Ids{"5"}));
    EXPECT_EQ(IdsAt("r/faders/[id='4']"), (Ids{"4"}));
}

TEST_F(XMLQueryTest, EmptySegmentsSkipNothing)
{
    EXPECT_EQ(IdsAt("/r//b/c"), (Ids{"1", "2", "3"}));
}

TEST_F(XMLQueryTest, MalformedPathsMatchNothing)
{
    EXPECT_EQ(IdsAt("r/faders/fader[name='a/b']"), Ids{});
    EXPECT_EQ(IdsAt("r/b]/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b][name='x'/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[name='x'/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[='x']/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[name,kind='k']/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[name=x]/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[name='x]/c"), Ids{});
    EXPECT_EQ(IdsAt("r/b[name]/c"), Ids{});
}

TEST_F(XMLQueryTest, ValuesComeOnlyFromNodesThatHaveTheAttribute)
{
    EXPECT_EQ(SelectXMLValue(&holder, "r/b", "kind")->GetString(), "k");
    EXPECT_EQ(SelectXMLValue(&holder, "r/b", "none"), nullptr);
}

} // namespace
