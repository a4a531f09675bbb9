#pragma once

#include "engine/core/Types.h"

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class Model;
} // namespace Halvard

namespace Tamrisk {

class Block;
class GameGeometry;

// The hammer bonus: a hammer drawn in GUI space that follows the cursor and,
// on a strike, smashes the block under it when its swing reaches the bottom.
// Main thread only.
class Hammer {
public:
    static constexpr Halvard::u32 kBonusStrikes = 6;
    enum Animation : Halvard::i32 { kSwingDown = 0, kSwingBack = 1 };

    Hammer(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameTools::DataKeeper* data,
           GameGeometry* geometry);
    Hammer(const Hammer&) = delete;
    Hammer& operator=(const Hammer&) = delete;
    virtual ~Hammer();

    void AddStrikes(Halvard::u32 count);
    void Remove();
    void Strike();
    void Update(float scale);
    void SetFrozen(bool frozen) { frozen_ = frozen ? 1 : 0; }

    Halvard::u32 GetStrikes() const { return strikes_; }
    Halvard::Model* GetModel() const { return model_; }
    bool IsVisible() const;

private:
    void Follow(float x, float y);
    // The block under the cursor: the nearest whose model the cursor's ray
    // meets, else the first whose box it crosses; null for none.
    Block* FindBlockUnder(float x, float y) const;

    Halvard::Engine* engine_;
    GameFramework::SoundSet* sounds_;
    GameGeometry* geometry_;
    Halvard::Model* model_ = nullptr;
    Halvard::u32 strikes_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
