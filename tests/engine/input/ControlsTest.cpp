#include "engine/input/Controls.h"

#include "engine/input/KeyNames.h"
#include "platform/input/InputSystem.h"
#include "tests/engine/input/ControlsTestBed.h"
#include "tests/support/SdlEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Testing::KeyAt;
using Testing::MouseMotion;
using Testing::MouseWheel;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

class ControlsTest : public Testing::ControlsTestBed {
protected:
    // Every query a blocked controls object must refuse.
    bool AnswersAnything() const
    {
        u16 code = 0;
        bool isCharacter = false;
        return !KeysDown().empty() || !KeysPressed().empty() || controls->IsAnyKeyActive() ||
               controls->GetCharacter(code, isCharacter);
    }

    static Platform::SystemCursor& Cursor() { return Platform::GetInputSystem().GetCursor(); }
};

TEST_F(ControlsTest, NamesAreTakenInAnyLetterCaseAndUnknownNamesAreNeverDown)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_A, true), KeyAt(SDL_SCANCODE_KP_0, true)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyDown("a"));
    EXPECT_TRUE(controls->IsKeyDown("A"));
    EXPECT_TRUE(controls->IsKeyPressed("a"));
    EXPECT_TRUE(controls->IsKeyDown("numpad_0"));
    EXPECT_FALSE(controls->IsKeyDown("AA"));
    EXPECT_FALSE(controls->IsKeyDown(""));
    EXPECT_FALSE(controls->IsKeyPressed("NUMPAD0"));
}

TEST_F(ControlsTest, AKeyDownAndUpWithinOneFrameCountsAsDownForThatFrameOnly)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_SPACE, true), KeyAt(SDL_SCANCODE_SPACE, false)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kSpace));
    EXPECT_TRUE(controls->IsKeyDown(KeyNames::kSpace));
    EXPECT_TRUE(controls->IsAnyKeyActive());
    EndFrame();
    BeginFrame();
    EXPECT_FALSE(controls->IsKeyPressed(KeyNames::kSpace));
    EXPECT_FALSE(controls->IsKeyDown(KeyNames::kSpace));
    EXPECT_FALSE(controls->IsAnyKeyActive());
}

TEST_F(ControlsTest, AHeldKeyIsPressedInItsFirstFrameOnlyAndRepeatsDoNotPressItAgain)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_LEFT, true)});
    for (int frame = 0; frame < 4; ++frame) {
        BeginFrame();
        EXPECT_EQ(controls->IsKeyPressed(KeyNames::kLeftArrow), frame == 0) << "frame " << frame;
        EXPECT_TRUE(controls->IsKeyDown(KeyNames::kLeftArrow)) << "frame " << frame;
        EndFrame();
        Send({KeyAt(SDL_SCANCODE_LEFT, true, true)});
    }
    Send({KeyAt(SDL_SCANCODE_LEFT, false)});
    BeginFrame();
    EXPECT_FALSE(controls->IsKeyDown(KeyNames::kLeftArrow));
}

TEST_F(ControlsTest, TheKeySetterIgnoresUnknownNamesAndAKeyAlreadyHeld)
{
    Start();
    controls->SetKeyState("NOKEY", true);
    EXPECT_FALSE(controls->IsAnyKeyActive());
    controls->SetKeyState(KeyNames::kB, true);
    EndFrame();
    controls->SetKeyState(KeyNames::kB, true);
    EXPECT_FALSE(controls->IsKeyPressed(KeyNames::kB));
    EXPECT_TRUE(controls->IsKeyDown(KeyNames::kB));
    controls->SetKeyState(KeyNames::kB, false);
    EXPECT_FALSE(controls->IsKeyDown(KeyNames::kB));
}

