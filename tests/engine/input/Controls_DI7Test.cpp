#include "engine/input/Controls_DI7.h"

#include "engine/input/KeyNames.h"
#include "platform/input/InputSystem.h"
#include "tests/engine/input/ControlsTestBed.h"
#include "tests/support/SdlEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Testing::KeyAt;
using Testing::MouseButton;
using Testing::MouseMotion;
using Testing::MouseWheel;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr char kRefused[] = "\nError: Failed to set the buffered mode, switching to the immediate mode!\n";

class Controls_DI7Test : public Testing::ControlsTestBed {
protected:
    static Platform::InputSystem& Input() { return Platform::GetInputSystem(); }

    // Four keys pressed and let go: eight keyboard events.
    static void TapFourKeys()
    {
        for (const SDL_Scancode key : {SDL_SCANCODE_A, SDL_SCANCODE_S, SDL_SCANCODE_D, SDL_SCANCODE_F})
            Send({KeyAt(key, true), KeyAt(key, false)});
    }

    // Clicks of the first buttons in SDL's numbering: two mouse events each.
    static void Click(std::initializer_list<Uint8> buttons)
    {
        for (const Uint8 button : buttons)
            Send({MouseButton(button, true), MouseButton(button, false)});
    }
};

TEST_F(Controls_DI7Test, StartUpAndShutdownWriteTheirStepsToTheLog)
{
    Start();
    EXPECT_THAT(ControlsLogLines(),
                ElementsAre("Initialization of DirectInput devices...", "...Creating a DirectInput object...",
                            "...Keyboard:", "......Obtaining an interface to the system keyboard device...",
                            "......Setting the data format...", "......Setting the cooperativity level...",
                            "......Setting the buffered mode...", "...Mouse:",
                            "......Obtaining an interface to the system mouse device...",
                            "......Setting the data format...", "......Setting the cooperativity level...",
                            "......Setting the buffered mode..."));
    const size_t startUp = ControlsLogLines().size();
    controls.reset();
    const std::vector<std::string> lines = ControlsLogLines();
    EXPECT_THAT(std::vector<std::string>(lines.begin() + static_cast<long>(startUp), lines.end()),
                ElementsAre("\nDirectInput devices destroying:", "...Keyboard...", "...Mouse...",
                            "...DirectInput object..."));
    EXPECT_FALSE(Input().GetKeyboard().IsAcquired());
    EXPECT_FALSE(Input().GetMouse().IsAcquired());
}

TEST_F(Controls_DI7Test, WithoutBufferingAskedTheBufferedStepsAreLeftOut)
{
    Start(false);
    EXPECT_THAT(ControlsLogLines(), testing::Not(testing::Contains("......Setting the buffered mode...")));
    EXPECT_EQ(ControlsLogLines().size(), 10u);
    EXPECT_FALSE(controls->IsKeyboardBuffered());
    EXPECT_FALSE(controls->IsMouseBuffered());
}

TEST_F(Controls_DI7Test, ARefusedBufferIsAnErrorLineAndTheDeviceIsReadFromItsStateForGood)
{
    Input().GetKeyboard().SetBufferLimit(0);
    Start();
    const std::vector<std::string> lines = ControlsLogLines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[6], "......Setting the buffered mode...");
    EXPECT_EQ(lines[7], kRefused);
    EXPECT_EQ(lines[8], "...Mouse:");
    EXPECT_EQ(log.GetLogEntry(log.GetLogEntryCount() - lines.size() + 7).level, MessageManager::kError);
    EXPECT_FALSE(controls->IsKeyboardBuffered());
    EXPECT_TRUE(controls->IsMouseBuffered());

    // Read from the state, a key tapped between two frames goes unseen; a
    // held one is down.
    Send({KeyAt(SDL_SCANCODE_T, true), KeyAt(SDL_SCANCODE_T, false), KeyAt(SDL_SCANCODE_G, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::kG));
}

TEST_F(Controls_DI7Test, EightKeyboardEventsArriveTogetherInOneFrame)
{
    Start();
    TapFourKeys();
    BeginFrame();
    EXPECT_THAT(KeysPressed(), ElementsAre(KeyNames::kA, KeyNames::kD, KeyNames::kF, KeyNames::kS));
    EXPECT_THAT(KeysDown(), testing::SizeIs(4));
    EndFrame();
    BeginFrame();
    EXPECT_THAT(KeysDown(), IsEmpty());
}

TEST_F(Controls_DI7Test, ANinthKeyboardEventOverflowsAndThatFrameReadsTheKeysAsTheyStand)
{
    Start();
    TapFourKeys();
    Send({KeyAt(SDL_SCANCODE_Z, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::kZ));
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kZ));
    EndFrame();
    ASSERT_TRUE(controls->IsKeyboardBuffered());
    Send({KeyAt(SDL_SCANCODE_X, true), KeyAt(SDL_SCANCODE_X, false)});
    BeginFrame();
    EXPECT_THAT(KeysPressed(), ElementsAre(KeyNames::kX));
    EXPECT_TRUE(controls->IsKeyDown(KeyNames::kZ));
}

