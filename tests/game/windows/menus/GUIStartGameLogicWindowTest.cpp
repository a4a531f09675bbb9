#include "game/windows/menus/GUIStartGameLogicWindow.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIButton.h"
#include "engine/render/ModelManager.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/data/GameData.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/parts/GUIMapElement.h"
#include "game/windows/parts/GUIStageMap.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/game/OffscreenMenuBed.h"
#include "tools/ModelWriter.h"
#include "tools/StageMapWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using GameFramework::LevelReference;
using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Tamrisk::GUIMapElement;
using Tamrisk::GUIStartGameLogicWindow;

constexpr Halvard::u32 kHidden = 9;

const char* const kStartGame =
    R"(<window name="window_start_game" fader="menu">)"
    R"(<text_label name="title" font="common_0" text="'Title'" position="100 550" size="600 40"/>)"
    R"(<window name="window" fader="menu" size="800 600">)"
    R"(<button name="button_0" position="100 20" size="200 50">)"
    R"(<text_label name="title" font="common_0" text="'Back'" size="200 50" fader="menu"/></button>)"
    R"(<button name="button_1" position="500 20" size="200 50">)"
    R"(<text_label name="title" font="common_0" text="'Play'" size="200 50" fader="menu"/></button>)"
    R"(</window></window>)";

// Two stages of three levels, 40 units square, 100 units apart along y 300.
std::vector<Tools::StageMapElement> TwoStages()
{
    std::vector<Tools::StageMapElement> elements;
    for (const std::uint32_t kind : {0u, 3u, 3u, 2u, 3u, 1u}) {
        Tools::StageMapElement element;
        element.kind = kind;
        element.placement[0] = 40.0f;
        element.placement[5] = 40.0f;
        element.placement[3] = 100.0f * static_cast<float>(elements.size() + 1);
        element.placement[7] = 300.0f;
        elements.push_back(element);
    }
    return elements;
}

// A unit square with six frames, as the map's models have.
void WriteMarkModel(Halvard::Engine& engine, const Testing::TempFolder& folder, Tamrisk::GameData& data)
{
    Tools::ModelFileData model = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 0});
    model.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    model.frameCount = 6;
    const std::vector<Tools::ModelFileVertex> frame = model.vertices;
    const Tools::ModelFileBounds bounds = model.bounds[0];
    for (std::uint32_t i = 1; i < model.frameCount; ++i) {
        model.vertices.insert(model.vertices.end(), frame.begin(), frame.end());
        model.bounds.push_back(bounds);
    }
    const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(model);
    folder.WriteFile("data\\ui\\models\\map_mark.mlf", std::string(bytes.begin(), bytes.end()));
    for (const char* name : {"ui/map_start", "ui/map_finish", "ui/map_check_point", "ui/map_path"})
        data.AddModel(name, engine.GetModelManager()->NewModelFromFile("ui\\models\\map_mark.mlf", nullptr, 0));
}

Testing::MenuFixture StartGameFixture()
{
    Testing::MenuFixture fixture;
    fixture.descriptions = {{"faders.xml", Testing::kMenuFaders}, {"window_start_game.xml", kStartGame}};
    return fixture;
}

// The window on a bed, with the map written by the map writer below the
// folder and the map's models loaded.
std::unique_ptr<GUIStartGameLogicWindow> MakeWindow(Testing::MenuWindowBed& bed, const Testing::TempFolder& folder,
                                                    Tamrisk::ProfileManager* profiles,
                                                    const std::vector<Tools::StageMapElement>& map = TwoStages())
{
    const std::vector<std::uint8_t> bytes = Tools::BuildStageMapFile(map);
    folder.WriteFile(Tamrisk::GUIStageMap::kPath, std::string(bytes.begin(), bytes.end()));
    WriteMarkModel(bed.engine, folder, *bed.data);
    return std::make_unique<GUIStartGameLogicWindow>(&bed.engine, bed.sounds.get(), nullptr, profiles,
                                                     bed.data.get(), bed.tools.get(), bed.manager.get(), nullptr);
}

// The window on the fakes, its map written by the map writer, and a player
// whose furthest level the test sets.
class GUIStartGameLogicWindowTest : public testing::Test {
protected:
    void Make(const std::vector<Tools::StageMapElement>& map = TwoStages())
    {
        engine.Start();
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, StartGameFixture());
        profiles = bed->MakeProfiles(engine.folder, L"Anna");
        window = MakeWindow(*bed, engine.folder, profiles.get(), map);
    }

    ~GUIStartGameLogicWindowTest() override
    {
        window.reset();
        profiles.reset();
        bed.reset();
    }

    GameFramework::ProfileBase& Profile() { return *profiles->GetCurrentProfile(); }

    void Reach(LevelReference furthest, LevelReference current)
    {
        Profile().UpdateProgress(furthest, false);
        Profile().SetCurrentLevel(current);
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            bed->Frame([&] { window->UpdateWindow(); });
    }

    // Each element's state, or kHidden.
    std::vector<Halvard::u32> States() const
    {
        std::vector<Halvard::u32> states;
        for (const auto& element : window->GetElements())
            states.push_back(element->IsVisible() ? element->GetState() : kHidden);
        return states;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUIStartGameLogicWindow> window;
};

