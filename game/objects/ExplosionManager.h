#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
}

namespace Tamrisk {

class Block;
class Effects;
class Explosion;

// The level's block explosions, in groups of one block kind each; a destroyed
// block starts a free explosion of its group. Main thread only.
class ExplosionManager {
public:
    // The most explosions one group holds.
    static constexpr Halvard::u32 kMaxGroupSize = 21;

    ExplosionManager(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects);
    ExplosionManager(const ExplosionManager&) = delete;
    ExplosionManager& operator=(const ExplosionManager&) = delete;
    virtual ~ExplosionManager();

    // A group for count blocks of one kind, each explosion of pieces pieces
    // named name + "/NN"; returns the group's id.
    Halvard::u32 CreateGroup(const std::string& name, Halvard::u32 pieces, bool models, Halvard::u32 count);
    // Starts a free explosion of the block's group, or the one that has run
    // longest when all run; nothing for a block without a group.
    void Trigger(const Block& block);
    void Update();

    // The explosions a group for count blocks holds: about one for two
    // blocks, at least one, at most kMaxGroupSize.
    static Halvard::u32 GetGroupSize(Halvard::u32 count);
    // The explosion Trigger starts for a block of the group: the group's
    // first idle one, else the one that has run longest; null when every one
    // has only just started.
    Explosion* PickExplosion(Halvard::u32 group) const;

    const std::vector<std::pair<Halvard::u32, std::unique_ptr<Explosion>>>& GetRecords() const { return records_; }

private:
    Halvard::Engine* engine_;
    GameTools::DataKeeper* data_;
    Effects* effects_;
    Halvard::u32 nextGroupId_ = 0;
    std::vector<std::pair<Halvard::u32, std::unique_ptr<Explosion>>> records_;
};

} // namespace Tamrisk
