#pragma once

#include "framework/GameLoaderBase.h"

#include <string>

namespace Tamrisk {

// Runs the whole game inside its constructor: makes the Game, runs its loop
// and deletes it, with the loader's "Fatal Error" boxes for anything that
// escapes.
class GameLoader : public GameFramework::GameLoaderBase {
public:
    explicit GameLoader(std::string commandLine);

protected:
    std::unique_ptr<GameFramework::GameBase> CreateGame() override;
};

} // namespace Tamrisk
