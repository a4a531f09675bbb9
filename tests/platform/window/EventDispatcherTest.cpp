#include "platform/window/EventDispatcher.h"

#include <SDL.h>

#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/window/SdlWindow.h"
#include "platform/window/SdlWindowSystem.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/SdlEvents.h"

namespace {

using Platform::WindowMessage;
using Testing::Dispatch;
using Testing::KeyDown;
using Testing::KeyUp;
using Testing::TextInput;
using Testing::WindowEvent;
using testing::ElementsAre;
using testing::Pair;

class EventDispatcherTest : public testing::Test {
protected:
    EventDispatcherTest()
    {
        dispatcher().SetProcedure([this](WindowMessage& message) {
            received.push_back({message.id, message.param});
            return false;
        });
    }
    // A test may have put in a procedure that refers to its own locals: it
    // goes before the focus is dropped.
    ~EventDispatcherTest() override
    {
        dispatcher().SetProcedure(nullptr);
        Dispatch({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    }

    static Platform::EventDispatcher& dispatcher() { return Platform::GetEventDispatcher(); }

    std::vector<std::pair<uint32_t, uint32_t>> received;
};

TEST_F(EventDispatcherTest, KeyDownsBecomeKeyMessagesWithTheirVirtualKeyRepeatsIncluded)
{
    Dispatch({KeyDown(SDLK_LEFT), KeyDown(SDLK_LEFT, true), KeyDown(SDLK_q)});
    EXPECT_THAT(received, ElementsAre(Pair(WindowMessage::kKeyDown, Platform::kVkLeft),
                                      Pair(WindowMessage::kKeyDown, Platform::kVkLeft),
                                      Pair(WindowMessage::kKeyDown, static_cast<uint32_t>('Q'))));
}

TEST_F(EventDispatcherTest, KeysWhileAltIsHeldAndF10AreSystemKeys)
{
    Dispatch({KeyDown(SDLK_LALT), KeyDown(SDLK_RETURN), KeyUp(SDLK_LALT), KeyDown(SDLK_RETURN), KeyDown(SDLK_F10)});
    EXPECT_THAT(received, ElementsAre(Pair(WindowMessage::kSysKeyDown, Platform::kVkMenu),
                                      Pair(WindowMessage::kSysKeyDown, Platform::kVkReturn),
                                      Pair(WindowMessage::kKeyDown, Platform::kVkReturn),
                                      Pair(WindowMessage::kSysKeyDown, Platform::kVkF10)));
}

TEST_F(EventDispatcherTest, HeldKeysFollowDownAndUpAndGenericModifiersAnswerForEitherSide)
{
    Dispatch({KeyDown(SDLK_RALT), KeyDown(SDLK_RETURN)});
    EXPECT_TRUE(dispatcher().IsKeyHeld(Platform::kVkMenu));
    EXPECT_TRUE(dispatcher().IsKeyHeld(Platform::kVkRightMenu));
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkLeftMenu));
    EXPECT_TRUE(dispatcher().IsKeyHeld(Platform::kVkReturn));
    Dispatch({KeyDown(SDLK_LALT), KeyUp(SDLK_RALT)});
    EXPECT_TRUE(dispatcher().IsKeyHeld(Platform::kVkMenu));
    Dispatch({KeyUp(SDLK_LALT), KeyUp(SDLK_RETURN)});
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkMenu));
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkReturn));
}

TEST_F(EventDispatcherTest, KeypadKeysFollowNumLock)
{
    SDL_Event withNumLock = KeyDown(SDLK_KP_1);
    withNumLock.key.keysym.mod = KMOD_NUM;
    Dispatch({withNumLock, KeyDown(SDLK_KP_1), KeyDown(SDLK_KP_PERIOD)});
    EXPECT_THAT(received, ElementsAre(Pair(WindowMessage::kKeyDown, Platform::kVkNumpad0 + 1),
                                      Pair(WindowMessage::kKeyDown, Platform::kVkEnd),
                                      Pair(WindowMessage::kKeyDown, Platform::kVkDelete)));
    // Num Lock went off while the key was held: letting go still releases it.
    Dispatch({KeyUp(SDLK_KP_1)});
    SDL_Event releasedWithNumLock = KeyUp(SDLK_KP_PERIOD);
    releasedWithNumLock.key.keysym.mod = KMOD_NUM;
    Dispatch({releasedWithNumLock});
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkNumpad0 + 1));
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkEnd));
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkDelete));
}

