#include "platform/window/VirtualKeys.h"

#include <SDL.h>

#include <gtest/gtest.h>

namespace {

using Platform::SidedVirtualKeyFromSdl;
using Platform::VirtualKeyFromSdl;

uint32_t Key(SDL_Keycode keycode) { return VirtualKeyFromSdl(keycode, SDL_SCANCODE_UNKNOWN); }

TEST(VirtualKeysTest, EditingAndNavigationKeysHaveTheirCodes)
{
    EXPECT_EQ(Key(SDLK_BACKSPACE), 8u);
    EXPECT_EQ(Key(SDLK_TAB), 9u);
    EXPECT_EQ(Key(SDLK_RETURN), 13u);
    EXPECT_EQ(Key(SDLK_ESCAPE), 27u);
    EXPECT_EQ(Key(SDLK_SPACE), 32u);
    EXPECT_EQ(Key(SDLK_PAGEUP), 33u);
    EXPECT_EQ(Key(SDLK_PAGEDOWN), 34u);
    EXPECT_EQ(Key(SDLK_END), 35u);
    EXPECT_EQ(Key(SDLK_HOME), 36u);
    EXPECT_EQ(Key(SDLK_LEFT), 37u);
    EXPECT_EQ(Key(SDLK_UP), 38u);
    EXPECT_EQ(Key(SDLK_RIGHT), 39u);
    EXPECT_EQ(Key(SDLK_DOWN), 40u);
    EXPECT_EQ(Key(SDLK_INSERT), 45u);
    EXPECT_EQ(Key(SDLK_DELETE), 46u);
    EXPECT_EQ(Key(SDLK_PRINTSCREEN), 0x2Cu);
}

TEST(VirtualKeysTest, LettersAndDigitsAreTheirUpperCaseCharacters)
{
    EXPECT_EQ(Key(SDLK_a), static_cast<uint32_t>('A'));
    EXPECT_EQ(Key(SDLK_m), static_cast<uint32_t>('M'));
    EXPECT_EQ(Key(SDLK_z), static_cast<uint32_t>('Z'));
    EXPECT_EQ(Key(SDLK_0), static_cast<uint32_t>('0'));
    EXPECT_EQ(Key(SDLK_9), static_cast<uint32_t>('9'));
}

TEST(VirtualKeysTest, FunctionKeysRunFromF1ToF24)
{
    EXPECT_EQ(Key(SDLK_F1), 0x70u);
    EXPECT_EQ(Key(SDLK_F10), 0x79u);
    EXPECT_EQ(Key(SDLK_F12), 0x7Bu);
    EXPECT_EQ(Key(SDLK_F13), 0x7Cu);
    EXPECT_EQ(Key(SDLK_F24), 0x87u);
}

TEST(VirtualKeysTest, KeypadKeysAreTheNumpadCodesAndItsEnterIsReturn)
{
    EXPECT_EQ(Key(SDLK_KP_0), 0x60u);
    EXPECT_EQ(Key(SDLK_KP_1), 0x61u);
    EXPECT_EQ(Key(SDLK_KP_9), 0x69u);
    EXPECT_EQ(Key(SDLK_KP_MULTIPLY), 0x6Au);
    EXPECT_EQ(Key(SDLK_KP_PLUS), 0x6Bu);
    EXPECT_EQ(Key(SDLK_KP_MINUS), 0x6Du);
    EXPECT_EQ(Key(SDLK_KP_PERIOD), 0x6Eu);
    EXPECT_EQ(Key(SDLK_KP_DIVIDE), 0x6Fu);
    EXPECT_EQ(Key(SDLK_KP_ENTER), 13u);
}

TEST(VirtualKeysTest, WithoutNumLockTheKeypadDigitsAreTheKeysPrintedBeneathThem)
{
    const auto off = [](SDL_Keycode keycode) { return VirtualKeyFromSdl(keycode, SDL_SCANCODE_UNKNOWN, false); };
    EXPECT_EQ(off(SDLK_KP_0), 45u);
    EXPECT_EQ(off(SDLK_KP_1), 35u);
    EXPECT_EQ(off(SDLK_KP_2), 40u);
    EXPECT_EQ(off(SDLK_KP_3), 34u);
    EXPECT_EQ(off(SDLK_KP_4), 37u);
    EXPECT_EQ(off(SDLK_KP_5), 0x0Cu);
    EXPECT_EQ(off(SDLK_KP_6), 39u);
    EXPECT_EQ(off(SDLK_KP_7), 36u);
    EXPECT_EQ(off(SDLK_KP_8), 38u);
    EXPECT_EQ(off(SDLK_KP_9), 33u);
    EXPECT_EQ(off(SDLK_KP_PERIOD), 46u);
    EXPECT_EQ(off(SDLK_KP_ENTER), 13u);
    EXPECT_EQ(off(SDLK_KP_PLUS), 0x6Bu);
    EXPECT_EQ(off(SDLK_1), static_cast<uint32_t>('1'));
}

TEST(VirtualKeysTest, ModifiersAreGenericInMessagesAndSidedInTheHeldState)
{
    EXPECT_EQ(Key(SDLK_LSHIFT), 0x10u);
    EXPECT_EQ(Key(SDLK_RSHIFT), 0x10u);
    EXPECT_EQ(Key(SDLK_LCTRL), 0x11u);
    EXPECT_EQ(Key(SDLK_RCTRL), 0x11u);
    EXPECT_EQ(Key(SDLK_LALT), 0x12u);
    EXPECT_EQ(Key(SDLK_RALT), 0x12u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 0xA0u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 0xA1u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_LCTRL, SDL_SCANCODE_LCTRL), 0xA2u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_RCTRL, SDL_SCANCODE_RCTRL), 0xA3u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_LALT, SDL_SCANCODE_LALT), 0xA4u);
    EXPECT_EQ(SidedVirtualKeyFromSdl(SDLK_RALT, SDL_SCANCODE_RALT), 0xA5u);
}

