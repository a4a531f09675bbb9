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

#include <functional>

using Halvard::u32;
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
    const std::vector<Halvard::u8> flat(1024 * 1366 * 3, 90);
    const std::function<void(Halvard::Engine*)> makers[] = {
        [](Halvard::Engine* engine) { Tamrisk::GUILogosWindow logos(engine); },
        [](Halvard::Engine* engine) { GameData data(engine, "en"); },
        [](Halvard::Engine* engine) { Tamrisk::GUIGameCursor cursor(engine); }};
    const char* pictures[] = {"textures\\publishers\\0_logo_big.jpg", "textures\\publishers\\0_logo_small_alpha.jpg",
                              "cursors\\cursor_alpha.jpg"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(pictures[i]);
        for (const u32 rows : {1365u, 1366u}) {
            Testing::FakeEngine engine;
            for (const char* name : {"0_logo_small", "0_logo_small_alpha"})
                engine.folder.WriteFile(std::string(kPublishers) + name + ".jpg", "x");
            engine.folder.WriteFile("data\\ui\\cursors\\cursor.jpg", "x");
            const std::string picture = std::string("data\\ui\\") + pictures[i];
            engine.folder.WriteFile(picture, Tools::JpegFile(1024, rows, 3, flat));
            engine.Start();
            try {
                makers[i](&engine.Get());
                EXPECT_EQ(rows, 1365u);
            } catch (const Halvard::FileError& error) {
                EXPECT_EQ(rows, 1366u);
                EXPECT_EQ(error.GetText(), "Incorrect start picture: it takes more than 4194304 bytes once loaded in \"" +
                                               picture + "\"");
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