TEST_F(Controls_DI7Test, TheMouseBufferHoldsSixteenEventsOfWhichAFrameTakesEight)
{
    Start();
    Click({SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1, SDL_BUTTON_X2, 6, 7, 8});
    BeginFrame();
    EXPECT_THAT(KeysPressed(),
                ElementsAre(KeyNames::kMouse1, KeyNames::kMouse2, KeyNames::kMouse3, KeyNames::kMouse4));
    EndFrame();
    BeginFrame();
    EXPECT_THAT(KeysPressed(),
                ElementsAre(KeyNames::kMouse5, KeyNames::kMouse6, KeyNames::kMouse7, KeyNames::kMouse8));
    EndFrame();
    BeginFrame();
    EXPECT_THAT(KeysDown(), IsEmpty());
}

TEST_F(Controls_DI7Test, ASeventeenthMouseEventOverflowsAndThatFrameReadsTheButtonsWithoutMovement)
{
    Start();
    Send({MouseMotion(0, 0, 30, 40), MouseWheel(1)});
    Click({SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1, SDL_BUTTON_X2, 6, 7});
    Send({MouseButton(SDL_BUTTON_RIGHT, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::kMouse2));
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(0, 0));
    EXPECT_EQ(controls->GetWheel(), 0);
    EndFrame();
    ASSERT_TRUE(controls->IsMouseBuffered());
    Send({MouseMotion(0, 0, 3, 4)});
    BeginFrame();
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(3, -4));
}

// The first three mouse button numbers are also key codes ("ESCAPE", "1").
TEST_F(Controls_DI7Test, ReadFromTheirStatesKeysAndButtonsNeverStandForEachOther)
{
    Start(false);
    Send({KeyAt(SDL_SCANCODE_ESCAPE, true), KeyAt(SDL_SCANCODE_1, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::k1, KeyNames::kEscape));
    EndFrame();
    Send({KeyAt(SDL_SCANCODE_ESCAPE, false), KeyAt(SDL_SCANCODE_1, false), MouseButton(SDL_BUTTON_RIGHT, true),
          MouseButton(SDL_BUTTON_MIDDLE, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::kMouse2, KeyNames::kMouse3));
}

class Controls_DI7ModeTest : public Controls_DI7Test, public testing::WithParamInterface<bool> {};

// Keypad Enter and the system keys have codes of their own but no names.
TEST_P(Controls_DI7ModeTest, KeysWhoseCodesHaveNoNameChangeNoName)
{
    Start(GetParam());
    Send({KeyAt(SDL_SCANCODE_KP_ENTER, true), KeyAt(SDL_SCANCODE_LGUI, true), KeyAt(SDL_SCANCODE_F13, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), IsEmpty());
    EXPECT_FALSE(controls->IsAnyKeyActive());
}

INSTANTIATE_TEST_SUITE_P(BufferedAndImmediate, Controls_DI7ModeTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Buffered" : "Immediate";
                         });

TEST_F(Controls_DI7Test, AnUnbufferedMouseTakesItsMovementAndWheelFromItsState)
{
    Start(false);
    Send({MouseMotion(0, 0, 5, 3), MouseMotion(0, 0, -1, 4), MouseWheel(-2)});
    BeginFrame();
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(4, -7));
    EXPECT_EQ(controls->GetWheel(), -240);
    EndFrame();
    BeginFrame();
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(0, 0));
    EXPECT_EQ(controls->GetWheel(), 0);
}

TEST_F(Controls_DI7Test, AMouseButtonClickedWithinAFrameStaysPressedUntilTheFrameEnds)
{
    Start();
    Send({MouseButton(SDL_BUTTON_MIDDLE, true), MouseButton(SDL_BUTTON_MIDDLE, false)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kMouse3));
    EXPECT_TRUE(controls->IsKeyDown(KeyNames::kMouse3));
    EndFrame();
    BeginFrame();
    EXPECT_FALSE(controls->IsKeyDown(KeyNames::kMouse3));
}

// Releases made in another window never arrive; the frame after the focus
// went reads the devices' cleared states and takes them back once.
TEST_F(Controls_DI7Test, LeavingTheWindowLetsHeldKeysGoAndTheNextFrameTakesTheDevicesBack)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_LSHIFT, true), MouseButton(SDL_BUTTON_LEFT, true)});
    Frame();
    Send({Testing::WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    ASSERT_FALSE(Input().GetKeyboard().IsAcquired());
    BeginFrame();
    EXPECT_THAT(KeysDown(), IsEmpty());
    EXPECT_TRUE(Input().GetKeyboard().IsAcquired());
    EXPECT_TRUE(Input().GetMouse().IsAcquired());
    EndFrame();
    Send({KeyAt(SDL_SCANCODE_K, true), KeyAt(SDL_SCANCODE_K, false), MouseMotion(0, 0, 2, 0)});
    BeginFrame();
    EXPECT_THAT(KeysPressed(), ElementsAre(KeyNames::kK));
    EXPECT_THAT(controls->GetMouseMove(), Testing::IsVector2(2, 0));
}

} // namespace