TEST(VirtualKeysTest, PunctuationHasTheOemCodes)
{
    EXPECT_EQ(Key(SDLK_SEMICOLON), 0xBAu);
    EXPECT_EQ(Key(SDLK_MINUS), 0xBDu);
    EXPECT_EQ(Key(SDLK_BACKQUOTE), 0xC0u);
    EXPECT_EQ(Key(SDLK_LEFTBRACKET), 0xDBu);
    EXPECT_EQ(Key(SDLK_QUOTE), 0xDEu);
}

TEST(VirtualKeysTest, KeysThatTheLayoutTurnedIntoUnknownCharactersFallBackOnTheirPlace)
{
    // A French keyboard's "2" key gives 'é'; a German one's "-" key gives 'ß'.
    EXPECT_EQ(VirtualKeyFromSdl(0xE9, SDL_SCANCODE_2), static_cast<uint32_t>('2'));
    EXPECT_EQ(VirtualKeyFromSdl(0xDF, SDL_SCANCODE_MINUS), 0xBDu);
    EXPECT_EQ(VirtualKeyFromSdl(0xFC, SDL_SCANCODE_LEFTBRACKET), 0xDBu);
    EXPECT_EQ(VirtualKeyFromSdl(0x3C, SDL_SCANCODE_NONUSBACKSLASH), 0xE2u);
}

TEST(VirtualKeysTest, KeysWithoutAVirtualKeyGiveZero)
{
    EXPECT_EQ(Key(SDLK_UNKNOWN), 0u);
    EXPECT_EQ(Key(SDLK_AUDIONEXT), 0u);
    EXPECT_EQ(VirtualKeyFromSdl(0xE9, SDL_SCANCODE_UNKNOWN), 0u);
}

} // namespace
