#pragma once

#include "game/ScoreTable.h"
#include "game/objects/Block.h"

namespace GameFramework {
class ScoreKeeper;
class SoundSet;
} // namespace GameFramework

namespace Tamrisk {

class BonusManager;

// A block with a strength: simple, hard (several hits, its texture more
// damaged with each), unbreakable (25 hits of a simple ball), invisible or
// explosive (its destruction blasts its neighbours). Scores and sounds each
// hit. Main thread only.
class Brick : public Block {
public:
    enum Kind : Halvard::u32 { kSimpleBrick = 1, kHard = 2, kUnbreakable = 4, kInvisible = 8, kExplosive = 16 };
    static constexpr Halvard::u32 kUnbreakableStrength = 25;

    // The sound set, score keeper and bonus manager may be null (tests).
    Brick(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record,
          GameFramework::SoundSet* sounds, GameFramework::ScoreKeeper* scores, BonusManager* bonuses);

    void Update(Halvard::u32 frameA, Halvard::u32 frameB, float t) override;
    void Destroy(Halvard::u32 kind, bool spread) override;
    BlockKind GetBlockKind() const override { return kBrick; }

    Halvard::u32 GetStrength() const { return strength_; }

private:
    void ShowDamage();
    void PlaySound(Halvard::u32 id) const;
    void AddPoints(ScoreKind kind) const;
    void Break();

    GameFramework::SoundSet* sounds_;
    GameFramework::ScoreKeeper* scores_;
    BonusManager* bonuses_;
    Halvard::u32 strength_ = 1;
};

} // namespace Tamrisk
