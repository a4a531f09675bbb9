#include "game/objects/Hammer.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/sound/SoundManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/level/Effects.h"
#include "game_tools/DataKeeper.h"
#include "platform/video/GLVideoSystem.h"
#include "tests/game/objects/LevelObjectsBed.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace {

using namespace Tamrisk;
using Halvard::u32;
using Halvard::Vector2;
using Halvard::Vector3;

constexpr double kFrame = 0.02;

Testing::TestEngineOptions SmallWindow()
{
    Testing::TestEngineOptions options;
    options.videoMode = "640x480x32";
    return options;
}

struct RealVideo {
    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
};

// The real engine offscreen on a 640 x 480 window under a GUI space of
// 800 x 600, so GUI units are not pixels; the camera looks straight down on
// two boxes 16 apart; the hammer is an animated box of 10 frames played at
// 20 a second (the swing down takes 0.2 s, the swing back 0.25 s). A
// scripted mouse moves the GUI cursor through SDL's queue.
class HammerTest : public RealVideo, public testing::Test {
protected:
    HammerTest() : scoped(clock), engine(SmallWindow())
    {
        Testing::ResetInput();
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        engine->GetCameraManager()->GetDefaultCamera()->SetPosition(Vector3(0.0f, 0.0f, 30.0f));
        Testing::AddModelResource(engine.Get(), engine.Folder(), data, "hammer/model",
                                  Testing::AnimatedBox(10, 20.0f, {-20, -20, -20}, {20, 20, 20}));
        level = std::make_unique<Testing::BlockLevel>(engine.Get(), engine.Folder(), data, effects,
                                                      std::vector<Vector2>{{-8.0f, 0.0f}, {8.0f, 0.0f}});
        sounds = std::make_unique<GameFramework::SoundSet>(&engine.Get(), 0.5f, 0.5f);
        sounds->AddSound(kSoundHammer, "", false, 1);
        hammer = std::make_unique<Hammer>(&engine.Get(), sounds.get(), &data, &level->Geometry());
        Run(1.0);
    }

    ~HammerTest() override
    {
        hammer.reset();
        level.reset();
        Testing::ResetInput();
    }

    void Run(double seconds, const std::function<void()>& work = {})
    {
        for (int frame = 0; frame < static_cast<int>(std::lround(seconds / kFrame)); ++frame) {
            Testing::PumpAll();
            clock.Advance(kFrame);
            engine->BeginFrame();
            if (work)
                work();
            hammer->Update(1.0f);
            level->Geometry().Update(1.0f);
            effects.Update();
            engine->EndFrame(0);
        }
    }

    // Moves the mouse over the world point and lets the GUI take it in.
    void PointAt(const Vector3& world)
    {
        Halvard::CameraManager& cameras = *engine->GetCameraManager();
        Vector2 screen(0.0f, 0.0f);
        cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), world);
        const int height = static_cast<int>(engine->GetWindow()->GetClientHeight());
        Testing::ScriptedInput(Testing::WindowIdOf(*engine->GetWindow()))
            .MoveMouseTo(static_cast<int>(screen.x), height - static_cast<int>(screen.y));
        Run(0.1);
    }

    // Strikes, counting the click sounds the strike asked for.
    void Strike()
    {
        const u32 before = engine->GetSoundManager()->GetRequestCount();
        hammer->Strike();
        clicks += static_cast<int>(engine->GetSoundManager()->GetRequestCount() - before);
    }

    const Halvard::AnimationControl& Swing() const { return hammer->GetModel()->GetAnimationControl(); }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    GameTools::DataKeeper data{&engine.Get(), "en", false};
    Effects effects{&engine.Get(), nullptr};
    std::unique_ptr<Testing::BlockLevel> level;
    std::unique_ptr<GameFramework::SoundSet> sounds;
    std::unique_ptr<Hammer> hammer;
    int clicks = 0;
};

struct SmashCase {
    const char* name;
    Vector3 target;
    u32 strikes;
    std::vector<bool> alive;
};

void PrintTo(const SmashCase& c, std::ostream* os) { *os << c.name; }

class HammerSmashTest : public HammerTest, public testing::WithParamInterface<SmashCase> {};

