#pragma once

#include "engine/core/Types.h"

#include "tests/support/FakeAudioDriver.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace GameFramework {
class SoundSet;
}

namespace GUITools {
class GUIToolManager;
}

namespace Tamrisk {
class GameData;
class GameLogic;
class GameLogicData;
class LevelManager;
} // namespace Tamrisk

namespace Testing {

class ScriptedInput;
class TestEngine;

struct LevelRunOptions {
    Halvard::u32 stage = 0;
    Halvard::u32 level = 0;
    Halvard::u32 lives = 3;
    Halvard::u32 seed = 7;
    // Plays to lose: the bat keeps away from the balls and the bonuses.
    bool losing = false;
    // Sounds go to the recording fake device, so plays can be counted.
    bool recordSounds = false;
    bool logEnabled = true;
    // Frames are drawn as the game draws them; without drawing, everything
    // but the rasterising still runs, models and draws included.
    bool drawing = true;
    // The game folder whose data folder is read, in the system's form; the
    // built program's (the shipped data) when empty.
    std::string gameFolder = {};
};

// One shipped level played headless as a player would: the real engine at
// 1024 x 768 with a stencil on the shipped data folder, the interface and
// level data loaded as the framework loads them, the game logic made with
// the player's lives, a fake clock moved 1/60 s a frame and a seeded random
// generator. Each frame the scripted player moves the mouse through SDL's
// queue (and clicks through the logic's action), then the engine's frame
// runs around the logic's update. Serves tests and benchmarks alike.
class LevelRun {
public:
    static constexpr double kFrameSeconds = 1.0 / 60.0;

    explicit LevelRun(const LevelRunOptions& options);
    ~LevelRun();

    LevelRun(const LevelRun&) = delete;
    LevelRun& operator=(const LevelRun&) = delete;

    void Frame();
    // One frame without the scripted player: SDL's queued events are taken,
    // the clock moves, and the work runs where the framework updates the
    // windows, after the input step and before the logic's update.
    void Step(const std::function<void()>& windows);
    // Frames until the level ends (complete or lost) or the cap; answers
    // the frames run.
    Halvard::u32 RunUntilEnd(Halvard::u32 maxFrames);
    // Queues the mouse motion that brings the bat's head to x on the field.
    void MoveBatTo(float x);

    Tamrisk::GameLogic& Logic() { return *logic_; }
    TestEngine& Engine() { return *engine_; }
    GUITools::GUIToolManager& Tools() { return *tools_; }
    Tamrisk::GameData& InterfaceData() { return *interfaceData_; }
    ScriptedInput& Input() { return *input_; }
    Halvard::u32 Frames() const { return frames_; }
    // Starts of the effect's copies on the recording device.
    int CountPlays(Halvard::u32 effectId) const;
    // What the run looks like now, for a failure's message.
    std::string Describe() const;

private:
    LevelRunOptions options_;
    FakeClock clock_;
    ScopedClock scopedClock_{clock_};
    FakeAudioDriver audio_;
    std::optional<ScopedAudioDriver> scopedAudio_;
    std::unique_ptr<TestEngine> engine_;
    std::unique_ptr<ScriptedInput> input_;
    std::unique_ptr<GUITools::GUIToolManager> tools_;
    std::unique_ptr<GameFramework::SoundSet> sounds_;
    std::unique_ptr<Tamrisk::LevelManager> levels_;
    std::unique_ptr<Tamrisk::GameData> interfaceData_;
    std::unique_ptr<Tamrisk::GameLogicData> levelData_;
    std::unique_ptr<Tamrisk::GameLogic> logic_;
    Halvard::u32 frames_ = 0;
};

} // namespace Testing
