#include "platform/input/InputDevice.h"

#include <array>
#include <climits>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/input/KeyboardDevice.h"
#include "platform/input/MouseDevice.h"

namespace {

using Platform::InputEvent;
using Platform::kInputDown;
using ReadResult = Platform::InputDevice::ReadResult;
using testing::ElementsAre;

MATCHER_P2(IsEvent, code, data, "")
{
    *result_listener << "{" << arg.code << ", " << arg.data << "}";
    return arg.code == static_cast<uint32_t>(code) && arg.data == data;
}

InputEvent Down(uint32_t code) { return InputEvent{code, kInputDown}; }
InputEvent Up(uint32_t code) { return InputEvent{code, 0}; }
auto IsDown(uint32_t code) { return IsEvent(code, kInputDown); }

class InputDeviceTest : public testing::Test {
protected:
    // What one read of room for eight events hands over.
    std::vector<InputEvent> ReadFrame(Platform::InputDevice& device, ReadResult expected = ReadResult::kOk)
    {
        std::array<InputEvent, 8> room;
        size_t count = 99;
        EXPECT_EQ(device.Read(room, count), expected);
        return std::vector<InputEvent>(room.begin(), room.begin() + static_cast<long>(count));
    }

    Platform::KeyboardDevice keyboard;
    Platform::MouseDevice mouse;
};

TEST_F(InputDeviceTest, AnUnacquiredDeviceHearsNothing)
{
    keyboard.SetBufferSize(8);
    keyboard.Post(Down(0x1E));
    EXPECT_TRUE(ReadFrame(keyboard, ReadResult::kNotAcquired).empty());
    Platform::KeyboardDevice::KeyStates keys{};
    EXPECT_FALSE(keyboard.GetState(keys));
    keyboard.Acquire();
    ASSERT_TRUE(keyboard.GetState(keys));
    EXPECT_EQ(keys[0x1E], 0);
}

TEST_F(InputDeviceTest, EventsComeOldestFirstAndTheRestWaitForTheNextRead)
{
    keyboard.SetBufferSize(8);
    keyboard.Acquire();
    for (uint32_t code = 1; code <= 8; ++code)
        keyboard.Post(Down(code));
    std::array<InputEvent, 3> room;
    size_t count = 0;
    EXPECT_EQ(keyboard.Read(room, count), ReadResult::kOk);
    EXPECT_EQ(count, 3u);
    EXPECT_THAT(room, ElementsAre(IsDown(1), IsDown(2), IsDown(3)));
    EXPECT_THAT(ReadFrame(keyboard), ElementsAre(IsDown(4), IsDown(5), IsDown(6), IsDown(7), IsDown(8)));
    EXPECT_TRUE(ReadFrame(keyboard).empty());
}

TEST_F(InputDeviceTest, AnOverflowEmptiesTheBufferButTheStateStaysRight)
{
    keyboard.SetBufferSize(8);
    keyboard.Acquire();
    for (uint32_t code = 1; code <= 9; ++code)
        keyboard.Post(Down(code));
    keyboard.Post(Up(1));
    EXPECT_TRUE(ReadFrame(keyboard, ReadResult::kOverflow).empty());
    EXPECT_TRUE(ReadFrame(keyboard).empty());
    Platform::KeyboardDevice::KeyStates keys{};
    ASSERT_TRUE(keyboard.GetState(keys));
    EXPECT_EQ(keys[1], 0);
    EXPECT_EQ(keys[9], kInputDown);
}

TEST_F(InputDeviceTest, WithoutABufferOnlyTheStateIsKept)
{
    keyboard.Acquire();
    keyboard.Post(Down(0x39));
    EXPECT_TRUE(ReadFrame(keyboard).empty());
    Platform::KeyboardDevice::KeyStates keys{};
    ASSERT_TRUE(keyboard.GetState(keys));
    EXPECT_EQ(keys[0x39], kInputDown);
}

TEST_F(InputDeviceTest, ABufferAboveTheLimitIsRefusedAndLeavesTheDeviceUnbuffered)
{
    EXPECT_TRUE(keyboard.SetBufferSize(Platform::InputDevice::kMaxBufferSize));
    EXPECT_FALSE(keyboard.SetBufferSize(Platform::InputDevice::kMaxBufferSize + 1));
    keyboard.Acquire();
    keyboard.Post(Down(2));
    EXPECT_TRUE(ReadFrame(keyboard).empty());
}

TEST_F(InputDeviceTest, ADeviceThatCannotBufferRefusesEveryBuffer)
{
    keyboard.SetBufferLimit(0);
    EXPECT_FALSE(keyboard.SetBufferSize(8));
    EXPECT_TRUE(keyboard.SetBufferSize(0));
    keyboard.SetBufferLimit(8);
    EXPECT_TRUE(keyboard.SetBufferSize(8));
    EXPECT_FALSE(keyboard.SetBufferSize(9));
}

TEST_F(InputDeviceTest, LosingTheDeviceDropsItsEventsAndLetsEveryKeyGo)
{
    keyboard.SetBufferSize(8);
    keyboard.Acquire();
    keyboard.Post(Down(0x10));
    keyboard.Lose();
    EXPECT_FALSE(keyboard.IsAcquired());
    EXPECT_TRUE(ReadFrame(keyboard, ReadResult::kNotAcquired).empty());
    keyboard.Acquire();
    EXPECT_TRUE(ReadFrame(keyboard).empty());
    Platform::KeyboardDevice::KeyStates keys{};
    ASSERT_TRUE(keyboard.GetState(keys));
    EXPECT_EQ(keys[0x10], 0);
}

TEST_F(InputDeviceTest, ReleaseLeavesTheDeviceUnacquiredAndUnbuffered)
{
    keyboard.SetBufferSize(8);
    keyboard.Acquire();
    keyboard.Post(Down(3));
    keyboard.Release();
    EXPECT_FALSE(keyboard.IsAcquired());
    keyboard.Acquire();
    keyboard.Post(Down(4));
    EXPECT_TRUE(ReadFrame(keyboard).empty());
}

TEST_F(InputDeviceTest, MouseMovementFoldsIntoItsAxisUntilAButtonComesBetween)
{
    mouse.SetBufferSize(16);
    mouse.Acquire();
    mouse.Post({Platform::kMouseX, 1});
    mouse.Post({Platform::kMouseY, 2});
    mouse.Post({Platform::kMouseX, 3});
    mouse.Post({Platform::kMouseWheel, 120});
    mouse.Post({Platform::kMouseWheel, -240});
    mouse.Post(Down(Platform::kMouseButton0));
    mouse.Post({Platform::kMouseX, 5});
    EXPECT_THAT(ReadFrame(mouse), ElementsAre(IsEvent(Platform::kMouseX, 4), IsEvent(Platform::kMouseY, 2),
                                              IsEvent(Platform::kMouseWheel, -120), IsDown(Platform::kMouseButton0),
                                              IsEvent(Platform::kMouseX, 5)));
}

TEST_F(InputDeviceTest, MouseStateHandsOverItsMovementOnceAndKeepsItsButtons)
{
    mouse.Acquire();
    mouse.Post({Platform::kMouseX, 5});
    mouse.Post({Platform::kMouseY, -7});
    mouse.Post({Platform::kMouseWheel, 120});
    mouse.Post(Down(Platform::kMouseButton0 + 2));
    Platform::MouseDevice::State state;
    ASSERT_TRUE(mouse.GetState(state));
    EXPECT_EQ(state.x, 5);
    EXPECT_EQ(state.y, -7);
    EXPECT_EQ(state.wheel, 120);
    EXPECT_EQ(state.buttons[2], kInputDown);
    ASSERT_TRUE(mouse.GetState(state));
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.wheel, 0);
    EXPECT_EQ(state.buttons[2], kInputDown);
}

TEST_F(InputDeviceTest, MovementGatheredBeyondTheRangeStopsAtItsEnds)
{
    mouse.SetBufferSize(16);
    mouse.Acquire();
    for (int i = 0; i < 3; ++i) {
        mouse.Post({Platform::kMouseX, INT32_MAX});
        mouse.Post({Platform::kMouseWheel, INT32_MIN});
    }
    Platform::MouseDevice::State state;
    ASSERT_TRUE(mouse.GetState(state));
    EXPECT_EQ(state.x, INT32_MAX);
    EXPECT_EQ(state.wheel, INT32_MIN);
    EXPECT_THAT(ReadFrame(mouse), ElementsAre(IsEvent(Platform::kMouseX, INT32_MAX),
                                              IsEvent(Platform::kMouseWheel, INT32_MIN)));
}

} // namespace
