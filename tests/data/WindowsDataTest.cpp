#include "engine/core/FileManager.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using GameTools::XMLNode;

const std::set<std::string> kControlTypes = {"window",     "button", "check_box", "edit_box",
                                             "slider",     "scroll", "text_label"};
const char* const kResourceLists[] = {"data\\ui\\resources_basic.xml", "data\\ui\\resources_additional.xml"};

// The shipped window descriptions on the built data folder, through a real
// engine off screen, in each shipped language.
class WindowsData : public ::testing::TestWithParam<const char*> {
protected:
    WindowsData() : engine({.installFolder = Testing::GameFolderInternal()})
    {
        keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), GetParam(), false);
        for (const char* list : kResourceLists) {
            if (engine->GetFileManager()->FileExists(list))
                keeper->AddResourcesFile(list, true);
        }
        tools = std::make_unique<GUITools::GUIToolManager>(&engine.Get(), GetParam());
    }

    ~WindowsData() override
    {
        tools.reset();
        keeper.reset();
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::TestEngine engine;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUITools::GUIToolManager> tools;
};

TEST_P(WindowsData, TheSharedMenuFaderIsTimed)
{
    const XMLNode* menu = GameTools::SelectXMLNode(tools->GetDescriptionSet(), "/faders/fader[name='menu']");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->GetAttribute("type"), nullptr);
    EXPECT_EQ(menu->GetAttribute("type")->GetString(), "timed");
    EXPECT_GT(menu->GetAttribute("show_speed")->GetFloat(), 0.0f);
    EXPECT_GT(menu->GetAttribute("hide_speed")->GetFloat(), 0.0f);
    EXPECT_TRUE(Errors().empty());
}

TEST_P(WindowsData, EveryShippedWindowBuildsWithoutAnErrorLine)
{
    std::vector<XMLNode*> roots;
    tools->GetDescriptionSet()->GetChildren(roots);
    for (const XMLNode* root : roots) {
        const GameTools::XMLValue* name = root->GetAttribute("name");
        // Windows are the named controls whose names begin "window_"; the
        // other roots are templates and faders.
        if (kControlTypes.count(root->GetName()) == 0 || name == nullptr || name->GetString().rfind("window_", 0) != 0)
            continue;
        GUITools::GUIWindowBase window(&engine.Get(), keeper.get(), tools.get(), nullptr, name->GetString());
        EXPECT_FALSE(window.GetControls().empty()) << name->GetString();
    }
    EXPECT_TRUE(Errors().empty()) << Errors().front();
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowsData, ::testing::Values("en", "ru"));

} // namespace
