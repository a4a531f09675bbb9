#pragma once

#include "game/objects/Block.h"

namespace GameFramework {
class ScoreKeeper;
class SoundSet;
} // namespace GameFramework

namespace Tamrisk {

class Ball;
class BallManager;

// A block holding a ball, simple or super, that it sets free when it is
// destroyed. Main thread only.
class BallKeeper : public Block {
public:
    enum Kind : Halvard::u32 { kSimpleBall = 1, kSuperBall = 2 };

    // The ball manager, score keeper and sound set may be null (tests).
    BallKeeper(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record,
               BallManager* balls, GameFramework::ScoreKeeper* scores, GameFramework::SoundSet* sounds);
    ~BallKeeper() override;

    void Update(Halvard::u32 frameA, Halvard::u32 frameB, float t) override;
    void Destroy(Halvard::u32 kind, bool spread) override;
    void SetVisible(bool visible) override;
    void UpdateTransform() override;

    Halvard::Model* GetBallModel() const { return ballModel_; }
    // The ball set free, null before.
    BlockKind GetBlockKind() const override { return kBallKeeper; }
    Ball* GetReleasedBall() const override { return releasedBall_; }

private:
    BallManager* balls_;
    GameFramework::ScoreKeeper* scores_;
    GameFramework::SoundSet* sounds_;
    Halvard::Model* ballModel_ = nullptr;
    Halvard::Matrix4 ballOffset_;
    Ball* releasedBall_ = nullptr;
};

} // namespace Tamrisk