TEST_F(ControlsTest, TheFramesKeyEventIsATypedCharacterOrAKeyCodeUntilTheFrameEnds)
{
    Start();
    u16 code = 0;
    bool isCharacter = true;
    Send({Testing::KeyDown(SDLK_ESCAPE)});
    BeginFrame();
    ASSERT_TRUE(controls->GetCharacter(code, isCharacter));
    EXPECT_EQ(code, 0x1B);
    EXPECT_FALSE(isCharacter);
    EndFrame();
    EXPECT_FALSE(controls->GetCharacter(code, isCharacter));

    Send({Testing::KeyUp(SDLK_ESCAPE), Testing::TextInput("\xD0\xB6")});
    BeginFrame();
    ASSERT_TRUE(controls->GetCharacter(code, isCharacter));
    EXPECT_EQ(code, 0x0436);
    EXPECT_TRUE(isCharacter);
}

TEST_F(ControlsTest, BlockedInputAnswersNothingUntilTheHeldKeyIsLetGo)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_RETURN, true)});
    Frame();
    controls->BlockInput();
    EXPECT_FALSE(AnswersAnything());
    for (int frame = 0; frame < 10; ++frame) {
        Send({Testing::TextInput("x")});
        BeginFrame();
        EXPECT_TRUE(controls->IsInputBlocked());
        EXPECT_FALSE(AnswersAnything());
        EndFrame();
    }
    Send({KeyAt(SDL_SCANCODE_RETURN, false)});
    BeginFrame();
    EXPECT_FALSE(controls->IsInputBlocked());
    EndFrame();
    Send({KeyAt(SDL_SCANCODE_RETURN, true)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kEnter));
}

TEST_F(ControlsTest, AFramesKeyEventAloneKeepsTheBlock)
{
    Start();
    controls->BlockInput();
    Send({Testing::TextInput("q")});
    BeginFrame();
    EXPECT_TRUE(controls->IsInputBlocked());
    EndFrame();
    BeginFrame();
    EXPECT_FALSE(controls->IsInputBlocked());
}

// The controls may believe a key held whose release they never heard; the
// system's own view of the keys settles it after two seconds.
TEST_F(ControlsTest, ABlockOutlastingTwoSecondsEndsOnceTheSystemKnowsNoKeyDown)
{
    Start();
    controls->SetKeyState(KeyNames::kA, true);
    controls->BlockInput();
    for (int frame = 0; frame < 38; ++frame)
        Frame(0.05f);
    EXPECT_TRUE(controls->IsInputBlocked()) << "after 1.9 seconds";
    for (int frame = 0; frame < 6; ++frame)
        Frame(0.05f);
    EXPECT_FALSE(controls->IsInputBlocked()) << "after 2.2 seconds";
}

TEST_F(ControlsTest, AKeyTheSystemStillHoldsKeepsTheBlockPastTwoSeconds)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_W, true)});
    Frame();
    controls->BlockInput();
    for (int frame = 0; frame < 100; ++frame)
        Frame(0.05f);
    EXPECT_TRUE(controls->IsInputBlocked());
    Send({KeyAt(SDL_SCANCODE_W, false)});
    Frame();
    EXPECT_FALSE(controls->IsInputBlocked());
}

TEST_F(ControlsTest, AKeyWithoutANameHeldForTheSystemAlsoKeepsTheBlock)
{
    Start();
    controls->SetKeyState(KeyNames::kA, true);
    Send({KeyAt(SDL_SCANCODE_MUTE, true)});
    controls->BlockInput();
    for (int frame = 0; frame < 60; ++frame)
        Frame(0.05f);
    EXPECT_TRUE(controls->IsInputBlocked());
    Send({KeyAt(SDL_SCANCODE_MUTE, false)});
    Frame(0.05f);
    EXPECT_FALSE(controls->IsInputBlocked());
}

TEST_F(ControlsTest, EachBlockCountsItsTwoSecondsAfresh)
{
    Start();
    controls->SetKeyState(KeyNames::kA, true);
    controls->BlockInput();
    for (int frame = 0; frame < 30; ++frame)
        Frame(0.05f);
    controls->SetKeyState(KeyNames::kA, false);
    Frame(0.05f);
    ASSERT_FALSE(controls->IsInputBlocked());

    controls->SetKeyState(KeyNames::kA, true);
    controls->BlockInput();
    for (int frame = 0; frame < 20; ++frame)
        Frame(0.05f);
    EXPECT_TRUE(controls->IsInputBlocked());
}

