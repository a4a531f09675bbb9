#include "game_tools/XMLParser.h"

#include <gtest/gtest.h>

#include "engine/core/CodePage.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEngine.h"

namespace {

using namespace GameTools;
using Halvard::FileError;

class XMLParserTest : public testing::Test {
protected:
    // The parsed root, owned by the fixture.
    XMLNode* Parse(const std::wstring& text)
    {
        XMLNode* root = nullptr;
        parser.ParseText(root, text);
        parsed.reset(root);
        return root;
    }

    // The message of the fault, or "no fault"; root stays as the parse left it.
    std::string Fault(const std::wstring& text, XMLNode*& root)
    {
        try {
            parser.ParseText(root, text);
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "no fault";
    }

    std::string Fault(const std::wstring& text)
    {
        XMLNode* root = nullptr;
        const std::string fault = Fault(text, root);
        delete root;
        return fault;
    }

    Testing::TempFolder program;
    Testing::ScopedProgramFolder programFolder{program.Path()};
    Testing::QuietLog messages;
    Halvard::FileManager files{&messages, program.Internal(), ""};
    XMLParser parser{&files};
    std::unique_ptr<XMLNode> parsed;
};

TEST_F(XMLParserTest, ReadsAttributesInEitherQuote)
{
    XMLNode* root = Parse(L"<a x=\"1\" y='2'/>");
    EXPECT_EQ(root->GetName(), "a");
    EXPECT_EQ(root->GetChildCount(), 0u);
    EXPECT_EQ(root->GetAttribute("x")->GetWideString(), L"1");
    EXPECT_EQ(root->GetAttribute("y")->GetInt(), 2);
    EXPECT_EQ(root->GetAttribute("x")->GetType(), XMLValue::kWide);
}

TEST_F(XMLParserTest, AcceptsBlanksAroundEqualsAndBeforeTheEnd)
{
    XMLNode* root = Parse(L"<a x = \"1\" >\r\n</a >");
    EXPECT_EQ(root->GetAttribute("x")->GetString(), "1");
    EXPECT_EQ(Parse(L"<a v=\"it's > 'x'\" w='say \"hi\"'/>")->GetAttribute("v")->GetString(), "it's > 'x'");
    EXPECT_EQ(parsed->GetAttribute("w")->GetString(), "say \"hi\"");
    EXPECT_EQ(Parse(L"<a v=\"&amp;\"/>")->GetAttribute("v")->GetString(), "&amp;");
}

TEST_F(XMLParserTest, CommentsNeedABlankAfterTheirDashes)
{
    XMLNode* root = Parse(L"<a><!-- note --><b/></a>");
    ASSERT_EQ(root->GetChildCount(), 1u);
    EXPECT_NE(root->GetChild("b"), nullptr);
    EXPECT_NE(Parse(L"<a><!--note--></!--note--></a>")->GetChild("!--note--"), nullptr);
}

TEST_F(XMLParserTest, QuotesAreHonouredInsideComments)
{
    XMLNode* root = Parse(L"<a><!-- it's --><b/><!-- ' --></a>");
    EXPECT_EQ(root->GetChildCount(), 0u);
}

TEST_F(XMLParserTest, DeclarationsAreSkippedBeforeTheRootOnly)
{
    EXPECT_EQ(Parse(L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<a/>")->GetName(), "a");
    EXPECT_EQ(Fault(L"<a/>\r\n<?xml version=\"1.0\"?>"), "XML format error at line 2: code 12");
}

TEST_F(XMLParserTest, TheLastTextRunIsTheValueAndLineBreaksStay)
{
    EXPECT_EQ(Parse(L"<a>hello<b/>world</a>")->GetValue().GetWideString(), L"world");
    EXPECT_EQ(Parse(L"<a>one\r\ntwo</a>")->GetValue().GetWideString(), L"one\r\ntwo");
    EXPECT_EQ(Parse(L"<a>\r\n  <b/>\r\n</a>")->GetValue().GetWideString(), L"");
}

TEST_F(XMLParserTest, AnElementLeftOpenAtTheEndIsAccepted)
{
    EXPECT_EQ(Parse(L"<a>")->GetName(), "a");
}

TEST_F(XMLParserTest, EveryFaultHasItsCodeAndLine)
{
    Halvard::SetCodePage(1252);
    const std::vector<std::pair<std::wstring, std::string>> faults = {
        {L"</a>", "line 1: code 0"},
        {L"<a><></a>", "line 1: code 1"},
        {L"<a>\r\n\r\n</b>", "line 3: code 2"},
        {L"<a =\"1\"/>", "line 1: code 4"},
        {L"<a / x=\"1\">", "line 1: code 5"},
        {L"<a x/>", "line 1: code 6"},
        {L"<a x=\"1\" x=\"2\"/>", "line 1: code 7"},
        {L"<a x=1/>", "line 1: code 8"},
        {L"<\x0416 x='1'/>", "line 1: code 9"},
        {L"<a x>", "line 1: code 10"},
        {L"<a x=>", "line 1: code 11"},
        {L"<a/>\n<b/>", "line 2: code 12"},
        {L"text<a/>", "line 1: code 13"},
        {L"<a>\n<b", "line 2: code 14"},
        {L"<a></", "line 1: code 14"},
        {L" \r\n\t", "line 2: code 15"},
    };
    for (const auto& [text, fault] : faults)
        EXPECT_EQ(Fault(text), "XML format error at " + fault) << Halvard::ToString(text);
}

TEST_F(XMLParserTest, AFaultDestroysARootMadeByTheParse)
{
    XMLNode* root = nullptr;
    EXPECT_NE(Fault(L"<a><b><c x=\"1\" x=\"2\"/></b></a>", root), "no fault");
    EXPECT_EQ(root, nullptr);
}

TEST_F(XMLParserTest, AFaultKeepsTheHolderAndWhatEarlierParsesAddedToIt)
{
    auto holder = std::make_unique<XMLNode>();
    XMLNode* root = holder.get();
    parser.ParseText(root, L"<first/>");
    EXPECT_EQ(Fault(L"<second><c/></second><third x=1/>", root), "XML format error at line 1: code 8");
    EXPECT_EQ(root, holder.get());
    ASSERT_EQ(holder->GetChildCount(), 1u);
    EXPECT_NE(holder->GetChild("first"), nullptr);
    EXPECT_EQ(Fault(L"</first>", root), "XML format error at line 1: code 0");
    EXPECT_EQ(holder->GetChildCount(), 1u);
}

TEST_F(XMLParserTest, FilesMergeIntoOneHolder)
{
    program.WriteFile("Data\\UI\\one.xml", "\xEF\xBB\xBF<window name=\"menu\"/>");
    program.WriteFile("Data\\UI\\two.xml", "<?xml version=\"1.0\"?>\r\n<window name=\"options\"/>\r\n<extra/>");
    XMLNode holder;
    parser.ParseInto(&holder, "data\\ui\\one.xml");
    parser.ParseInto(&holder, "Data\\UI\\two.xml");
    std::vector<XMLNode*> windows;
    holder.GetChildrenByName("window", windows);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->GetAttribute("name")->GetString(), "options");
    EXPECT_NE(holder.GetChild("extra"), nullptr);
}

TEST_F(XMLParserTest, FileErrorsPassUnchanged)
{
    XMLNode holder;
    try {
        parser.ParseInto(&holder, "missing.xml");
        FAIL() << "a missing file must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + program.Internal() + "\\missing.xml\" file");
    }
}

// The parser's own text stays, and the file is named as the reader gave it:
// a cut or broken description says where it is.
TEST_F(XMLParserTest, AFormatFaultOfAFileNamesTheFile)
{
    struct Case {
        const char* path;
        std::string text;
        std::string fault;
    };
    std::string deep;
    for (int i = 0; i < 100; ++i)
        deep += "<a>";
    const Case cases[] = {
        {"data\\ui\\texts\\texts.xml", "<texts>\r\n<key><en text=\"a\"/></key>\r\n<key><en te",
         "XML format error at line 3: code 14 in \"data\\ui\\texts\\texts.xml\""},
        {"data\\ui\\windows\\window_main_menu.xml", "<window name=\"window_main_menu\"></windows>",
         "XML format error at line 1: code 2 in \"data\\ui\\windows\\window_main_menu.xml\""},
        {"Data\\Levels\\levels.xml", deep,
         "XML format error at line 1: elements nested deeper than 64 in \"Data\\Levels\\levels.xml\""},
    };
    for (const Case& test : cases) {
        program.WriteFile(test.path, test.text);
        XMLNode holder;
        try {
            parser.ParseInto(&holder, test.path);
            ADD_FAILURE() << test.path << " parsed";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText(), test.fault);
        }
        EXPECT_EQ(holder.GetChildCount(), 0u) << test.path;
        XMLNode* root = nullptr;
        EXPECT_THROW(parser.Parse(root, test.path), FileError) << test.path;
        EXPECT_EQ(root, nullptr) << test.path;
    }
}

TEST_F(XMLParserTest, ParsingWithoutARootOnlyChecksTheFile)
{
    program.WriteFile("bad.xml", "<a></b>");
    program.WriteFile("good.xml", "<a/>");
    EXPECT_NO_THROW(parser.ParseInto(nullptr, "good.xml"));
    EXPECT_THROW(parser.ParseInto(nullptr, "bad.xml"), FileError);
}

TEST(XMLParserOfTheEngine, ReadsThroughTheEnginesFileManager)
{
    Testing::TestEngine engine;
    engine.Folder().WriteFile("Data\\UI\\menu.xml", "<window name='menu'/>");
    XMLParser parser(&engine.Get());
    XMLNode holder;
    parser.ParseInto(&holder, "data\\ui\\menu.xml");
    EXPECT_NE(holder.GetChild("window"), nullptr);
}

} // namespace
