#pragma once

#include "game/data/BlockRecord.h"
#include "game_tools/DataKeeper.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tamrisk {

struct LevelRecord;
struct StageRecord;

// The level data: the level's resource lists, the block database (one
// description per block kind under "data\game_objects\blocks\"), the level's
// geometry file read into block records, and the models of the block kinds
// the level uses. Made for each level; the load may run on the loading
// thread, and nothing here is read before it has finished.
class GameLogicData : public GameTools::DataKeeper {
public:
    GameLogicData(Halvard::Engine* engine, const std::string& language, const StageRecord* stage,
                  const LevelRecord* level);
    ~GameLogicData() override;

    const StageRecord* GetStage() const { return stage_; }
    const LevelRecord* GetLevel() const { return level_; }
    Halvard::u32 GetKeyFrameCount() const { return keyFrameCount_; }
    float GetAnimationSpeed() const { return animationSpeed_; }
    const std::vector<std::unique_ptr<GameTools::XMLNode>>& GetBlockDescriptions() const { return descriptions_; }
    const std::vector<std::unique_ptr<BlockRecord>>& GetBlockRecords() const { return records_; }
    // A kind's "fragment_count": 0 when absent or negative. Everyone who
    // sizes anything from it reads it here.
    static Halvard::u32 ReadFragmentCount(const GameTools::XMLNode& description);

protected:
    void LoadResources() override;

private:
    void LoadBlockDatabase();
    // The records, their shaders and the models of the kinds in use, once
    // the pictures of the shaders and those models have been counted
    // against the bound.
    void LoadGeometry();
    // The model files of the kinds in use and of the common fragments, with
    // the names they are kept under.
    std::vector<std::pair<std::string, std::string>> BlockModelFiles() const;
    const GameTools::XMLNode* FindDescription(const std::string& blockName) const;
    // Registers the model read from the file (a box when it cannot be read).
    void AddModelFile(const std::string& file, const std::string& name);

    const StageRecord* stage_;
    const LevelRecord* level_;
    Halvard::u32 keyFrameCount_ = 1;
    float animationSpeed_ = 0.0f;
    std::vector<std::unique_ptr<GameTools::XMLNode>> descriptions_;
    std::vector<std::unique_ptr<BlockRecord>> records_;
};

} // namespace Tamrisk
