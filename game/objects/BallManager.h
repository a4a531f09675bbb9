#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <memory>
#include <vector>

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class ParticleSystem;
class Physics;
class Plane;
class SpriteGroup;
} // namespace Halvard

namespace Tamrisk {

class Ball;
class Barrier;
class Bat;
class Effects;
class GameField;
class GameGeometry;

// Every ball of the level: moves them through the engine's collision module
// against the bat, the barrier, the blocks and the field's walls, bounces
// them with a small turn, loses those that fall behind the bat, and carries
// out the ball bonuses. Everything is made at construction: 18 balls, their
// flares, 2 x 36 hit sparks. Main thread only.
class BallManager {
public:
    static constexpr Halvard::u32 kMaxBalls = 18;
    static constexpr Halvard::u32 kSplitLimit = 12;
    // Collision ids: the bat's head, the barrier, block i at kFirstBlockId + i.
    static constexpr Halvard::u32 kBatId = 0;
    static constexpr Halvard::u32 kBarrierId = 2;
    static constexpr Halvard::u32 kFirstBlockId = 3;
    static constexpr float kLossLine = -100.0f;

    // The sound set may be null (silent tests).
    BallManager(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, const GameField* field,
                GameGeometry* geometry, Bat* bat, Barrier* barrier, GameFramework::SoundSet* sounds,
                Halvard::u32 lives);
    BallManager(const BallManager&) = delete;
    BallManager& operator=(const BallManager&) = delete;
    virtual ~BallManager();

    void Update(Halvard::u32 lives, float scale);
    // Always a ball held on the bat.
    Ball* AddBall(Halvard::u32 type);
    void RemoveBall(Halvard::u32 index);
    void Launch() { launchRequested_ = 1; }
    bool HasBallOnBat() const;
    bool IsBallInPlay() const { return ballsInPlay_ != 0; }
    void SetFrozen(bool frozen);
    void SpeedUp();
    void SlowDown();
    void Split();
    void MakeSuper();
    void ResetSpeed(bool afterLoss);

    float GetBaseSpeed() const;
    float GetMinSpeed() const;
    float GetMaxSpeed() const;
    float GetSpeed() const { return speed_; }
    const std::vector<Ball*>& GetBalls() const { return balls_; }
    const std::vector<std::unique_ptr<Ball>>& GetPool() const { return pool_; }

    // The mirror image of the direction in the plane; the plane's normal
    // when a ray along the direction never meets it.
    static Halvard::Vector2 ReflectDirection(const Halvard::Plane& plane, const Halvard::Vector2& position,
                                             const Halvard::Vector2& direction);
    // The few degrees every bounce off a wall or a block is turned by.
    static Halvard::Vector2 Deflect(const Halvard::Vector2& oldDirection, const Halvard::Vector2& newDirection);

private:
    struct SpeedEffect {
        Halvard::u8 active = 0;
        float amount = 0.0f;
        float time = 0.0f;
    };

    // Where a step first meets the inner face of a wall.
    struct WallContact {
        float fraction = 2.0f;
        Halvard::Vector2 position{0.0f, 0.0f};
        Halvard::Vector3 normal{0.0f, 0.0f, 0.0f};
        Halvard::Vector3 point{0.0f, 0.0f, 0.0f};
    };

    void ReadWalls();
    void RemoveLostBalls();
    void ReplaceEscapedBalls();
    void RunSpeedEffects();
    void RegisterPhysicsObjects();
    // The ball goes this frame's whole step, or up to the first thing it
    // meets on the way and bounces off it.
    void MoveBall(Ball& ball, float scale, std::vector<Halvard::u32>& excluded);
    // What the ball's move passes through: the frame's list, and for a ball
    // moving away from the bat also the bat and the barrier.
    const std::vector<Halvard::u32>& PassedBy(const Halvard::Vector2& direction,
                                              const std::vector<Halvard::u32>& excluded);
    bool FindWall(const Halvard::Vector2& start, const Halvard::Vector2& step, float radius,
                  WallContact& contact) const;
    void HitBlock(const Ball& ball, Halvard::u32 id, Halvard::Vector3 point, std::vector<Halvard::u32>& excluded);
    float RunSpeedEffect(SpeedEffect& effect, float dt) const;
    void ShowHitEffect(const Ball& ball, const Halvard::Vector3& point);
    void PlaySound(Halvard::u32 id) const;
    float SpeedOffset() const;

    Halvard::Engine* engine_;
    const GameField* field_;
    GameGeometry* geometry_;
    Barrier* barrier_;
    Bat* bat_;
    GameFramework::SoundSet* sounds_;
    Halvard::SpriteGroup* flares_ = nullptr;
    std::unique_ptr<Halvard::Physics> physics_;
    std::vector<std::unique_ptr<Ball>> pool_;
    std::vector<Ball*> balls_;
    std::vector<Halvard::ParticleSystem*> hits_[2];
    Halvard::u32 lives_ = 0;
    float speed_ = 0.0f;
    SpeedEffect speedUp_;
    SpeedEffect slowDown_;
    Halvard::u8 launchRequested_ = 0;
    float leftWall_ = 0.0f;
    float rightWall_ = 0.0f;
    float topWall_ = 0.0f;
    // A field without some wall lets balls through on that side.
    bool hasLeftWall_ = false;
    bool hasRightWall_ = false;
    bool hasTopWall_ = false;
    // The frame's exclusion list, shared by all its balls, and the one
    // ball's copy that also holds the bat and the barrier; kept to spare
    // allocations a frame.
    std::vector<Halvard::u32> excluded_;
    std::vector<Halvard::u32> risingExcluded_;
    Halvard::u8 ballsInPlay_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
