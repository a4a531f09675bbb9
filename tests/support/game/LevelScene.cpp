#include "tests/support/game/LevelScene.h"

#include "game/GameLogic.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/level/Environment.h"
#include "game/level/GameField.h"
#include "game/objects/GameGeometry.h"
#include "game/level/Lighting.h"
#include "game_tools/GameCamera.h"

namespace Testing {

LevelScene::LevelScene(Halvard::Engine& engine, GameTools::DataKeeper& interfaceData,
                       const Tamrisk::StageRecord& stage, const Tamrisk::LevelRecord& level)
{
    data_ = std::make_unique<Tamrisk::GameLogicData>(&engine, "en", &stage, &level);
    data_->AddResourcesFile("data\\environment\\" + stage.environment + "_resources.xml", false);
    data_->Load();
    data_->FinishLoading();
    camera_ = std::make_unique<GameTools::GameCamera>(&engine);
    Tamrisk::GameLogic::SetUpCamera(*camera_);
    lighting_ = std::make_unique<Tamrisk::Lighting>(&engine, "lighting.ini");
    effects_ = std::make_unique<Tamrisk::Effects>(&engine, lighting_.get());
    field_ = std::make_unique<Tamrisk::GameField>(&engine, "field.tkf");
    environment_ = std::make_unique<Tamrisk::Environment>(&engine, data_.get(), stage.environment);
    geometry_ = std::make_unique<Tamrisk::GameGeometry>(&engine, &interfaceData, data_.get(), effects_.get(), nullptr,
                                                        nullptr);
    geometry_->BuildBlocks(nullptr, nullptr);
}

LevelScene::~LevelScene() = default;

} // namespace Testing
