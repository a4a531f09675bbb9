#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "game/windows/parts/GUIBackground.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLValue.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tests/data/BuiltData.h"
#include "tests/data/DataChecker.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScreenQuad.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using ::testing::IsEmpty;

constexpr const char* kBasicList = "data\\ui\\background\\resources_basic.xml";
constexpr const char* kAdditionalList = "data\\ui\\background\\resources_additional.xml";

// The shipped background on the built data folder, through a real engine
// off screen, its lists loaded as the game loads them: the basic one at
// once, the additional one queued for the loading step.
class BackgroundData : public ::testing::Test {
protected:
    BackgroundData() : engine({.installFolder = Testing::GameFolderInternal()})
    {
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        resources.AddResourcesFile(kBasicList, true);
        resources.AddResourcesFile(kAdditionalList, false);
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            engine->BeginFrame();
            background->Update();
            engine->EndFrame(0);
        }
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::TestEngine engine;
    GameTools::DataKeeper resources{&engine.Get(), "en", false};
    std::unique_ptr<Tamrisk::GUIBackground> background;
};

TEST_F(BackgroundData, TheDescriptionAndItsListsAreSoundData)
{
    Testing::DataChecker checker(engine.Get());
    for (const char* path : {Tamrisk::GUIBackground::kDescriptionPath, kBasicList, kAdditionalList})
        EXPECT_THAT(checker.CheckFile(path), IsEmpty()) << path;
    GameTools::XMLNode* root = nullptr;
    GameTools::XMLParser(&engine.Get()).Parse(root, Tamrisk::GUIBackground::kDescriptionPath);
    const std::unique_ptr<GameTools::XMLNode> owned(root);
    ASSERT_NE(root, nullptr);
    std::vector<GameTools::XMLNode*> entries;
    root->GetChildren(entries);
    EXPECT_EQ(entries.size(), 3u);
    for (const GameTools::XMLNode* entry : entries) {
        EXPECT_THAT(entry->GetName(), ::testing::AnyOf("model", "particles"));
        ASSERT_NE(entry->GetAttribute("name"), nullptr);
        EXPECT_THAT(entry->GetAttribute("name")->GetString(), ::testing::Not(::testing::StartsWith("ui/")));
    }
}

TEST_F(BackgroundData, BothSetsBuildFromTheShippedResourcesWithoutAnErrorLine)
{
    background = std::make_unique<Tamrisk::GUIBackground>(&engine.Get(), &resources);
    EXPECT_EQ(background->GetLayers().size(), 2u);
    EXPECT_EQ(background->GetUpperWindow()->GetLayer(), 26);
    resources.Load();
    background->LoadAdditionalLayers();
    ASSERT_EQ(background->GetLayers().size(), 3u);
    const GUITools::GUIBackgroundLayer& sparks = *background->GetLayers()[2];
    ASSERT_NE(sparks.GetParticleSystem(), nullptr);
    EXPECT_NE(sparks.GetAnimatorModel(), nullptr);
    background->StartFade(true, true, 1.0f);
    // Real frames last a millisecond at least: 40 sparks a second start
    // within a few hundred.
    for (int frame = 0; frame < 400 && sparks.GetParticleSystem()->liveCount == 0; ++frame)
        Frames(1);
    EXPECT_TRUE(background->IsVisible());
    EXPECT_GT(sparks.GetParticleSystem()->liveCount, 0u);
    background->StartFade(false, false, 1.0f);
    Frames(2);
    EXPECT_FALSE(background->IsVisible());
    EXPECT_THAT(Errors(), IsEmpty());
}

// The night sky fills the screen: every corner is lit, blue over red.
TEST_F(BackgroundData, TheSkyCoversTheScreenOnceShown)
{
    background = std::make_unique<Tamrisk::GUIBackground>(&engine.Get(), &resources);
    background->StartFade(true, false, 1.0f);
    Frames(3);
    Halvard::Image capture;
    engine->GetRenderSystem()->CaptureScreen(capture);
    ASSERT_GT(capture.GetWidth(), 8u);
    const Halvard::u32 right = capture.GetWidth() - 2;
    const Halvard::u32 top = capture.GetHeight() - 2;
    for (const auto& [x, y] : {std::pair{1u, 1u}, std::pair{right, 1u}, std::pair{1u, top}, std::pair{right, top}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        const std::vector<int> pixel = Testing::ScreenQuad::Pixel(capture, x, y);
        EXPECT_GT(pixel[2], 10);
        EXPECT_GT(pixel[2], pixel[0]);
    }
    EXPECT_THAT(Errors(), IsEmpty());
}

} // namespace