TEST_F(GUIStartGameLogicWindowTest, TheMapShowsPassedAndChosenLevelsUpToTheFurthest)
{
    Make();
    ASSERT_EQ(window->GetElements().size(), 6u);
    Reach({1, 0}, {0, 1});
    window->ShowWindow(WindowSource::kMainMenu);
    EXPECT_THAT(States(), testing::ElementsAre(1, 3, 0, 0, kHidden, kHidden));
    EXPECT_EQ(window->GetTitle()->GetTextKey(), "start_game/title_select_level");
    EXPECT_FALSE(window->GetElements()[1]->IsLocked());
}

TEST_F(GUIStartGameLogicWindowTest, ChoosingALevelClampsItToTheFurthestAndSavesIt)
{
    Make();
    Reach({1, 0}, {0, 0});
    struct Case {
        LevelReference asked, chosen;
    };
    const Case cases[] = {{{0, 2}, {0, 2}}, {{1, 2}, {1, 0}}, {{2, 0}, {1, 0}}, {{0, 0}, {0, 0}}};
    for (const Case& c : cases) {
        window->SelectLevel(c.asked.stage, c.asked.level);
        EXPECT_EQ(Profile().GetCurrentLevel(), c.chosen) << c.asked.stage << "-" << c.asked.level;
        // The profile on disk holds the choice.
        const std::unique_ptr<Tamrisk::ProfileManager> reread = bed->MakeProfiles(engine.folder);
        reread->LoadProfiles();
        const GameFramework::ProfileBase* saved = reread->GetProfile(L"Anna");
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->GetCurrentLevel(), c.chosen);
    }
}

TEST_F(GUIStartGameLogicWindowTest, OpenersThatGoStraightOnReportPlayWithoutShowingTheMap)
{
    Make();
    struct Case {
        Halvard::u32 opener;
        bool gameInProgress;
        bool plays;
    };
    const Case cases[] = {{WindowSource::kLevelComplete, false, true},
                          {WindowSource::kGameLogicRestart, false, true},
                          {WindowSource::kContinueGameLogic, true, true},
                          {WindowSource::kContinueGameLogic, false, false},
                          {WindowSource::kMainMenu, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opener);
        Profile().SetGameInProgress(c.gameInProgress);
        window->ShowWindow(c.opener);
        EXPECT_EQ(window->IsShown(), !c.plays);
        Frames(1);
        EXPECT_EQ(window->GetResult(), c.plays ? WindowResult::kPlay : WindowResult::kNone);
        Frames(1);
        EXPECT_EQ(window->GetResult(), WindowResult::kNone);
        window->HideWindow();
        Frames(8);
    }
}

TEST_F(GUIStartGameLogicWindowTest, AfterAStageTheMapIsLockedUnderItsOwnTitle)
{
    Make();
    Reach({1, 0}, {1, 0});
    window->ShowWindow(WindowSource::kStageComplete);
    EXPECT_EQ(window->GetTitle()->GetTextKey(), "start_game/title_stage_is_passed");
    for (const auto& element : window->GetElements()) {
        if (element->IsVisible()) {
            EXPECT_TRUE(element->IsLocked());
            EXPECT_FALSE(element->GetButton()->IsEnabled());
        }
    }
    // Choosing again shows the points again, which unlocks them.
    window->SelectLevel(0, 1);
    EXPECT_FALSE(window->GetElements()[0]->IsLocked());
    EXPECT_TRUE(window->GetElements()[0]->GetButton()->IsEnabled());
}

TEST_F(GUIStartGameLogicWindowTest, TheWayToTheNextCheckPointLightsUpOutOfReachAndTheRestStaysHidden)
{
    Make();
    Reach({0, 1}, {0, 1});
    window->ShowWindow(WindowSource::kMainMenu);
    EXPECT_THAT(States(), testing::ElementsAre(1, 3, kHidden, kHidden, kHidden, kHidden));
    Frames(12);
    EXPECT_THAT(States(), testing::ElementsAre(1, 3, 4, 4, kHidden, kHidden));
    EXPECT_FALSE(window->GetElements()[2]->GetButton()->IsEnabled());
}

