#include "game_tools/XMLParser.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "game_tools/XMLNode.h"

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

TEST(XMLParserRobustness, DeeplyNestedDocumentsParseAndAreDestroyedWhole)
{
    const size_t depth = 200000;
    std::wstring text;
    for (size_t i = 0; i < depth; ++i)
        text += L"<a>";
    XMLParser parser(static_cast<Halvard::FileManager*>(nullptr));
    XMLNode* root = nullptr;
    parser.ParseText(root, text);
    size_t levels = 0;
    for (XMLNode* node = root; node != nullptr; node = node->GetChild("a"))
        ++levels;
    EXPECT_EQ(levels, depth);
    delete root;

    XMLNode holder;
    XMLNode* held = &holder;
    EXPECT_THROW(parser.ParseText(held, text + L"<b x=1/>"), Halvard::FileError);
    EXPECT_EQ(holder.GetChildCount(), 0u);
}

} // namespace
