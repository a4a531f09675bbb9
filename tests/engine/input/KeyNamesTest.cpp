#include "engine/input/KeyNames.h"

#include "engine/core/StringUtils.h"
#include "tests/engine/input/ControlsTestBed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <set>

using namespace Halvard;
using Testing::KeyAt;
using Testing::MouseButton;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

bool IsKeyNameSpelling(const std::string& name)
{
    if (name.size() == 1 && std::ispunct(static_cast<unsigned char>(name[0])))
        return true;
    for (const char c : name) {
        if (!std::isupper(static_cast<unsigned char>(c)) && !std::isdigit(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return !name.empty();
}

TEST(KeyNamesTest, TheTableHoldsDistinctNamesWithTheMouseButtonsFirst)
{
    std::set<std::string> names;
    std::set<i32> keyboardCodes;
    for (u32 i = 0; i < kKeyNameCount; ++i) {
        const NamedKey& key = GetKeyNames()[i];
        names.insert(key.name);
        EXPECT_TRUE(IsKeyNameSpelling(key.name)) << key.name;
        if (i < kMouseButtonNameCount) {
            EXPECT_EQ(key.name, "MOUSE" + std::to_string(i + 1));
            EXPECT_EQ(key.code, static_cast<i32>(i));
        } else {
            EXPECT_TRUE(keyboardCodes.insert(key.code).second) << key.name << " shares its code";
            EXPECT_GT(key.code, 0) << key.name;
            EXPECT_LT(key.code, 256) << key.name;
        }
    }
    EXPECT_EQ(names.size(), 108u);
    EXPECT_EQ(GetKeyboardKeyNames().size(), 100u);
    EXPECT_STREQ(GetKeyboardKeyNames().front().name, KeyNames::kCapsLock);
}

// Every keyboard name, pressed at its key's place, is the one name that goes
// down, and the one that goes up again; so are the mouse buttons.
class KeyNameRoundTripTest : public Testing::ControlsTestBed, public testing::WithParamInterface<bool> {};

TEST_P(KeyNameRoundTripTest, EveryKeyReadsBackAsItsOwnName)
{
    Start(GetParam());
    for (const NamedKey& key : GetKeyboardKeyNames()) {
        const SDL_Scancode scancode = Testing::ScancodeForKeyCode(key.code);
        ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << key.name;
        Send({KeyAt(scancode, true)});
        BeginFrame();
        EXPECT_THAT(KeysDown(), ElementsAre(key.name));
        EXPECT_THAT(KeysPressed(), ElementsAre(key.name));
        EndFrame();
        Send({KeyAt(scancode, false)});
        BeginFrame();
        EXPECT_THAT(KeysDown(), IsEmpty()) << key.name;
        EndFrame();
    }
}

TEST_P(KeyNameRoundTripTest, EveryMouseButtonReadsBackAsItsOwnName)
{
    // SDL counts the middle button before the right one.
    constexpr std::array<Uint8, 8> kSdlButtons{SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1,
                                               SDL_BUTTON_X2,   6,                7,                 8};
    Start(GetParam());
    for (u32 button = 0; button < kMouseButtonNameCount; ++button) {
        Send({MouseButton(kSdlButtons[button], true)});
        BeginFrame();
        EXPECT_THAT(KeysDown(), ElementsAre(GetKeyNames()[button].name));
        EndFrame();
        Send({MouseButton(kSdlButtons[button], false)});
        BeginFrame();
        EXPECT_THAT(KeysDown(), IsEmpty()) << GetKeyNames()[button].name;
        EndFrame();
    }
}

INSTANTIATE_TEST_SUITE_P(BufferedAndImmediate, KeyNameRoundTripTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Buffered" : "Immediate";
                         });

class KeyCodeOneTest : public Testing::ControlsTestBed {};

// Code 1 is also the second mouse button's number.
TEST_F(KeyCodeOneTest, TheEscapeKeyIsEscapeAndNeverTheSecondMouseButton)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_ESCAPE, true)});
    BeginFrame();
    EXPECT_THAT(KeysDown(), ElementsAre(KeyNames::kEscape));
    EXPECT_FALSE(controls->IsKeyDown(KeyNames::kMouse2));
    EndFrame();
    Send({MouseButton(SDL_BUTTON_RIGHT, true)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kMouse2));
    EXPECT_FALSE(controls->IsKeyPressed(KeyNames::kEscape));
}

TEST_F(KeyCodeOneTest, TheKeysOtherPartsAskForByNameSitWhereExpected)
{
    Start();
    Send({KeyAt(SDL_SCANCODE_GRAVE, true), KeyAt(SDL_SCANCODE_PRINTSCREEN, true), KeyAt(SDL_SCANCODE_KP_PERIOD, true)});
    BeginFrame();
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kTilde));
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kPrintScrn));
    EXPECT_TRUE(controls->IsKeyPressed(KeyNames::kNumpadDelete));
    EXPECT_THAT(KeysDown(), testing::SizeIs(3));
}

} // namespace
