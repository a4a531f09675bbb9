#pragma once

#include "framework/logic/ScoreKeeper.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"
#include "game_tools/DataKeeper.h"
#include "tools/LevelGeometryWriter.h"

#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Tamrisk {
class BallManager;
class Block;
class BonusManager;
class Effects;
class GameGeometry;
class GameLogicData;
class Lighting;
} // namespace Tamrisk

namespace Testing {

// A block of kind at (x, 0, z), standing on and carrying the given blocks.
// Models the data folder lacks are 2 x 2 x 2 boxes centred on their
// position, so a block resting on another stands 2 higher.
Tools::LevelBlock TestBlock(const std::string& kind, float x, float z, std::vector<Halvard::u16> supports = {},
                            std::vector<Halvard::u16> above = {});

// A level of blocks written into a fresh data folder and built, on a fake
// clock: block kinds "box" (two pieces), "wall", "hard" (strength 3 over a
// texture of 3 frames), "steel" (unbreakable), "bomb" (explosive) and
// "keeper" (a ball keeper), "tough" (strength 5 over 3 frames); a lighting of ambient light alone; a score
// keeper whose kinds are worth 1, 10, 100, ... so its total counts each.
class BlockBed {
public:
    explicit BlockBed(TestEngineOptions options = {});
    ~BlockBed();

    BlockBed(const BlockBed&) = delete;
    BlockBed& operator=(const BlockBed&) = delete;

    // Loads the blocks as the level's data and builds them; the managers
    // are handed to the blocks (null: none).
    void Build(std::vector<Tools::LevelBlock> blocks, Tamrisk::BonusManager* bonuses = nullptr,
               Tamrisk::BallManager* balls = nullptr);
    // Frames of 0.01 s of the geometry, and of the extra work given.
    void RunFor(double seconds, const std::function<void()>& work = {});
    Tamrisk::Block& At(std::size_t index);
    static bool Visible(const Tamrisk::Block& block);
    // How often the kind was scored, read from the total.
    Halvard::u32 Scored(Halvard::u32 kind) const;

    FakeClock clock;
    ScopedClock scoped{clock};
    TestEngine engine;
    GameTools::DataKeeper interfaceData{&engine.Get(), "en", false};
    GameFramework::ScoreKeeper scores{0};
    Tamrisk::StageRecord stage;
    Tamrisk::LevelRecord level;
    // In the order of making: the blocks go before the effects and lighting
    // they use.
    std::unique_ptr<Tamrisk::GameLogicData> levelData;
    std::unique_ptr<Tamrisk::Lighting> lighting;
    std::unique_ptr<Tamrisk::Effects> effects;
    std::unique_ptr<Tamrisk::GameGeometry> geometry;
};

} // namespace Testing
