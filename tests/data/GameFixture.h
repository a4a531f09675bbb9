#pragma once

#include "framework/logic/GameLogicBase.h"
#include "game/Game.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "tests/support/game/GameFixture.h"

#include <functional>
#include <memory>

namespace Testing {

// The game itself, reached from a test: what the flow holds is open to it.
// It rasterises nothing (see RasterizerDiscard) unless the test that looks
// at the screen asks for it: its frames run whole, draws and all, in a
// fraction of the time.
class TestGame : public Tamrisk::Game {
public:
    TestGame();

    using GameBase::GetFlowState;

    // The menus' windows and a running level of stage 1, level 1 played by
    // a current profile, shown in the game window, as the level loading
    // window would leave them.
    GameFramework::GameLogicBase& StartFirstLevel();
};

// Plays frames until the menu window that slot() gives holds the screen,
// then long enough for its frame to have risen into place; nullptr when it
// never comes.
template <class Window, class Slot>
Window* WaitForMenuWindow(const std::function<void()>& frame, const Slot& slot)
{
    Window* window = nullptr;
    for (int count = 0; count < 1500 && (window == nullptr || !window->Tamrisk::GUIMenuWindow::IsVisible()); ++count) {
        frame();
        window = dynamic_cast<Window*>(slot());
    }
    if (window == nullptr || !window->Tamrisk::GUIMenuWindow::IsVisible())
        return nullptr;
    for (int count = 0; count < 30; ++count)
        frame();
    return window;
}

} // namespace Testing