TEST_P(HammerSmashTest, AStrikeSmashesTheBlockUnderTheCursorAndUsesAStrikeEvenOverEmptyField)
{
    const SmashCase& c = GetParam();
    PointAt(c.target);
    hammer->AddStrikes(c.strikes);
    Run(0.1);
    const Vector2 cursor = engine->GetGUIManager()->GetCursorPosition();
    EXPECT_NEAR(hammer->GetModel()->worldMatrix.m[3], cursor.x, 1e-3f) << "the hammer follows the cursor";
    EXPECT_NEAR(hammer->GetModel()->worldMatrix.m[7], cursor.y, 1e-3f);
    Strike();
    Run(0.6);
    EXPECT_EQ(level->Alive(), c.alive);
    EXPECT_EQ(hammer->GetStrikes(), c.strikes - 1);
    EXPECT_EQ(hammer->IsVisible(), c.strikes > 1) << "the last swing back puts the hammer away";
    EXPECT_EQ(clicks, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cursor, HammerSmashTest,
    testing::Values(SmashCase{"OverTheLeftBlock", {-8.0f, 0.0f, 2.0f}, 6, {false, true}},
                    SmashCase{"OverTheRightBlock", {8.0f, 0.0f, 2.0f}, 6, {true, false}},
                    SmashCase{"OverEmptyField", {0.0f, 10.0f, 0.0f}, 6, {true, true}},
                    SmashCase{"LastStrikeOverTheRightBlock", {8.0f, 0.0f, 2.0f}, 1, {true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HammerTest, ClicksDuringASwingDoNothingAndTheNextStrikeWaitsForTheSwingBack)
{
    PointAt({0.0f, 10.0f, 0.0f});
    hammer->AddStrikes(Hammer::kBonusStrikes);
    Strike();
    std::vector<int> accepted;
    Run(0.8, [&] {
        const int before = clicks;
        Strike();
        accepted.push_back(clicks - before);
    });
    // A swing takes some 0.5 s: the clicks of the frames until its back
    // swing ends are lost, the first one after starts the next.
    int firstAccepted = -1;
    for (std::size_t frame = 0; frame < accepted.size() && firstAccepted < 0; ++frame)
        if (accepted[frame] != 0)
            firstAccepted = static_cast<int>(frame);
    EXPECT_GE(firstAccepted, static_cast<int>(0.45 / kFrame) - 1);
    EXPECT_LE(firstAccepted, static_cast<int>(0.55 / kFrame));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(hammer->GetStrikes(), Hammer::kBonusStrikes - 2);
}

TEST_F(HammerTest, AFrozenHammerNeitherFollowsNorHitsAndStrikesWhereTheCursorIsOnceThawed)
{
    PointAt({-8.0f, 0.0f, 2.0f});
    hammer->AddStrikes(Hammer::kBonusStrikes);
    Run(0.1);
    const Halvard::Matrix4 held = hammer->GetModel()->worldMatrix;
    hammer->SetFrozen(true);
    PointAt({8.0f, 0.0f, 2.0f});
    Strike();
    Run(1.0);
    EXPECT_EQ(hammer->GetModel()->worldMatrix, held);
    EXPECT_EQ(level->Alive(), (std::vector<bool>{true, true}));
    EXPECT_EQ(hammer->GetStrikes(), Hammer::kBonusStrikes);

    hammer->SetFrozen(false);
    Run(0.1);
    EXPECT_EQ(level->Alive(), (std::vector<bool>{true, false}));
    EXPECT_EQ(hammer->GetStrikes(), Hammer::kBonusStrikes - 1);
}

TEST_F(HammerTest, ASwingCutShortByRemoveIsNotFinishedByTheNextHammer)
{
    PointAt({-8.0f, 0.0f, 2.0f});
    hammer->AddStrikes(Hammer::kBonusStrikes);
    Strike();
    Run(0.06);
    ASSERT_TRUE(Swing().playing != 0 && Swing().GetAnimation() == Hammer::kSwingDown) << "mid swing";
    hammer->Remove();
    Run(0.5);
    hammer->AddStrikes(Hammer::kBonusStrikes);
    Run(1.0);
    EXPECT_EQ(level->Alive(), (std::vector<bool>{true, true}));
    EXPECT_EQ(hammer->GetStrikes(), Hammer::kBonusStrikes);
    EXPECT_EQ(Swing().playing, 0);
    EXPECT_EQ(Swing().GetAnimation(), Hammer::kSwingDown);
    EXPECT_EQ(clicks, 1);
}

} // namespace
