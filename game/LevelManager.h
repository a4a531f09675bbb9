#pragma once

#include "framework/levels/LevelManagerBase.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"

namespace Tamrisk {

// The game's stages and levels: each stage names its environment, each level
// its geometry file and its ace time. The list is read at construction; a
// fault in it, an ace time beyond kMostAceTime or a list without a single
// level ends the program.
class LevelManager : public GameFramework::LevelManagerBase {
public:
    // The shipped levels ask for five minutes at most; ten hours leaves any
    // level room, and a list asking for more is refused naming the file, so
    // that a bonus counted from the ace time stays small.
    static constexpr Halvard::i32 kMostAceTime = 10 * 60 * 60;

    explicit LevelManager(Halvard::Engine* engine);

    // "data\environment\<environment>_resources.xml" of the level's stage.
    void GetLevelResources(const GameFramework::LevelReference& level,
                           std::vector<std::string>& resources) const override;

    // Null for a stage or a reference outside the tables.
    const StageRecord* GetGameStage(Halvard::u32 stage) const;
    const LevelRecord* GetGameLevel(const GameFramework::LevelReference& level) const;

    // "<SS>_<LL>.tkg": each index with at least two digits.
    static std::string MakeGeometryFileName(const GameFramework::LevelReference& level);

protected:
    std::unique_ptr<GameFramework::StageRecordBase> CreateStage() override;
    std::unique_ptr<GameFramework::LevelRecordBase> CreateLevel() override;
    void ParseStage(GameFramework::StageRecordBase& stage, const GameTools::XMLNode& element) override;
    void ParseLevel(GameFramework::LevelRecordBase& level, const GameTools::XMLNode& element) override;
};

} // namespace Tamrisk
