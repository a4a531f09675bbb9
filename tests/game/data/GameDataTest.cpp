#include "game/data/GameData.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/core/Error.h"
#include "engine/render/ShaderUser.h"
#include "game/windows/menus/GUILogosWindow.h"
#include "game/windows/parts/GUIGameCursor.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"
#include "tools/ImageWriter.h"

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

// Counted from its header before any is decoded: 4 MiB at most (1024 x 1365
// pixels of 24 bits, not 1366), whichever maker shows it.
TEST(GameData, AStartPictureTakingMoreThan4MiBIsRefusedNamingIt)
{
    const auto make = [](Halvard::Engine* engine, const std::string& picture) {
        if (picture.find("cursor") != std::string::npos)
            Tamrisk::GUIGameCursor cursor(engine);
        else if (picture.find("big") != std::string::npos)
            Tamrisk::GUILogosWindow logos(engine);
        else
            GameData data(engine, "en");
    };
    const std::string jpeg = Tools::JpegFile(8, 8, 1, std::vector<Halvard::u8>(64, 9));
    const std::vector<Halvard::u8> flat(1024 * 1366 * 3, 90);
    for (const std::string picture :
         {"ui\\textures\\publishers\\0_logo_big.jpg", "ui\\textures\\publishers\\1_logo_small.jpg",
          "ui\\textures\\publishers\\1_logo_small_alpha.jpg", "ui\\cursors\\cursor.jpg",
          "ui\\cursors\\cursor_alpha.jpg"}) {
        SCOPED_TRACE(picture);
        for (const bool over : {false, true}) {
            Testing::FakeEngine engine;
            for (const char* name : {"0_logo_big", "1_logo_small", "1_logo_small_alpha"})
                engine.folder.WriteFile(std::string(kPublishers) + name + ".jpg", jpeg);
            engine.folder.WriteFile("data\\ui\\cursors\\cursor.jpg", jpeg);
            engine.folder.WriteFile("data\\ui\\cursors\\cursor_alpha.jpg", jpeg);
            engine.folder.WriteFile("data\\" + picture, Tools::JpegFile(1024, over ? 1366 : 1365, 3, flat));
            engine.Start();
            try {
                make(&engine.Get(), picture);
                EXPECT_FALSE(over);
            } catch (const Halvard::FileError& error) {
                EXPECT_TRUE(over);
                EXPECT_EQ(error.GetText(), "Incorrect start picture: it takes more than 4194304 bytes once loaded in "
                                           "\"data\\" + picture + "\"");
            }
        }
    }
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
