#include "game/windows/parts/GUIGameCursor.h"

#include "engine/gui/GUIManager.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "game_tools/DataKeeper.h"

#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/VectorMatchers.h"
#include "tests/support/game/InGameFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Halvard::Vector3;

constexpr double kFrameSeconds = 0.05;
// Each burst of the click effect: still particles that live long.
constexpr Halvard::u32 kBurst = Testing::InGameFiles::kClickBurst;
// Where the mouse's pixel (300, 200) lies.
const Vector3 kClickedAt(300.0f, 279.0f, 0.0f);
constexpr const char* kList = "data\\ui\\cursor_fixture.xml";

// The real engine off screen with its GUI space in pixels (y up), the
// cursor's pictures and effects written beside it, the mouse driven through
// SDL's queue.
class GUIGameCursorTest : public testing::Test {
protected:
    GUIGameCursorTest()
    {
        Testing::ResetInput();
        engine->GetGUIManager()->SetSize(640.0f, 480.0f);
        engine.Folder().WriteFile(kList, "<resources>" + Testing::InGameFiles::WriteCursor(engine.Folder()) +
                                             "</resources>");
        resources = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
        resources->AddResourcesFile(kList, true);
        cursor = std::make_unique<Tamrisk::GUIGameCursor>(&engine.Get());
        input = std::make_unique<Testing::ScriptedInput>(Testing::WindowIdOf(*engine->GetWindow()));
    }

    ~GUIGameCursorTest() override
    {
        cursor.reset();
        resources.reset();
        Testing::ResetInput();
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            clock.Advance(kFrameSeconds);
            Testing::PumpAll();
            engine->BeginFrame();
            cursor->Update();
            engine->EndFrame(0);
        }
    }

    // Pressed for three frames, then let go.
    void Click()
    {
        input->PressButton();
        Frames(3);
        input->ReleaseButton();
        Frames(1);
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scopedClock{clock};
    Testing::TestEngine engine;
    std::unique_ptr<GameTools::DataKeeper> resources;
    std::unique_ptr<Tamrisk::GUIGameCursor> cursor;
    std::unique_ptr<Testing::ScriptedInput> input;
};

// The trail starts 12 units right of and 18 below the hot spot, which lies
// at the mouse's pixel with y counted up from the bottom row.
TEST_F(GUIGameCursorTest, TheTrailFollowsTheCursorAtItsOffset)
{
    cursor->CreateEffects(resources.get());
    cursor->SetVisible(true);
    EXPECT_EQ(cursor->GetCurrentId(), Tamrisk::GUIGameCursor::kCursorId);
    EXPECT_NE(cursor->GetTrain()->GetModel()->GetFlags() & Halvard::Model::kFixedDepth, 0u);
    struct Move {
        int x, y;
        Vector3 trail;
    };
    for (const Move& move : {Move{200, 100, {212.0f, 361.0f, 0.0f}}, Move{0, 479, {12.0f, -18.0f, 0.0f}},
                             Move{639, 0, {651.0f, 461.0f, 0.0f}}}) {
        input->MoveMouseTo(move.x, move.y);
        Frames(1);
        EXPECT_THAT(cursor->GetTrain()->GetPosition(), Testing::IsNearVector3(move.trail, 1e-3f))
            << move.x << " " << move.y;
    }
    EXPECT_GT(cursor->GetTrain()->liveCount, 0u);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

// A held button bursts once, at the hot spot; each new press bursts again;
// with the trail off a press bursts nothing and the trail stops.
TEST_F(GUIGameCursorTest, EveryPressBurstsOnceUnlessTheTrailIsOff)
{
    cursor->CreateEffects(resources.get());
    cursor->SetVisible(true);
    input->MoveMouseTo(300, 200);
    Frames(1);
    EXPECT_EQ(cursor->GetClick()->liveCount, 0u);
    Click();
    EXPECT_EQ(cursor->GetClick()->liveCount, kBurst);
    // The cycle started at the press and was not started again while held.
    EXPECT_NEAR(cursor->GetClick()->emissionTime, 4 * kFrameSeconds, 1e-4);
    EXPECT_THAT(cursor->GetClick()->GetPosition(), Testing::IsNearVector3(kClickedAt, 1e-3f));
    Frames(20);
    Click();
    Frames(20);
    EXPECT_EQ(cursor->GetClick()->liveCount, 2 * kBurst);

    cursor->EnableTrain(false);
    EXPECT_FALSE(cursor->GetTrain()->emitting);
    input->MoveMouseTo(100, 100);
    Click();
    Frames(20);
    EXPECT_EQ(cursor->GetClick()->liveCount, 2 * kBurst);
    EXPECT_THAT(cursor->GetClick()->GetPosition(), Testing::IsNearVector3(kClickedAt, 1e-3f));
}

// The trail emits only while the cursor is shown and the trail enabled;
// before the effects exist both calls only store or forward their values.
TEST_F(GUIGameCursorTest, TheTrailEmitsOnlyWhileShownAndEnabled)
{
    cursor->EnableTrain(false);
    cursor->SetVisible(true);
    EXPECT_TRUE(cursor->IsVisible());
    cursor->CreateEffects(resources.get());
    EXPECT_FALSE(cursor->GetTrain()->emitting);
    cursor->SetVisible(false);
    cursor->SetVisible(true);
    EXPECT_FALSE(cursor->GetTrain()->emitting);
    cursor->EnableTrain(true);
    EXPECT_TRUE(cursor->GetTrain()->emitting);
    cursor->SetVisible(false);
    EXPECT_FALSE(cursor->GetTrain()->emitting);
    EXPECT_TRUE(cursor->IsTrainEnabled());
    cursor->SetVisible(true);
    EXPECT_TRUE(cursor->GetTrain()->emitting);
}

} // namespace
