#include "game/windows/parts/GUIBackground.h"

#include "engine/gui/GUIWindow.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tests/support/BackgroundFiles.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(GUIBackground, ReadsTheGamesDescriptionBuildsItsBasicLayersAndRaisesTheUpperWindow)
{
    Testing::FakeEngine engine;
    Testing::BackgroundFiles::Write(engine.folder);
    engine.folder.WriteFile(Tamrisk::GUIBackground::kDescriptionPath,
                            "<background resources_prefix=\"bg\">\n"
                            "  <model name=\"quad\"/>\n"
                            "  <particles name=\"dots\" additional=\"1\"/>\n"
                            "  <model name=\"quad\" animator_model=\"path\"/>\n"
                            "</background>\n");
    engine.Start();
    GameTools::DataKeeper resources(&engine.Get(), "en", false);
    resources.AddResourcesFile(Testing::BackgroundFiles::kList, true);

    Tamrisk::GUIBackground background(&engine.Get(), &resources);
    EXPECT_EQ(background.GetFrame()->GetParent(), nullptr);
    EXPECT_EQ(background.GetUpperWindow()->GetLayer(), 26);
    ASSERT_EQ(background.GetLayers().size(), 2u);
    EXPECT_EQ(background.GetLayers()[0]->GetWindow()->GetLayer(), 1);
    EXPECT_EQ(background.GetLayers()[1]->GetWindow()->GetLayer(), 3);
    EXPECT_FALSE(background.IsVisible());
    background.LoadAdditionalLayers();
    ASSERT_EQ(background.GetLayers().size(), 3u);
    EXPECT_EQ(background.GetLayers()[2]->GetWindow()->GetLayer(), 2);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

} // namespace
