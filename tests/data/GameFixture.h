#pragma once

#include "framework/logic/GameLogicBase.h"
#include "game/Game.h"
#include "tests/support/game/GameFixture.h"

#include <memory>

namespace Testing {

// The game itself, reached from a test: what the flow holds is open to it.
class TestGame : public Tamrisk::Game {
public:
    using GameBase::GetFlowState;

    // The menus' windows and a running level of stage 1, level 1 played by
    // a current profile, shown in the game window, as the level loading
    // window would leave them.
    GameFramework::GameLogicBase& StartFirstLevel();
};

} // namespace Testing
