#include "game/data/GameData.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gtest/gtest.h>

using Tamrisk::GameData;

namespace {

constexpr const char* kPublishers = "data\\ui\\textures\\publishers\\";

TEST(GameData, ALogoNeedsBothItsPictures)
{
    Testing::FakeEngine engine;
    engine.folder.WriteFile(std::string(kPublishers) + "0_logo_small.jpg", "x");
    engine.folder.WriteFile(std::string(kPublishers) + "1_logo_small.jpg", "x");
    engine.folder.WriteFile(std::string(kPublishers) + "1_logo_small_alpha.jpg", "x");
    engine.Start();
    const GameData data(&engine.Get(), "en");
    EXPECT_EQ(data.GetLogo(0), nullptr);
    ASSERT_NE(data.GetLogo(1), nullptr);
    EXPECT_EQ(data.GetLogo(1)->GetStage(0).diffuseName, "ui\\textures\\publishers\\1_logo_small.jpg");
    EXPECT_EQ(data.GetLogo(1)->GetStage(0).opacityName, "ui\\textures\\publishers\\1_logo_small_alpha.jpg");
}

TEST(GameData, TheTextLayerHangsFromTheRootWindowOnceTheLoadIsFinished)
{
    Testing::FakeEngine engine;
    engine.Start();
    const Halvard::GUIManager& gui = *engine->GetGUIManager();
    const Halvard::u32 before = gui.GetWindows().GetCount();
    {
        GameData data(&engine.Get(), "en");
        data.Load();
        EXPECT_EQ(data.GetRootWindow(), nullptr);
        data.FinishLoading();
        data.FinishLoading();
        ASSERT_NE(data.GetTextLayerWindow(), nullptr);
        EXPECT_EQ(gui.GetWindows().GetCount(), before + 2);
        EXPECT_EQ(data.GetRootWindow()->GetParent(), nullptr);
        EXPECT_EQ(data.GetTextLayerWindow()->GetParent(), data.GetRootWindow());
        EXPECT_EQ(data.GetTextLayerWindow()->GetLayer(), 100);
    }
    EXPECT_EQ(gui.GetWindows().GetCount(), before);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

} // namespace
