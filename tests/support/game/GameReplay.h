#pragma once

#include "tests/support/ReplayClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/game/GameFixture.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/Types.h"

#include <gtest/gtest.h>

namespace Halvard {
class GUIWindow;
}

namespace Tamrisk {
class Game;
class GameLogic;
} // namespace Tamrisk

namespace Testing {

// The whole game played in this process as the program runs it: the game
// made as the loader makes it, on the built program's folder and a fresh
// user folder whose ini file asks for 1024x768 windowed; each frame takes
// every waiting SDL event, moves the replay clock one step and runs one
// update of the game. The player's hands are SDL events only; what the
// test sees is the window on screen, the logic's state, files and the log.
// Frames run whole but are rasterised only where the screen is looked at
// (RunDrawnFrames): drawing the others would be most of a replay's time.
class GameReplay {
public:
    // Enough frames for any one step of the menus; loads run on a worker and
    // take what they take in real time, while the replay clock stands still.
    static constexpr int kStepFrames = 3000;
    // A window's controls finish coming in before the player clicks one.
    static constexpr int kSettleFrames = 15;

    GameReplay();
    ~GameReplay();

    GameReplay(const GameReplay&) = delete;
    GameReplay& operator=(const GameReplay&) = delete;

    // A new run of the game on the same folders, once the last has ended;
    // the windows seen start afresh.
    void Restart();
    // Ends the run where it stands, as the loader ends it once the program
    // quits: the game is destroyed. Restart makes the next one.
    void End();

    // One frame. An error of the system ends the run, as the loader ends
    // it; the text is kept for the test.
    void Frame();
    // Frames until the window on screen has the description name (at most
    // maxFrames); whether it came.
    bool RunUntilWindow(const std::string& name, int maxFrames);
    void RunFrames(int count);
    // The same frames rasterised, so that the screen can be looked at after
    // them; no other frame is.
    void RunDrawnFrames(int count);

    // The description name of the menu window holding the screen; else that
    // of the game window while it shows; else "logos" while the logos run;
    // else empty (a hand-over between windows, or the run has ended).
    std::string CurrentWindow() const;
    // Each window name CurrentWindow gave, in order, once per stay; empty
    // stretches left out.
    const std::vector<std::string>& WindowsSeen() const { return seen_; }
    // Frames run while CurrentWindow gave the name.
    int FramesOn(const std::string& name) const;

    // The scripted player on the level in play, through the mouse alone: the
    // bat led under the balls (or away from them when losing), a held ball
    // launched by a click. Frames until the logic leaves its running state
    // (at most maxFrames); the logic's state then, or none without a logic.
    std::optional<Halvard::u32> PlayLevel(bool losing, int maxFrames);
    // One frame of the scripted player while the logic runs: the mouse
    // moved, the button pressed or released, then the frame. Whether the
    // frame ran (not without a logic in its running state). A click spans two
    // calls, so a held button carries over to the next.
    bool PlayFrame(bool losing);
    // The level's logic, or null without a run or a level.
    const Tamrisk::GameLogic* Logic() const;
    // The logic's state, or none without a run or a logic.
    std::optional<Halvard::u32> LogicState() const;
    // The same player, stopping before the first frame at which done holds
    // of the logic (still running), or when the logic leaves its running
    // state. A button the player holds is let go on the way out.
    std::optional<Halvard::u32> PlayLevelUntil(bool losing, int maxFrames,
                                               const std::function<bool(const Tamrisk::GameLogic&)>& done);

    // The mouse over the middle of a widget; a press and a release there.
    void PointAt(const Halvard::GUIWindow& widget);
    void Click(const Halvard::GUIWindow& widget);
    // A click on a button of the menu window holding the screen, by its name
    // inside the window's frame; false (and no click) when there is none.
    bool ClickButton(const std::string& name);
    // As a player goes from window to window: the window on screen settles,
    // its button is clicked, then frames until the window named comes. A
    // failure says which step failed, on what, and the system's error.
    ::testing::AssertionResult ClickThrough(const std::string& button, const std::string& window);
    // The characters typed one at a time, each followed by its frames.
    void TypeKeys(const std::string& text, int framesEach);

    Tamrisk::Game* Game() const { return game_.get(); }
    bool Ended() const { return game_ == nullptr; }
    const std::string& ErrorText() const { return error_; }
    ScriptedInput& Input() { return *input_; }
    const GameFixture& Fixture() const { return fixture_; }
    std::filesystem::path UserFolder() const { return fixture_.UserFolder(); }

private:
    void Start();
    void Observe();

    ReplayClock clock_;
    ScopedClock scopedClock_;
    GameFixture fixture_;
    std::unique_ptr<Tamrisk::Game> game_;
    std::unique_ptr<ScriptedInput> input_;
    std::string error_;
    std::vector<std::string> seen_;
    // The frames of each stay in seen_.
    std::vector<int> stayFrames_;
    // The scripted player pressed the button last frame to launch a ball.
    bool launchPressed_ = false;
};

} // namespace Testing
