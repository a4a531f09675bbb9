#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
class RandomSelecter;
} // namespace GameTools

namespace Halvard {
class Engine;
class Model;
class SpriteGroup;
} // namespace Halvard

namespace Tamrisk {

class Bonus;
class Effects;

// When a destroyed brick drops a bonus and of which kind, the falling
// bonuses, their recycled models, and the hammer dropped every 8.5 s once
// few bricks are left. Main thread only.
class BonusManager {
public:
    enum Kind : Halvard::u32 {
        kLife = 0,
        kBatIncrease = 1,
        kBatDecrease = 2,
        kBallsSpeedUp = 3,
        kBallsSlowDown = 4,
        kBallsSplit = 5,
        kBallsSuper = 6,
        kBarrier = 7,
        kArbalest = 8,
        kBallista = 9,
        kHammer = 10,
        kRandom = 11,
    };
    static constexpr Halvard::u32 kKindCount = 11;
    static constexpr float kEndLevelDelay = 8.5f;

    // The sound set may be null (silent tests).
    BonusManager(Halvard::Engine* engine, Effects* effects, GameTools::DataKeeper* data,
                 GameFramework::SoundSet* sounds);
    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;
    virtual ~BonusManager();

    void Update(bool ballsInPlay, Halvard::u32 lives, float scale);
    void OnBrickDestroyed(const Halvard::Vector3& point);
    void DropBonus(const Halvard::Vector3& point, Halvard::u32 kind);
    void ArmEndLevelBonus();
    void SetFrozen(bool frozen) { frozen_ = frozen ? 1 : 0; }
    void CatchBonus(Halvard::u32 index);
    static std::string GetKindName(Halvard::u32 kind);

    const std::vector<std::unique_ptr<Bonus>>& GetBonuses() const { return bonuses_; }
    float GetCountdown() const { return countdown_; }
    float GetEndLevelTimer() const { return endLevelTimer_; }
    const GameTools::RandomSelecter& GetSelecter() const { return *selecter_; }
    // Slot 2 x kind + k: a hidden model waiting for the next bonus of the
    // kind, or null.
    Halvard::Model* GetCachedModel(Halvard::u32 slot) const { return modelCache_[slot]; }

private:
    Halvard::Model* TakeCachedModel(Halvard::u32 kind);
    void ReturnModel(Halvard::u32 kind, Halvard::Model* model);
    void DropEndLevelHammer();

    Halvard::Engine* engine_;
    Effects* effects_;
    GameTools::DataKeeper* data_;
    GameFramework::SoundSet* sounds_;
    float countdown_ = 0.0f;
    std::unique_ptr<GameTools::RandomSelecter> selecter_;
    Halvard::u32 lives_ = 10;
    Halvard::u8 endLevelArmed_ = 1;
    float endLevelTimer_ = -1.0f;
    Halvard::SpriteGroup* flares_ = nullptr;
    Halvard::Model* modelCache_[2 * kKindCount] = {};
    std::vector<std::unique_ptr<Bonus>> bonuses_;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
