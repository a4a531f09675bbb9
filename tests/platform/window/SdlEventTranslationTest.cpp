#include "platform/window/SdlEventTranslation.h"

#include <SDL.h>

#include <cstring>

#include <gtest/gtest.h>

#include "tests/support/SdlEvents.h"
#include "tests/support/SdlEvents.h"

namespace {

using Platform::SystemEvent;
using Platform::TranslateSdlEvent;

template <typename Event>
Event As(const SystemEvent& event)
{
    const auto* typed = std::get_if<Event>(&event);
    EXPECT_NE(typed, nullptr);
    return typed != nullptr ? *typed : Event{};
}

TEST(SdlEventTranslationTest, KeysKeepTheirCodesRepeatAndNumLock)
{
    SDL_Event down = Testing::KeyAt(SDL_SCANCODE_KP_1, true, true);
    down.key.keysym.sym = SDLK_KP_1;
    down.key.keysym.mod = KMOD_NUM | KMOD_LSHIFT;
    const auto key = As<Platform::KeyEvent>(TranslateSdlEvent(down));
    EXPECT_TRUE(key.down);
    EXPECT_TRUE(key.repeat);
    EXPECT_TRUE(key.numLock);
    EXPECT_EQ(key.keyCode, SDLK_KP_1);
    EXPECT_EQ(key.scancode, SDL_SCANCODE_KP_1);

    const auto up = As<Platform::KeyEvent>(TranslateSdlEvent(Testing::KeyAt(SDL_SCANCODE_A, false)));
    EXPECT_FALSE(up.down);
    EXPECT_FALSE(up.repeat);
    EXPECT_FALSE(up.numLock);
    EXPECT_EQ(up.scancode, SDL_SCANCODE_A);
}

TEST(SdlEventTranslationTest, MouseEventsCarryTheirWindowPositionAndDeviceButton)
{
    const auto motion = As<Platform::MouseMotionEvent>(TranslateSdlEvent(Testing::MouseMotion(120, 45, -3, 7, 9)));
    EXPECT_EQ(motion.windowId, 9u);
    EXPECT_EQ(motion.x, 120);
    EXPECT_EQ(motion.y, 45);
    EXPECT_EQ(motion.dx, -3);
    EXPECT_EQ(motion.dy, 7);

    const struct {
        Uint8 sdlButton;
        int32_t button;
    } buttons[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2}, {SDL_BUTTON_X1, 3}, {200, -1}};
    for (const auto& row : buttons) {
        SDL_Event sdl = Testing::MouseButton(row.sdlButton, false, 30, 40);
        sdl.button.windowID = 5;
        const auto button = As<Platform::MouseButtonEvent>(TranslateSdlEvent(sdl));
        EXPECT_EQ(button.button, row.button) << int(row.sdlButton);
        EXPECT_FALSE(button.down);
        EXPECT_EQ(button.windowId, 5u);
        EXPECT_EQ(button.x, 30);
        EXPECT_EQ(button.y, 40);
    }
}

TEST(SdlEventTranslationTest, TheWheelReportsItsOwnTurnWhateverWayTheDesktopScrolls)
{
    EXPECT_EQ(As<Platform::MouseWheelEvent>(TranslateSdlEvent(Testing::MouseWheel(2))).notches, 2);
    EXPECT_EQ(As<Platform::MouseWheelEvent>(TranslateSdlEvent(Testing::MouseWheel(2, true))).notches, -2);
}

TEST(SdlEventTranslationTest, WindowEventsNameTheirChange)
{
    using Platform::WindowEvent;
    const struct {
        SDL_WindowEventID sdl;
        WindowEvent::Change change;
    } rows[] = {
        {SDL_WINDOWEVENT_CLOSE, WindowEvent::kClose},         {SDL_WINDOWEVENT_FOCUS_GAINED, WindowEvent::kFocusGained},
        {SDL_WINDOWEVENT_FOCUS_LOST, WindowEvent::kFocusLost}, {SDL_WINDOWEVENT_MINIMIZED, WindowEvent::kMinimized},
        {SDL_WINDOWEVENT_MAXIMIZED, WindowEvent::kMaximized},  {SDL_WINDOWEVENT_RESTORED, WindowEvent::kRestored},
        {SDL_WINDOWEVENT_SIZE_CHANGED, WindowEvent::kSizeChanged}, {SDL_WINDOWEVENT_MOVED, WindowEvent::kOther},
    };
    for (const auto& row : rows) {
        const auto window = As<WindowEvent>(TranslateSdlEvent(Testing::WindowEvent(row.sdl, 4, 640, 480)));
        EXPECT_EQ(window.change, row.change) << int(row.sdl);
        EXPECT_EQ(window.windowId, 4u);
        EXPECT_EQ(window.width, 640);
        EXPECT_EQ(window.height, 480);
    }
}

TEST(SdlEventTranslationTest, TextStopsAtItsEndEvenWithoutATerminator)
{
    EXPECT_EQ(As<Platform::TextEvent>(TranslateSdlEvent(Testing::TextInput("a\xC3\xA9"))).utf8, "a\xC3\xA9");

    SDL_Event full{};
    full.text.type = SDL_TEXTINPUT;
    std::memset(full.text.text, 'x', sizeof(full.text.text));
    EXPECT_EQ(As<Platform::TextEvent>(TranslateSdlEvent(full)).utf8, std::string(sizeof(full.text.text), 'x'));
}

TEST(SdlEventTranslationTest, QuitIsItsOwnEventAndOthersAreEmpty)
{
    EXPECT_TRUE(std::holds_alternative<Platform::QuitEvent>(TranslateSdlEvent(Testing::QuitEvent())));
    SDL_Event drop{};
    drop.type = SDL_DROPFILE;
    EXPECT_TRUE(std::holds_alternative<std::monostate>(TranslateSdlEvent(drop)));
}

} // namespace
