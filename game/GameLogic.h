#pragma once

#include "framework/logic/GameLogicBase.h"

#include <memory>

namespace GameFramework {
class GUIGameCursorBase;
class ProfileManagerBase;
} // namespace GameFramework

namespace GameTools {
class DataKeeper;
class GameCamera;
} // namespace GameTools

namespace GUITools {
class GUIToolManager;
}

namespace Tamrisk {

class BallManager;
class Barrier;
class Bat;
class BonusManager;
class BulletManager;
class Effects;
class Environment;
class GameData;
class GameField;
class GameGeometry;
class GameLogicData;
class GUIGameLogicTextManager;
class Gun;
class Hammer;
class Lighting;
struct LevelRecord;
struct StageRecord;

// Where the logic's collaborators come from; none is owned. The game cursor
// and the profile manager are only kept.
struct GameLogicSettings {
    GameFramework::GUIGameCursorBase* cursor = nullptr;
    GameFramework::ProfileManagerBase* profiles = nullptr;
    GameFramework::SoundSet* sounds = nullptr;
    GameData* interfaceData = nullptr;
    GameLogicData* levelData = nullptr;
    GUITools::GUIToolManager* tools = nullptr;
    const StageRecord* stage = nullptr;
    const LevelRecord* level = nullptr;
    Halvard::u32 lives = 0;
};

// One level being played: owns every object of the level, runs them once a
// frame with the time scale that falls to 0 while the level is not running,
// applies caught bonuses, counts lives and decides when the level is
// complete or lost. Main thread only.
class GameLogic : public GameFramework::GameLogicBase {
public:
    enum BonusKind : Halvard::u32 {
        kLife = 0,
        kBatIncrease,
        kBatDecrease,
        kBallsSpeedUp,
        kBallsSlowDown,
        kBallsSplit,
        kSuperBall,
        kBarrier,
        kArbalest,
        kBallista,
        kHammer,
    };
    // A life bonus takes the lives no further; a level starts with no more,
    // whatever count the player's file holds.
    static constexpr Halvard::u32 kMaxLives = 100;

    // Member construction errors (missing files, bad formats) reach the
    // caller.
    GameLogic(Halvard::Engine* engine, const GameLogicSettings& settings);
    ~GameLogic() override;

    void Update() override;
    void ApplyBonus(Halvard::u32 kind);
    bool IsBallInPlay() const override;
    // The player's click, from the game window; read and cleared by the next
    // update.
    void SetAction() override { action_ = 1; }
    // The name of a bonus kind as its text names it; "" for none.
    static const char* GetBonusName(Halvard::u32 kind);
    // The level's camera: its lens and the pose it rests in over the field.
    static void SetUpCamera(GameTools::GameCamera& camera);

    Bat& GetBat() const { return *bat_; }
    BallManager& GetBalls() const { return *balls_; }
    BonusManager& GetBonuses() const { return *bonuses_; }
    GameGeometry& GetGeometry() const { return *geometry_; }
    Barrier& GetBarrier() const { return *barrier_; }
    Gun& GetGun(Halvard::u32 index) const { return *guns_[index]; }
    const BulletManager& GetBullets() const { return *bullets_; }
    Effects& GetEffects() const { return *effects_; }
    GUIGameLogicTextManager& GetTexts() const { return *texts_; }
    const GameTools::GameCamera* GetCamera() const override { return camera_.get(); }

private:
    void CreateMembers();
    void UpdateTimeScale(float dt);
    void SetFrozen(bool frozen);
    void Act();
    void HandleLosses();
    void CheckCompletion(float dt);
    void CatchBonuses();
    void PlaySound(Halvard::u32 id) const;

    GameLogicSettings settings_;
    std::unique_ptr<GUIGameLogicTextManager> texts_;
    std::unique_ptr<GameTools::GameCamera> camera_;
    std::unique_ptr<Lighting> lighting_;
    std::unique_ptr<Effects> effects_;
    std::unique_ptr<GameField> field_;
    std::unique_ptr<Environment> environment_;
    std::unique_ptr<Barrier> barrier_;
    std::unique_ptr<BonusManager> bonuses_;
    std::unique_ptr<GameGeometry> geometry_;
    std::unique_ptr<Bat> bat_;
    std::unique_ptr<BulletManager> bullets_;
    std::unique_ptr<Gun> guns_[2];
    std::unique_ptr<Hammer> hammer_;
    std::unique_ptr<BallManager> balls_;
    Halvard::u8 action_ = 0;
    float levelEndTimer_ = 0.0f;
    // A life was paid for the bat's destruction now running: once it ends
    // the bat rises again, even when that was the last life.
    bool respawnPending_ = false;
};

} // namespace Tamrisk
