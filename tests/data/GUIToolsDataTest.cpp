#include "engine/core/CodePage.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIFont.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <memory>
#include <string>
#include <vector>

namespace {

using GameTools::XMLNode;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const char* const kLanguages[] = {"en", "ru"};
const char* const kFontFiles[] = {"data\\ui\\fonts\\fonts_basic.xml", "data\\ui\\fonts\\fonts_additional.xml"};
const char* const kTextFiles[] = {"data\\ui\\texts\\texts.xml", "data\\ui\\texts\\default_texts.xml"};
const char* const kItems[] = {"description_file_path", "diffuse_image_path", "opacity_image_path"};

// The shipped fonts and texts on the built data folder, through a real
// engine off screen.
class GUIToolsData : public ::testing::Test {
protected:
    GUIToolsData() : engine({.installFolder = Testing::GameFolderInternal()}) {}

    // The file's root element, below a holder the fixture keeps.
    XMLNode* Root(const std::string& path, const std::string& name)
    {
        holders.push_back(std::make_unique<XMLNode>());
        GameTools::XMLParser(engine->GetFileManager()).ParseInto(holders.back().get(), path);
        EXPECT_EQ(holders.back()->GetChildCount(), 1u) << path;
        return holders.back()->GetChild(name);
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::TestEngine engine;
    std::vector<std::unique_ptr<XMLNode>> holders;
};

// Every key of a texts file: an element with language children, by path.
void CollectKeys(XMLNode& node, const std::string& path, std::vector<std::pair<std::string, XMLNode*>>& out)
{
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    if (node.GetChild("en") != nullptr || node.GetChild("ru") != nullptr || children.empty()) {
        out.emplace_back(path, &node);
        return;
    }
    for (XMLNode* child : children)
        CollectKeys(*child, path.empty() ? child->GetName() : path + "/" + child->GetName(), out);
}

TEST_F(GUIToolsData, TheFontsTheCodeNamesExistInTheirFilesInIdOrder)
{
    const std::vector<std::vector<std::string>> expected = {
        {"console", "common_0", "common_1", "common_2", "main_menu_0", "main_menu_1", "main_menu_2"}, {"tip"}};
    for (size_t file = 0; file < 2; ++file) {
        const XMLNode* fonts = Root(kFontFiles[file], "fonts");
        ASSERT_NE(fonts, nullptr) << kFontFiles[file];
        std::vector<XMLNode*> children;
        fonts->GetChildren(children);
        std::vector<std::string> names;
        for (const XMLNode* font : children)
            names.push_back(font->GetAttribute("name") != nullptr ? font->GetAttribute("name")->GetString() : "");
        EXPECT_THAT(names, ElementsAreArray(expected[file])) << kFontFiles[file];
    }
}

// Each language takes its files from its own font folder, and every file
// named is shipped.
TEST_F(GUIToolsData, EveryFontNamesItsFilesInEachLanguagesFolderAndEachExists)
{
    for (const char* path : kFontFiles) {
        std::vector<XMLNode*> fonts;
        Root(path, "fonts")->GetChildren(fonts);
        for (XMLNode* font : fonts) {
            const std::string name = font->GetAttribute("name")->GetString();
            for (const std::string language : kLanguages) {
                for (const std::string item : kItems) {
                    SCOPED_TRACE(name + " " + language + " " + item);
                    const GameTools::XMLValue* file =
                        GameTools::SelectXMLValue(font, (language == "en" ? "" : language + "/") + item, "path");
                    ASSERT_NE(file, nullptr);
                    EXPECT_EQ(file->GetString().rfind("ui\\fonts\\" + language + "\\", 0), 0u) << file->GetString();
                    EXPECT_TRUE(engine->GetFileManager()->FileExists(Halvard::MakeDataPath(file->GetString())));
                }
            }
        }
    }
}

TEST_F(GUIToolsData, EveryTextKeyHasAnEnglishAndARussianText)
{
    size_t keys = 0;
    for (const char* path : kTextFiles) {
        XMLNode* texts = Root(path, "texts");
        ASSERT_NE(texts, nullptr) << path;
        std::vector<std::pair<std::string, XMLNode*>> found;
        CollectKeys(*texts, "", found);
        for (const auto& [key, node] : found) {
            for (const std::string language : kLanguages) {
                const XMLNode* text = node->GetChild(language);
                EXPECT_TRUE(text != nullptr && text->HasAttribute("text")) << path << ": " << key << " " << language;
            }
        }
        keys += found.size();
    }
    EXPECT_GE(keys, 3u);
}

TEST_F(GUIToolsData, TheToolsLoadEveryFontAndTextInEachLanguageWithoutAnErrorLine)
{
    for (const std::string language : kLanguages) {
        SCOPED_TRACE(language);
        GUITools::GUIToolManager tools(&engine.Get(), language);
        tools.GetFontTool()->LoadAdditionalFonts();
        ASSERT_EQ(tools.GetFontTool()->GetFontNames().size(), 8u);
        EXPECT_EQ(tools.GetFontTool()->GetFontIndex("tip"), 7);
        for (const auto& [name, id] : tools.GetFontTool()->GetFontNames())
            EXPECT_GT(tools.GetFontTool()->GetFont(name)->GetGlyphCount(), 100u) << name;
        EXPECT_EQ(tools.GetTextTool()->GetText("game_title"), language == "ru" ? L"Тамриск" : L"Tamrisk");
    }
    EXPECT_THAT(Errors(), IsEmpty());
}

// The questions behind the in-game menu's buttons say, in title and text,
// what their Yes does: the restart starts the level again, the menu exit
// goes to the main menu.
TEST_F(GUIToolsData, TheInGameMenusQuestionsSayWhatYesDoes)
{
    struct Question {
        const char* key;
        const char* language;
        const wchar_t* said;
    };
    const Question questions[] = {{"game_logic_restart", "en", L"start"},
                                  {"game_logic_restart", "ru", L"заново"},
                                  {"game_logic_menu_exit", "en", L"main menu"},
                                  {"game_logic_menu_exit", "ru", L"меню"}};
    for (const Question& question : questions) {
        GUITools::GUIToolManager tools(&engine.Get(), question.language);
        for (const char* part : {"/title", "/text"}) {
            const std::wstring text = Halvard::ToLowerW(tools.GetTextTool()->GetText(std::string(question.key) + part));
            EXPECT_NE(text.find(question.said), std::wstring::npos) << question.key << part << " " << question.language;
        }
    }
}

// Russian texts are drawn from the Cyrillic glyphs of every font, and each
// of them has a byte in the code page that Russian narrow text uses.
TEST_F(GUIToolsData, EveryRussianTextMapsToCyrillicGlyphsOfEveryFont)
{
    GUITools::GUIToolManager tools(&engine.Get(), "ru");
    tools.GetFontTool()->LoadAdditionalFonts();
    Halvard::SetCodePage(1251);
    size_t cyrillic = 0;
    for (const char* path : kTextFiles) {
        std::vector<std::pair<std::string, XMLNode*>> found;
        CollectKeys(*Root(path, "texts"), "", found);
        for (const auto& [key, node] : found) {
            const std::wstring text = tools.GetTextTool()->GetText(key);
            for (const wchar_t character : text) {
                if (std::iswspace(static_cast<wint_t>(character)))
                    continue;
                cyrillic += character >= 0x400 && character <= 0x4FF ? 1 : 0;
                EXPECT_NE(Halvard::WideToCodePageByte(character), -1) << key;
                for (const auto& [name, id] : tools.GetFontTool()->GetFontNames())
                    EXPECT_TRUE(tools.GetFontTool()->GetFont(name)->HasGlyph(static_cast<Halvard::u16>(character)))
                        << key << " in " << name << ": " << static_cast<unsigned>(character);
            }
        }
    }
    EXPECT_GT(cyrillic, 10u);
    Halvard::SetCodePage(1252);
}

} // namespace