TEST_F(ControlsTest, AFrameThatTurnedTheWheelIsFollowedByOneThatReadsZero)
{
    Start();
    const auto wheelOf = [this](std::initializer_list<SDL_Event> events) {
        Send(events);
        Frame();
        return controls->GetWheel();
    };
    EXPECT_EQ(wheelOf({MouseWheel(1)}), 120);
    EXPECT_EQ(wheelOf({MouseWheel(2)}), 0);
    EXPECT_EQ(wheelOf({MouseWheel(-1), MouseWheel(-1)}), -240);
    EXPECT_EQ(wheelOf({}), 0);
    EXPECT_EQ(wheelOf({}), 0);
    EXPECT_EQ(wheelOf({MouseWheel(1, true)}), -120);
}

TEST_F(ControlsTest, MovementIsSummedPerFrameWithYGrowingUpwards)
{
    Send({MouseMotion(100, 100, 0, 0)});
    Start();
    Send({MouseMotion(105, 97, 5, -3), MouseMotion(112, 95, 7, -2)});
    BeginFrame();
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(12, 5));
    EXPECT_THAT(controls->GetCursorMove(), Testing::IsVector2(12, 5));
    EndFrame();
    BeginFrame();
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(0, 0));
    EXPECT_THAT(controls->GetCursorMove(), Testing::IsVector2(0, 0));
}

TEST_F(ControlsTest, AMouseSpeedScalesTheCursorsMovementTruncatedTowardZero)
{
    Send({MouseMotion(100, 100, 0, 0)});
    Start();
    controls->SetMouseSpeed(Vector2(0.5f, 0.5f));
    Send({MouseMotion(103, 93, 3, -7)});
    Frame();
    EXPECT_THAT(controls->GetCursorMove(), Testing::IsVector2(3, 7));
    EXPECT_EQ(CursorOnScreen().x, 101);
    EXPECT_EQ(CursorOnScreen().y, 97);
    Frame();
    EXPECT_THAT(controls->GetCursorMove(), Testing::IsVector2(0, 0));
}

TEST_F(ControlsTest, AMouseSpeedWithinTheToleranceOfOneLeavesTheCursorAlone)
{
    Send({MouseMotion(100, 100, 0, 0)});
    Start();
    controls->SetMouseSpeed(Vector2(1.00005f, 0.99995f));
    Send({MouseMotion(300, 200, 200, 100)});
    Frame();
    EXPECT_EQ(CursorOnScreen().x, 300);
    EXPECT_EQ(CursorOnScreen().y, 200);
}

TEST_F(ControlsTest, AHiddenCursorIsHiddenAgainAfterOtherCodeShowedIt)
{
    Start();
    controls->SetCursorVisible(false);
    EXPECT_FALSE(controls->IsCursorVisible());
    EXPECT_LT(Cursor().GetDisplayCount(), 0);
    Cursor().Show(true);
    Cursor().Show(true);
    Frame();
    EXPECT_LT(Cursor().GetDisplayCount(), 0);
}

TEST_F(ControlsTest, TheDisplayCountStaysWithinTenStepsOfZeroOnTheRightSide)
{
    Start();
    for (int i = 0; i < 15; ++i)
        Cursor().Show(false);
    Frame();
    EXPECT_GE(Cursor().GetDisplayCount(), 0);
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
        EXPECT_GE(Cursor().GetDisplayCount(), 0);
        EXPECT_LE(Cursor().GetDisplayCount(), 10);
    }
    controls->SetCursorVisible(false);
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
        EXPECT_LT(Cursor().GetDisplayCount(), 0);
        EXPECT_GE(Cursor().GetDisplayCount(), -10);
    }
    controls.reset();
    EXPECT_GE(Cursor().GetDisplayCount(), 0);
}

} // namespace
