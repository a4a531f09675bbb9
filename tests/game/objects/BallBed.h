#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "framework/sound/SoundSet.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/level/GameField.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/FakeEngine.h"
#include "tools/LevelGeometryWriter.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Testing {

struct BallBedOptions {
    std::vector<Tools::LevelBlock> blocks;
    Halvard::u32 lives = 4;
    // The simple ball's; the super ball's is a quarter larger.
    float ballRadius = 2.0f;
};

// What a level's balls meet, on the fake engine and clock: a field walled at
// x -80 and 80 and at y 120, a bat of half width 10, a barrier whose rope
// spans y -96 to -94 right across the field, and blocks of the kind "box"
// (the 2 x 2 x 2 box that stands in for a missing model, centred on its
// position). Every sound of the game is registered, one copy each, so that
// plays can be counted by number. The random sequence is seeded.
class BallBed {
public:
    static constexpr float kBallRadius = 2.0f;
    static constexpr float kSuperRadius = 2.5f;
    static constexpr float kBatHalfWidth = 10.0f;

    using Options = BallBedOptions;

    explicit BallBed(Options options = {});
    ~BallBed();

    // A block standing on the field at (x, y), turned about the vertical and
    // scaled by the given factors: a simple brick ("box"), an unbreakable one
    // ("steel") or a keeper of a simple ball ("keeper").
    static Tools::LevelBlock Box(float x, float y, float turn = 0.0f, std::array<float, 3> scale = {1, 1, 1},
                                 const std::string& kind = "box");

    // One frame: the clock and timers move on, the bat (kept where it is
    // unless it follows the mouse) and the balls update, the sounds start.
    void Frame(double seconds, float scale = 1.0f, bool batFollowsMouse = false);
    void Frames(int count, double seconds, float scale = 1.0f);
    // The bat stands in place, at the middle of the field.
    void RaiseBat();
    // A free ball of the type at the place, heading in the direction.
    Tamrisk::Ball* Throw(const Halvard::Vector2& position, const Halvard::Vector2& direction,
                         Halvard::u32 type = Tamrisk::Ball::kSimple);
    // Device plays of the sound with that number so far.
    int Plays(Halvard::u32 sound) const;

    Tamrisk::BallManager& Balls() { return *balls; }

    Halvard::u32 lives;
    FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> data;
    Tamrisk::StageRecord stage;
    Tamrisk::LevelRecord level;
    std::unique_ptr<Tamrisk::GameLogicData> levelData;
    std::unique_ptr<Tamrisk::Effects> effects;
    std::unique_ptr<Tamrisk::GameField> field;
    std::unique_ptr<Tamrisk::GameGeometry> geometry;
    std::unique_ptr<GameFramework::SoundSet> sounds;
    std::unique_ptr<Tamrisk::Bat> bat;
    std::unique_ptr<Tamrisk::Barrier> barrier;
    std::unique_ptr<Tamrisk::BallManager> balls;

private:
    void WriteFiles(const std::vector<Tools::LevelBlock>& blocks);
};

} // namespace Testing
