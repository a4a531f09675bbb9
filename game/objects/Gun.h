#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <memory>

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

class BulletManager;
class Effects;
class GunPart;

// One of the bat's two guns (0 the arbalest, 1 the ballista): its shots, its
// fire interval and its mounted part. Main thread only.
class Gun {
public:
    enum Index : Halvard::u32 { kArbalest = 0, kBallista = 1 };
    static constexpr Halvard::u32 kArbalestShots = 24;
    static constexpr Halvard::u32 kBallistaShots = 12;

    // "arbalet" or "ballista": the names its resources are found by.
    static const char* GetKindName(Halvard::u32 index);

    // mount: the bat's body matrix, which the gun sits on and fires from.
    Gun(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, const Halvard::Matrix4* mount,
        GameFramework::SoundSet* sounds, BulletManager* bullets, Halvard::u32 index);
    Gun(const Gun&) = delete;
    Gun& operator=(const Gun&) = delete;
    virtual ~Gun();

    void SetFrozen(bool frozen) { frozen_ = frozen ? 1 : 0; }
    void Fire();
    void AddShots(Halvard::u32 count);
    void Remove();
    void Update(float scale);

    Halvard::u32 GetShots() const { return shots_; }
    Halvard::u32 GetShotsFired() const { return shotsFired_; }
    const GunPart& GetPart() const { return *part_; }

private:
    Halvard::TimerManager* timers_;
    const Halvard::Matrix4* mount_;
    BulletManager* bullets_;
    Halvard::u32 index_;
    std::unique_ptr<GunPart> part_;
    Halvard::u8 fireRequest_ = 0;
    Halvard::u32 shots_ = 0;
    Halvard::u32 shotsFired_ = 0;
    float lastShotTime_ = 0.0f;
    float fireInterval_ = 0.0f;
    float clock_ = 0.0f;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
