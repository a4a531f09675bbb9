#include "game/GameLoader.h"

#include "game/Game.h"

namespace Tamrisk {

// Run is called here, not in the base's constructor, so that its virtual
// calls reach this class.
GameLoader::GameLoader(std::string commandLine) : GameLoaderBase(std::move(commandLine)) { Run(); }

std::unique_ptr<GameFramework::GameBase> GameLoader::CreateGame() { return std::make_unique<Game>(); }

} // namespace Tamrisk
