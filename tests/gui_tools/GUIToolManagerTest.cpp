#include "gui_tools/GUIToolManager.h"

#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/LogProbe.h"
#include "tools/PackWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using GameTools::XMLNode;
using GUITools::GUIToolManager;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class GUIToolManagerTest : public testing::Test {
protected:
    GUIToolManagerTest()
    {
        Testing::WriteGUIToolFiles(engine.folder,
                                   {.basicFonts = Testing::EvenFontElement(engine.folder, "common_0", "size=\"20\""),
                                    .texts = "<game_title><ru text=\"Тамриск\"/></game_title>"});
    }

    void Description(const std::string& name, const std::string& text)
    {
        engine.folder.WriteFile("data\\ui\\windows\\" + name, text);
    }

    std::vector<std::string> RootNames(const GUIToolManager& tools) const
    {
        std::vector<std::string> names;
        for (const XMLNode* root : tools.GetDescriptionRoots())
            names.push_back(root->GetName() + ":" + root->GetAttribute("name")->GetString());
        return names;
    }

    Testing::FakeEngine engine;
};

TEST_F(GUIToolManagerTest, TheDescriptionSetHoldsEveryParsedRootInListingOrder)
{
    Description("window_b.xml", "<window name=\"b\"><button name=\"ok\"/></window>");
    Description("Window_A.XML", "<text_label name=\"a\"/>");
    Description("notes.txt", "<window name=\"not a description\"/>");
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "ru");
    EXPECT_EQ(tools.GetLanguage(), "ru");
    EXPECT_THAT(tools.GetDescriptionFileNames(), ElementsAre("window_a.xml", "window_b.xml"));
    EXPECT_THAT(RootNames(tools), ElementsAre("text_label:a", "window:b"));

    XMLNode* set = tools.GetDescriptionSet();
    EXPECT_EQ(set->GetName(), "");
    EXPECT_EQ(set->GetAttributeCount(), 0u);
    EXPECT_EQ(set->GetChildCount(), 2u);
    EXPECT_NE(GameTools::SelectXMLNode(set, "/[name=\"b\"]/[name=\"ok\"]"), nullptr);
    EXPECT_EQ(tools.GetTextTool()->GetText("game_title"), L"Тамриск");
    EXPECT_EQ(tools.GetFontTool()->GetFontIndex("common_0"), 0);
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), IsEmpty());
}

TEST_F(GUIToolManagerTest, ADescriptionThatFailsToParseIsLoggedAndLeftOut)
{
    Description("a.xml", "<window name=\"a\"");
    Description("b.xml", "<window name=\"b\"/>");
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "en");
    EXPECT_THAT(tools.GetDescriptionFileNames(), ElementsAre("b.xml"));
    EXPECT_EQ(tools.GetDescriptionSet()->GetChildCount(), 1u);
    const std::vector<std::string> errors = Testing::LogProbe(*engine->GetMessageManager()).ErrorLines();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], HasSubstr("XML format error at line"));
}

// A broken description is named in its error line, and a window that only
// it described is looked for there; a window that no file describes is
// looked for in the folder of the descriptions.
TEST_F(GUIToolManagerTest, ABrokenDescriptionIsNamedAsThePlaceOfItsWindow)
{
    Description("window_main_menu.xml", "<window name=\"window_main_menu\">\r\n<button name=\"b\"></window>");
    Description("window_options.xml", "<window name=\"window_options\"/>");
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "en");
    const std::vector<std::string> errors = Testing::LogProbe(*engine->GetMessageManager()).ErrorLines();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], HasSubstr("XML format error at line 2: code 2 in \""));
    EXPECT_THAT(errors[0], HasSubstr("window_main_menu.xml\""));
    const std::string place = tools.GetDescriptionPlace("window_main_menu");
    EXPECT_EQ(Halvard::ToLower(place.substr(place.size() - 36)), "data\\ui\\windows\\window_main_menu.xml");
    EXPECT_THAT(errors[0], HasSubstr("\"" + place + "\""));
    EXPECT_EQ(tools.GetDescriptionPlace("window_credits"), "data\\ui\\windows");
    EXPECT_EQ(tools.GetDescriptionPlace("window_options"), "data\\ui\\windows");
}

TEST_F(GUIToolManagerTest, TwoDescriptionsWithOneNameAreBothKeptAndTheFirstIsFound)
{
    Description("one.xml", "<window name=\"same\" position=\"1 1\"/>");
    Description("two.xml", "<window name=\"same\" position=\"2 2\"/>");
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "en");
    EXPECT_EQ(tools.GetDescriptionSet()->GetChildCount(), 2u);
    const XMLNode* found = GameTools::SelectXMLNode(tools.GetDescriptionSet(), "/[name=\"same\"]");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetAttribute("position")->GetString(), "1 1");
}

TEST_F(GUIToolManagerTest, DescriptionsInAPackJoinTheLooseOnes)
{
    const std::string packed = "<window name=\"packed\"/>";
    const std::vector<std::uint8_t> pack =
        Tools::BuildPack({{"data\\ui\\windows\\b_packed.xml", std::vector<std::uint8_t>(packed.begin(), packed.end())}});
    engine.folder.WriteFile("data\\pack0.pak", std::string(pack.begin(), pack.end()));
    Description("a_loose.xml", "<window name=\"loose\"/>");
    Description("c_loose.xml", "<window name=\"last\"/>");
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "en");
    // The file manager lists the loose files by their full paths before
    // the packs' relative names.
    EXPECT_THAT(tools.GetDescriptionFileNames(), ElementsAre("a_loose.xml", "c_loose.xml", "b_packed.xml"));
    EXPECT_THAT(RootNames(tools), ElementsAre("window:loose", "window:last", "window:packed"));
}

TEST_F(GUIToolManagerTest, WithoutADescriptionFolderTheSetIsEmpty)
{
    engine.Start();
    const GUIToolManager tools(&engine.Get(), "en");
    EXPECT_EQ(tools.GetDescriptionSet()->GetChildCount(), 0u);
    EXPECT_TRUE(tools.GetDescriptionRoots().empty());
}

} // namespace
