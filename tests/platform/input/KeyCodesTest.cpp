#include "platform/input/KeyCodes.h"

#include <SDL.h>

#include <map>

#include <gtest/gtest.h>

namespace {

using Platform::KeyCodeFromScancode;
using Platform::MouseButtonFromSdl;

TEST(KeyCodesTest, LettersAreNamedByTheirPlaceOnTheKeyboard)
{
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_Q), 0x10);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_A), 0x1E);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_Z), 0x2C);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_M), 0x32);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_ESCAPE), 0x01);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_0), 0x0B);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_GRAVE), 0x29);
}

TEST(KeyCodesTest, ExtendedKeysTakeTheirCodePlus0x80)
{
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RCTRL), 0x9D);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RALT), 0xB8);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_DIVIDE), 0xB5);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_PRINTSCREEN), 0xB7);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_UP), 0xC8);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_DELETE), 0xD3);
}

TEST(KeyCodesTest, KeypadKeysKeepTheirOwnCodes)
{
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_0), 0x52);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_7), 0x47);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_PERIOD), 0x53);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_KP_MULTIPLY), 0x37);
}

TEST(KeyCodesTest, KeysWithoutACodeAndScancodesOutOfRangeReadZero)
{
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_MUTE), 0);
    EXPECT_EQ(KeyCodeFromScancode(-1), 0);
    EXPECT_EQ(KeyCodeFromScancode(SDL_NUM_SCANCODES), 0);
}

// The two backslash places are one key on any given keyboard.
TEST(KeyCodesTest, OnlyTheTwoBackslashPlacesShareACode)
{
    std::map<uint8_t, int> places;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        if (const uint8_t code = KeyCodeFromScancode(scancode); code != 0)
            ++places[code];
    }
    for (const auto& [code, count] : places)
        EXPECT_EQ(count, code == 0x2B ? 2 : 1) << "code " << int(code);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_NONUSHASH), KeyCodeFromScancode(SDL_SCANCODE_BACKSLASH));
}

TEST(KeyCodesTest, MouseButtonsTakeTheDevicesOrderWithRightBeforeMiddle)
{
    EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_LEFT), 0);
    EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_RIGHT), 1);
    EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_MIDDLE), 2);
    EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_X1), 3);
    EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_X2), 4);
    EXPECT_EQ(MouseButtonFromSdl(8), 7);
    EXPECT_EQ(MouseButtonFromSdl(9), -1);
    EXPECT_EQ(MouseButtonFromSdl(0), -1);
}

} // namespace