TEST_F(EventDispatcherTest, LosingTheFocusReleasesEveryKey)
{
    Dispatch({KeyDown(SDLK_LSHIFT), KeyDown(SDLK_a), WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    EXPECT_FALSE(dispatcher().IsKeyHeld(Platform::kVkShift));
    EXPECT_FALSE(dispatcher().IsKeyHeld('A'));
}

TEST_F(EventDispatcherTest, TextInputBecomesOneCharMessagePerSixteenBitCharacter)
{
    Dispatch({TextInput("a\xC3\xA9\xF0\x9F\x98\x80")});
    EXPECT_THAT(received, ElementsAre(Pair(WindowMessage::kChar, 'a'), Pair(WindowMessage::kChar, 0xE9u),
                                      Pair(WindowMessage::kChar, 0xD83Du), Pair(WindowMessage::kChar, 0xDE00u)));
}

TEST_F(EventDispatcherTest, WithoutAProcedureMessagesAreDroppedButKeysStillTracked)
{
    dispatcher().SetProcedure(nullptr);
    Dispatch({KeyDown(SDLK_LCTRL), Testing::QuitEvent()});
    EXPECT_TRUE(dispatcher().IsKeyHeld(Platform::kVkControl));
    EXPECT_TRUE(received.empty());
}

TEST_F(EventDispatcherTest, PumpTakesOneQueuedEventAtATime)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    while (dispatcher().PumpOne()) {
    }
    received.clear();
    SDL_Event quit = Testing::QuitEvent();
    SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_PushEvent(&quit);
    SDL_PushEvent(&close);
    EXPECT_TRUE(dispatcher().PumpOne());
    EXPECT_THAT(received, ElementsAre(Pair(WindowMessage::kQuit, 0u)));
    EXPECT_TRUE(dispatcher().PumpOne());
    EXPECT_FALSE(dispatcher().PumpOne());
    EXPECT_EQ(received.size(), 2u);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

// A real window of the offscreen driver, for what the dispatcher does to the
// window itself.
class EventDispatcherWindowTest : public EventDispatcherTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system.Open());
        Platform::WindowShape shape;
        shape.rect = Platform::ScreenRect{40, 30, 640, 480};
        shape.captioned = true;
        window = system.CreateWindow("test", shape, 0);
        ASSERT_NE(window, nullptr);
        sdlWindow = static_cast<Platform::SdlWindow*>(window.get())->Get();
        id = SDL_GetWindowID(sdlWindow);
    }
    void TearDown() override
    {
        window.reset();
        system.Close();
    }

    Platform::SdlWindowSystem system;
    std::unique_ptr<Platform::NativeWindow> window;
    SDL_Window* sdlWindow = nullptr;
    Uint32 id = 0;
};

TEST_F(EventDispatcherWindowTest, ASizeChangeOffersTheNewRectangleAndAppliesTheOneTheProcedureGivesBack)
{
    SDL_SetWindowSize(sdlWindow, 700, 500);
    Platform::ScreenRect offered;
    dispatcher().SetProcedure([&](WindowMessage& message) {
        offered = message.rect;
        message.rect = Platform::ScreenRect{40, 30, 640, 480};
        return false;
    });
    Dispatch({WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, id, 700, 500)});
    EXPECT_EQ(offered.width, 700u);
    EXPECT_EQ(offered.height, 500u);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST_F(EventDispatcherWindowTest, AFullScreenWindowIsNotOfferedItsSize)
{
    SDL_SetWindowFullscreen(sdlWindow, SDL_WINDOW_FULLSCREEN);
    Dispatch({WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, id, 1024, 768)});
    EXPECT_TRUE(received.empty());
}

} // namespace