TEST_F(GUIStartGameLogicWindowTest, ThePointsFadeWithThePlayTitle)
{
    Make();
    window->ShowWindow(WindowSource::kMainMenu);
    const Halvard::GUIWindow& chosen = *window->GetElements()[0]->GetWindow();
    EXPECT_EQ(chosen.GetColor().w, 0.0f);
    Frames(2);
    const float early = chosen.GetColor().w;
    EXPECT_GT(early, 0.0f);
    EXPECT_LT(early, 1.0f);
    Frames(10);
    EXPECT_NEAR(chosen.GetColor().w, 1.0f, 1.0f / 255.0f);
    // The points leave the screen with the window that holds them.
    window->HideWindow();
    Frames(10);
    EXPECT_FALSE(chosen.visible);
}

// A map that lacks the player's furthest level has nothing to anchor the
// way ahead on: the map shows, nothing lights up.
TEST_F(GUIStartGameLogicWindowTest, AMapWithoutTheFurthestLevelShowsNoWayAhead)
{
    std::vector<Tools::StageMapElement> map = TwoStages();
    map.resize(3);
    map[2].kind = 1;
    Make(map);
    Reach({1, 1}, {1, 1});
    window->ShowWindow(WindowSource::kMainMenu);
    Frames(12);
    EXPECT_THAT(States(), testing::ElementsAre(1, 1, 1));
}

TEST_F(GUIStartGameLogicWindowTest, AnUnreadableMapStopsTheWindowNamingTheFile)
{
    engine.Start();
    bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, StartGameFixture());
    profiles = bed->MakeProfiles(engine.folder);
    try {
        GUIStartGameLogicWindow made(&engine.Get(), bed->sounds.get(), nullptr, profiles.get(), bed->data.get(),
                                     bed->tools.get(), bed->manager.get(), nullptr);
        ADD_FAILURE() << "made";
    } catch (const Halvard::FileError& error) {
        EXPECT_THAT(error.GetText(), testing::HasSubstr(Tamrisk::GUIStageMap::kPath));
    }
}

// The window over the real engine offscreen, and a player's mouse through
// SDL's queue.
class GUIStartGameLogicMouseTest : public testing::Test {
protected:
    GUIStartGameLogicMouseTest()
        : offscreen(StartGameFixture()), profiles(offscreen.bed->MakeProfiles(offscreen.engine.Folder(), L"Anna")),
          window(MakeWindow(*offscreen.bed, offscreen.engine.Folder(), profiles.get()))
    {
    }

    void Frame()
    {
        offscreen.Frame([&] { window->UpdateWindow(); });
    }

    Testing::OffscreenMenuBed offscreen;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUIStartGameLogicWindow> window;
};

TEST_F(GUIStartGameLogicMouseTest, AClickChoosesAndSavesALevelAndADoubleClickPlaysIt)
{
    GameFramework::ProfileBase& profile = *profiles->GetCurrentProfile();
    profile.UpdateProgress({1, 0}, false);
    profile.SetCurrentLevel({1, 0});
    window->ShowWindow(WindowSource::kMainMenu);
    for (int frame = 0; frame < 8; ++frame)
        Frame();
    ASSERT_EQ(window->GetElements()[3]->GetState(), GUIMapElement::kChosen);
    // The second point's centre is GUI (220, 320), window row 280.
    Testing::ScriptedInput mouse = offscreen.Mouse();
    mouse.MoveMouseTo(220, 280);
    Frame();
    EXPECT_TRUE(window->GetElements()[1]->IsHighlighted());
    mouse.PressButton();
    Frame();
    mouse.ReleaseButton();
    Frame();
    EXPECT_EQ(window->GetResult(), WindowResult::kNone);
    EXPECT_EQ(profile.GetCurrentLevel(), (LevelReference{0, 1}));
    EXPECT_EQ(window->GetElements()[1]->GetState(), GUIMapElement::kChosen);
    EXPECT_EQ(window->GetElements()[3]->GetState(), GUIMapElement::kNotPassed);
    const std::unique_ptr<Tamrisk::ProfileManager> reread = offscreen.bed->MakeProfiles(offscreen.engine.Folder());
    reread->LoadProfiles();
    ASSERT_NE(reread->GetProfile(L"Anna"), nullptr);
    EXPECT_EQ(reread->GetProfile(L"Anna")->GetCurrentLevel(), (LevelReference{0, 1}));
    mouse.PressButton();
    Frame();
    mouse.ReleaseButton();
    Frame();
    EXPECT_EQ(window->GetResult(), WindowResult::kPlay);
}

} // namespace
