#pragma once

#include "engine/core/Math.h"

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
}

namespace Tamrisk {

class Bullet;
class Effects;
class GameField;
class GameGeometry;

// The pools of bolts: 30 for the arbalest, 20 for the ballista. Main thread
// only.
class BulletManager {
public:
    static constexpr unsigned kArbalestPool = 30;
    static constexpr unsigned kBallistaPool = 20;

    BulletManager(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects,
                  GameFramework::SoundSet* sounds, const GameField* field, GameGeometry* geometry);
    BulletManager(const BulletManager&) = delete;
    BulletManager& operator=(const BulletManager&) = delete;
    virtual ~BulletManager();

    void SetFrozen(bool frozen);
    void FireArbalest(const Halvard::Matrix4& transform);
    void FireBallista(const Halvard::Matrix4& transform);
    // The first bolt of the pool not in flight; else the last that has hit;
    // else none.
    static Bullet* FindFreeBullet(const std::vector<Bullet*>& pool);
    void Update(float scale);

    const std::vector<std::unique_ptr<Bullet>>& GetBullets() const { return bullets_; }
    const std::vector<Bullet*>& GetPool(unsigned kind) const { return pools_[kind]; }

private:
    void Fire(unsigned kind, const Halvard::Matrix4& transform);

    GameFramework::SoundSet* sounds_;
    std::vector<std::unique_ptr<Bullet>> bullets_;
    std::vector<Bullet*> pools_[2];
    bool frozen_ = false;
};

} // namespace Tamrisk
