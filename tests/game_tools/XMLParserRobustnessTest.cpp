#include "game_tools/XMLParser.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "game_tools/XMLNode.h"
#include "tests/support/Watchdog.h"

#include <chrono>
#include <memory>

#include <random>

namespace {

using namespace GameTools;

const std::wstring kDocument = L"<?xml version=\"1.0\"?>\r\n"
                               L"<resources>\r\n"
                               L"  <!-- it's a comment -->\r\n"
                               L"  <model name=\"ball\" file='models\\ball.mlf' scale=\"1, 1\"/>\r\n"
                               L"  <text id=\"1\">Hello\r\nthere</text>\r\n"
                               L"  <group><item x='1'/><item x=\"2\"></item></group>\r\n"
                               L"</resources>\r\n";

// Parses into nothing and into a holder; either may fail, neither may crash
// or leak (the sanitizer build checks both).
void ParseBothWays(const std::wstring& text)
{
    // Text parses need no file manager.
    XMLParser parser(static_cast<Halvard::FileManager*>(nullptr));
    XMLNode* root = nullptr;
    try {
        parser.ParseText(root, text);
    } catch (const Halvard::FileError&) {
        EXPECT_EQ(root, nullptr);
    }
    delete root;

    XMLNode holder;
    holder.CreateChild();
    XMLNode* held = &holder;
    try {
        parser.ParseText(held, text);
    } catch (const Halvard::FileError&) {
        EXPECT_EQ(holder.GetChildCount(), 1u);
    }
    EXPECT_EQ(held, &holder);
}

TEST(XMLParserRobustness, EveryTruncationOfADocumentIsHandled)
{
    for (size_t length = 0; length <= kDocument.size(); ++length)
        ParseBothWays(kDocument.substr(0, length));
}

TEST(XMLParserRobustness, RandomTextIsHandled)
{
    const std::wstring alphabet = L"<>/=?!-\"' \r\nabx1&[]\x00E9\x0416";
    std::mt19937 random(2024);
    for (int round = 0; round < 3000; ++round) {
        std::wstring text(random() % 40, L' ');
        for (wchar_t& c : text)
            c = alphabet[random() % alphabet.size()];
        ParseBothWays(text);
    }
}

TEST(XMLParserRobustness, ScrambledDocumentsAreHandled)
{
    std::mt19937 random(99);
    for (int round = 0; round < 2000; ++round) {
        std::wstring text = kDocument;
        for (int changes = 0; changes < 3; ++changes)
            text[random() % text.size()] = L"<>/=\"' x"[random() % 8];
        ParseBothWays(text);
    }
}

std::wstring Nested(size_t depth, const std::wstring& inner)
{
    std::wstring text;
    for (size_t i = 0; i < depth; ++i)
        text += L"<a>\r\n";
    text += inner;
    for (size_t i = 0; i < depth; ++i)
        text += L"</a>";
    return text;
}

// Every reader walks its tree by recursion: a document is refused, with the
// line of the element too deep, before the tree holds it; what the bound
// allows parses whole. The deepest cases run under the watchdog, and no
// depth may exhaust the stack.
TEST(XMLParserRobustness, NestingDeeperThanTheBoundIsRefusedAtItsLine)
{
    struct Case {
        size_t depth;
        std::wstring inner;
        const char* fault;
    };
    const Case cases[] = {
        {64, L"", nullptr},
        {63, L"<b/>", nullptr},
        {64, L"<b/>", "line 65: elements nested deeper than 64"},
        {65, L"", "line 65: elements nested deeper than 64"},
        {1000, L"", "line 65: elements nested deeper than 64"},
        {30000, L"<model name=\"m\"/>", "line 65: elements nested deeper than 64"},
        {200000, L"", "line 65: elements nested deeper than 64"},
    };
    XMLParser parser(static_cast<Halvard::FileManager*>(nullptr));
    for (const Case& test : cases) {
        SCOPED_TRACE(test.depth);
        const std::wstring text = Nested(test.depth, test.inner);
        XMLNode holder;
        XMLNode* held = &holder;
        std::string fault;
        Testing::RunWithin(std::chrono::seconds(10), "nested XML", [&] {
            try {
                parser.ParseText(held, text);
            } catch (const Halvard::FileError& error) {
                fault = error.GetText();
            }
        });
        if (test.fault != nullptr) {
            EXPECT_EQ(fault, std::string("XML format error at ") + test.fault);
            EXPECT_EQ(holder.GetChildCount(), 0u);
            continue;
        }
        EXPECT_EQ(fault, "");
        size_t levels = 0;
        for (const XMLNode* node = holder.GetChild("a"); node != nullptr; node = node->GetChild("a"))
            ++levels;
        EXPECT_EQ(levels, test.depth);
    }
}

// Blanks between elements are kept until text follows; a long run of them
// must not be searched again at every tag (which took minutes for a
// document of a few megabytes).
TEST(XMLParserRobustness, LongRunsOfBlanksBetweenElementsParseInLinearTime)
{
    std::wstring text = L"<list>";
    for (int i = 0; i < 200000; ++i)
        text += L"\r\n    <item/>";
    text += L"\r\nend</list>";
    XMLParser parser(static_cast<Halvard::FileManager*>(nullptr));
    XMLNode* root = nullptr;
    Testing::RunWithin(std::chrono::seconds(10), "blank runs", [&] { parser.ParseText(root, text); });
    std::unique_ptr<XMLNode> owned(root);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetChildCount(), 200000u);
    const std::wstring value = root->GetValue().GetWideString();
    EXPECT_EQ(value.substr(value.size() - 5), L"\r\nend");
    EXPECT_EQ(value.size(), 200000u * 6 + 5);
}

} // namespace
