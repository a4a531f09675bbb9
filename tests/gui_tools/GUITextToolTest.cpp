#include "gui_tools/GUITextTool.h"

#include "engine/core/Error.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using GUITools::GUITextTool;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char* const kTexts = "<game_title><en text=\"Tamrisk\"/><ru text=\"Тамриск\"/></game_title>"
                           "<start_game><title_select_level><en text=\"Select a level\"/></title_select_level>"
                           "</start_game>"
                           "<shared><en text=\"from the game\"/></shared>"
                           "<no_text><en/></no_text>";
const char* const kDefaults = "<shared><en text=\"from the framework\"/></shared>"
                              "<loading><en text=\"Loading...\"/><ru text=\"Загрузка...\"/></loading>"
                              "<no_text><en text=\"found below\"/></no_text>";

class GUITextToolTest : public testing::Test {
protected:
    GUITextToolTest()
    {
        Testing::WriteGUIToolFiles(engine.folder, {.texts = kTexts, .defaultTexts = kDefaults});
        engine.Start();
    }

    Testing::FakeEngine engine;
};

TEST_F(GUITextToolTest, KeysFindTheirTextInTheLanguageTheGamesFileFirst)
{
    struct Case {
        const char* language;
        const char* key;
        const wchar_t* text;
    };
    for (const Case& c : {
             Case{"en", "game_title", L"Tamrisk"},
             Case{"ru", "game_title", L"Тамриск"},
             Case{"ge", "game_title", L"UNKNOWN"},
             Case{"en", "start_game/title_select_level", L"Select a level"},
             Case{"ru", "start_game/title_select_level", L"UNKNOWN"},
             Case{"en", "start_game", L"UNKNOWN"},
             Case{"en", "shared", L"from the game"},
             Case{"en", "loading", L"Loading..."},
             Case{"ru", "loading", L"Загрузка..."},
             // The first element has no text: the lookup stays in that file.
             Case{"en", "no_text", L"found below"},
             Case{"en", "nothing/here", L"UNKNOWN"},
             Case{"en", "", L"UNKNOWN"},
         }) {
        SCOPED_TRACE(std::string(c.language) + " " + c.key);
        const GUITextTool tool(&engine.Get(), c.language);
        EXPECT_EQ(tool.GetText(c.key), c.text);
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), IsEmpty());
}

TEST(GUITextToolFiles, AFileWithAnotherRootIsLoggedAndGivesNoTexts)
{
    Testing::FakeEngine engine;
    Testing::WriteGUIToolFiles(engine.folder, {.defaultTexts = kDefaults});
    Testing::WriteUtf8File(engine.folder, "data\\ui\\texts\\texts.xml", "<strings><loading><en text=\"x\"/></loading></strings>");
    engine.Start();
    const GUITextTool tool(&engine.Get(), "en");
    EXPECT_EQ(tool.GetText("loading"), L"Loading...");
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(),
                ElementsAre("Error: Incorrect \"text file\" format!"));
}

// The parser's error names the file, so that a cut texts file says which;
// so does the refusal of a text longer than any control lays out in time.
// The bound counts characters, not their bytes.
TEST(GUITextToolFiles, AMissingOrBrokenTextFileThrowsTheParsersError)
{
    std::string longest;
    for (std::size_t i = 0; i < GUITextTool::kMostTextLength; ++i)
        longest += "я";
    const std::pair<std::string, std::string> cases[] = {
        {"<texts><a><ru text=\"" + longest + "\"/></a><b><c><en text=\"x" + longest + "\"/></c></b></texts>",
         "Incorrect \"text\" of \"b/c/en\" in \"data\\ui\\texts\\default_texts.xml\": longer than 1000 characters"},
        {"", "Failed to open"},
        {"<texts><a></texts>", "XML format error at line 1: code 2 in \"data\\ui\\texts\\default_texts.xml\""},
        {"<texts>\r\n<a><en text=\"x\"/></a>\r\n<b><en te",
         "XML format error at line 3: code 14 in \"data\\ui\\texts\\default_texts.xml\""},
    };
    for (const auto& [broken, error] : cases) {
        SCOPED_TRACE(broken);
        Testing::FakeEngine engine;
        Testing::WriteGUIToolFiles(engine.folder, {});
        if (broken.empty())
            std::filesystem::remove(engine.folder.Native("data\\ui\\texts\\default_texts.xml"));
        else
            Testing::WriteUtf8File(engine.folder, "data\\ui\\texts\\default_texts.xml", broken);
        engine.Start();
        try {
            GUITextTool tool(&engine.Get(), "en");
            ADD_FAILURE() << "the texts were read";
        } catch (const Halvard::FileError& thrown) {
            EXPECT_THAT(thrown.GetText(), ::testing::StartsWith(error));
            EXPECT_THAT(thrown.GetText(), ::testing::HasSubstr("default_texts.xml\""));
        }
    }
}

} // namespace
