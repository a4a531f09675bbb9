#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <vector>

namespace GameFramework {
class ScoreKeeper;
class SoundSet;
} // namespace GameFramework

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class AnimationControl;
class Engine;
} // namespace Halvard

namespace Tamrisk {

class BallManager;
class Block;
class BonusManager;
class Effects;
class ExplosionManager;
class GameLogicData;
struct BlockRecord;

// The level's blocks, built from the level data's block records: which must
// still be destroyed, one shared animation that moves them in step, removal
// of finished blocks with their stacks closed up, and the explosions of each
// block kind. Owns every block. Main thread only.
class GameGeometry {
public:
    GameGeometry(Halvard::Engine* engine, GameTools::DataKeeper* interfaceData, GameLogicData* levelData,
                 Effects* effects, GameFramework::ScoreKeeper* scoreKeeper, GameFramework::SoundSet* soundSet);
    GameGeometry(const GameGeometry&) = delete;
    GameGeometry& operator=(const GameGeometry&) = delete;
    virtual ~GameGeometry();

    // Once, from the game logic's constructor; the managers are not owned.
    void BuildBlocks(BonusManager* bonuses, BallManager* balls);
    Block* AddBlock(const BlockRecord* record);
    void Update(float timeScale);
    void SetFrozen(bool frozen) { frozen_ = frozen ? 1 : 0; }
    void RemoveBlock(Block* block);
    // Whether the block must be destroyed to finish the level.
    static bool CountsForCompletion(Halvard::u32 brickKindFlags);

    Halvard::u32 GetBlocksToDestroy() const { return blocksToDestroy_; }
    Halvard::u32 GetInitialBlocksToDestroy() const { return initialBlocksToDestroy_; }
    const std::vector<Block*>& GetBlocks() const { return blocks_; }
    const std::vector<Block*>& GetBricks() const { return bricks_; }
    const std::vector<Block*>& GetBallKeepers() const { return ballKeepers_; }
    ExplosionManager* GetExplosionManager() const { return explosions_.get(); }
    const Halvard::AnimationControl* GetAnimation() const { return animation_.get(); }
    bool IsFrozen() const { return frozen_ != 0; }

private:
    void BuildExplosionGroups();
    void LinkStacks();

    Halvard::Engine* engine_;
    GameTools::DataKeeper* interfaceData_;
    GameLogicData* levelData_;
    Effects* effects_;
    GameFramework::ScoreKeeper* scoreKeeper_;
    GameFramework::SoundSet* soundSet_;
    BonusManager* bonuses_ = nullptr;
    BallManager* balls_ = nullptr;
    std::unique_ptr<ExplosionManager> explosions_;
    std::unique_ptr<Halvard::AnimationControl> animation_;
    std::vector<Block*> blocks_;
    std::vector<Block*> bricks_;
    std::vector<Block*> ballKeepers_;
    Halvard::u32 blocksToDestroy_ = 0;
    Halvard::u32 initialBlocksToDestroy_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
