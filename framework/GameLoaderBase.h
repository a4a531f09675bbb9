#pragma once

#include <memory>
#include <string>

namespace GameFramework {

class GameBase;

// Runs one whole program: makes the application object, pumps the window's
// messages while running one frame whenever none is waiting, and deletes the
// object once it asks to quit. It is the last line of defence: whatever
// escapes creation, the loop or deletion deletes the game first and then
// shows a "Fatal Error" box. A game derives it, fills CreateGame and calls
// Run from its own constructor. Main thread only.
class GameLoaderBase {
public:
    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;
    virtual ~GameLoaderBase();

    // Never lets an exception out.
    virtual void Run();

    const std::string& GetCommandLine() const { return commandLine_; }
    // Whether Run ended in a "Fatal Error" box.
    bool HasFailed() const { return failed_; }
    GameBase* GetGame() const { return game_.get(); }

protected:
    // Starts nothing; the command line is kept for the game.
    explicit GameLoaderBase(std::string commandLine);

    // A new application object whose constructor has run its start-up.
    virtual std::unique_ptr<GameBase> CreateGame() = 0;
    // Deletes the game when there is one. The pointer is cleared before the
    // delete, so a delete that throws is never repeated by the handler's
    // second call.
    virtual void DeleteGame();
    // Until the game asks to quit: one waiting message, or else one frame.
    virtual void RunLoop();

private:
    void Fail(const std::string& text);

    std::string commandLine_;
    std::unique_ptr<GameBase> game_;
    bool failed_ = false;
};

} // namespace GameFramework
