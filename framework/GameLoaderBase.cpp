#include "framework/GameLoaderBase.h"

#include "engine/core/Error.h"
#include "framework/GameBase.h"
#include "platform/os/MessageBox.h"
#include "platform/window/EventDispatcher.h"

namespace GameFramework {

GameLoaderBase::GameLoaderBase(std::string commandLine) : commandLine_(std::move(commandLine)) {}

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Run()
{
    try {
        game_ = CreateGame();
        RunLoop();
        DeleteGame();
    } catch (const Halvard::Error& error) {
        Fail(error.GetText());
    } catch (...) {
        Fail("Unhandled exception!");
    }
}

// The box comes once the game, and with it the engine and its window, is
// gone. A delete that throws again here has nothing left to delete.
void GameLoaderBase::Fail(const std::string& text)
{
    try {
        DeleteGame();
    } catch (...) {
    }
    failed_ = true;
    Platform::ShowMessageBox("Fatal Error", text, Platform::MessageBoxIcon::kError);
}

void GameLoaderBase::DeleteGame()
{
    std::unique_ptr<GameBase> game = std::move(game_);
    game.reset();
}

void GameLoaderBase::RunLoop()
{
    Platform::EventDispatcher& dispatcher = Platform::GetEventDispatcher();
    do {
        if (!dispatcher.PumpOne())
            game_->Update();
    } while (!game_->IsQuitRequested());
}

} // namespace GameFramework
