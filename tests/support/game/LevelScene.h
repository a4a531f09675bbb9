#pragma once

#include "game/LevelRecord.h"
#include "game/StageRecord.h"

#include <memory>

namespace GameTools {
class DataKeeper;
class GameCamera;
} // namespace GameTools

namespace Halvard {
class Engine;
}

namespace Tamrisk {
class Effects;
class Environment;
class GameField;
class GameGeometry;
class GameLogicData;
class Lighting;
} // namespace Tamrisk

namespace Testing {

// One level as the game sets it up, without its moving objects: the level
// data loaded with the stage's environment list, then the camera, lighting,
// effects, field, environment and blocks in the order the game makes them.
// The engine's data folder must hold the level's files.
class LevelScene {
public:
    LevelScene(Halvard::Engine& engine, GameTools::DataKeeper& interfaceData, const Tamrisk::StageRecord& stage,
               const Tamrisk::LevelRecord& level);
    ~LevelScene();

    LevelScene(const LevelScene&) = delete;
    LevelScene& operator=(const LevelScene&) = delete;

    Tamrisk::GameLogicData& Data() { return *data_; }
    GameTools::GameCamera& Camera() { return *camera_; }
    Tamrisk::Lighting& Lights() { return *lighting_; }
    Tamrisk::Effects& Effects() { return *effects_; }
    Tamrisk::GameField& Field() { return *field_; }
    Tamrisk::Environment& Scenery() { return *environment_; }
    Tamrisk::GameGeometry& Geometry() { return *geometry_; }

private:
    // In the order of making: the blocks and scenery go before the effects
    // and lighting they use.
    std::unique_ptr<Tamrisk::GameLogicData> data_;
    std::unique_ptr<GameTools::GameCamera> camera_;
    std::unique_ptr<Tamrisk::Lighting> lighting_;
    std::unique_ptr<Tamrisk::Effects> effects_;
    std::unique_ptr<Tamrisk::GameField> field_;
    std::unique_ptr<Tamrisk::Environment> environment_;
    std::unique_ptr<Tamrisk::GameGeometry> geometry_;
};

} // namespace Testing
