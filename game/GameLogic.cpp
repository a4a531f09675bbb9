#include "game/GameLogic.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "framework/logic/ScoreKeeper.h"
#include "framework/sound/SoundSet.h"
#include "game/LevelRecord.h"
#include "game/ScoreTable.h"
#include "game/SoundTable.h"
#include "game/StageRecord.h"
#include "game/data/GameData.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/level/Environment.h"
#include "game/level/GameField.h"
#include "game/objects/GameGeometry.h"
#include "game/level/Lighting.h"
#include "game/objects/BallManager.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game/objects/Bonus.h"
#include "game/objects/BonusManager.h"
#include "game/objects/BulletManager.h"
#include "game/objects/Gun.h"
#include "game/objects/Hammer.h"
#include "game/GUIGameLogicTextManager.h"
#include "game_tools/GameCamera.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

#include <algorithm>
#include <numbers>
#include <utility>

namespace Tamrisk {

using Halvard::u32;

namespace {

constexpr float kFrozenScale = 0.0001f;
constexpr float kLevelEndDelay = 0.3f;
// Fewer counting blocks than this arm the bonus manager's end-level hammer.
constexpr u32 kEndLevelBlocks = 8;

constexpr const char* kBonusNames[] = {"life",          "bat_increase", "bat_decrease", "balls_speed_up",
                                       "balls_slow_down", "balls_split", "super_ball",   "barrier",
                                       "arbalest",      "ballista",     "hammer"};

} // namespace

GameLogic::GameLogic(Halvard::Engine* engine, const GameLogicSettings& settings)
    : GameLogicBase(engine, settings.sounds, settings.stage, settings.level, std::min(settings.lives, kMaxLives))
    , settings_(settings)
{
    for (const ScoreEntry& entry : kScoreTable)
        GetScoreKeeper().AddScoreKind(entry.kind, entry.points);
    CreateMembers();
    geometry_->BuildBlocks(bonuses_.get(), balls_.get());
    balls_->AddBall(0);
    PauseTimer(true);
    PlaySound(kSoundLevelBegin);
    SetTimeScale(1.0f);
    levelEndTimer_ = 0.0f;
    action_ = 0;
}

void GameLogic::CreateMembers()
{
    Halvard::Engine* engine = GetEngine();
    GameData* ui = settings_.interfaceData;
    GameFramework::SoundSet* sounds = settings_.sounds;
    texts_ = std::make_unique<GUIGameLogicTextManager>(
        engine, settings_.tools->GetFontTool()->GetFontIndex("tip"), ui->GetTextLayerWindow());
    camera_ = std::make_unique<GameTools::GameCamera>(engine);
    SetUpCamera(*camera_);
    lighting_ = std::make_unique<Lighting>(engine, "lighting.ini");
    effects_ = std::make_unique<Effects>(engine, lighting_.get());
    field_ = std::make_unique<GameField>(engine, "field.tkf");
    environment_ = std::make_unique<Environment>(engine, settings_.levelData, settings_.stage->environment);
    barrier_ = std::make_unique<Barrier>(engine, ui, effects_.get(), sounds);
    bonuses_ = std::make_unique<BonusManager>(engine, effects_.get(), ui, sounds);
    geometry_ = std::make_unique<GameGeometry>(engine, ui, settings_.levelData, effects_.get(), &GetScoreKeeper(),
                                               sounds);
    bat_ = std::make_unique<Bat>(engine, ui, effects_.get(), sounds);
    bullets_ = std::make_unique<BulletManager>(engine, ui, effects_.get(), sounds, field_.get(), geometry_.get());
    for (u32 index = 0; index < 2; ++index)
        guns_[index] = std::make_unique<Gun>(engine, ui, effects_.get(), &bat_->GetBodyMatrix(), sounds,
                                             bullets_.get(), index);
    hammer_ = std::make_unique<Hammer>(engine, sounds, ui, geometry_.get());
    balls_ = std::make_unique<BallManager>(engine, ui, effects_.get(), field_.get(), geometry_.get(), bat_.get(),
                                           barrier_.get(), sounds, GetLives());
}

GameLogic::~GameLogic()
{
    balls_.reset();
    hammer_.reset();
    guns_[0].reset();
    guns_[1].reset();
    bullets_.reset();
    bat_.reset();
    geometry_.reset();
    bonuses_.reset();
    barrier_.reset();
    lighting_.reset();
    environment_.reset();
    field_.reset();
    effects_.reset();
    camera_.reset();
    texts_.reset();
}

void GameLogic::SetUpCamera(GameTools::GameCamera& camera)
{
    camera.SetFieldOfView(90.0f * std::numbers::pi_v<float> / 180.0f);
    camera.SetNearPlane(70.0f);
    camera.SetFarPlane(650.0f);
    camera.baseOrientation = Halvard::Quaternion(0.4939f, 0.0f, 0.0f, 0.8695f);
    camera.basePosition = Halvard::Vector3(0.0f, -140.0f, 98.0f);
    camera.Reset();
}

const char* GameLogic::GetBonusName(u32 kind)
{
    return kind < std::size(kBonusNames) ? kBonusNames[kind] : "";
}

void GameLogic::Update()
{
    GameLogicBase::Update();
    const float dt = GetTimerManager()->GetFrameTime();
    UpdateTimeScale(dt);
    const float scale = GetTimeScale();
    camera_->Update();
    if (action_ != 0)
        Act();
    geometry_->Update(scale);
    bat_->Update(scale);
    balls_->Update(GetLives(), scale);
    if (geometry_->GetBlocksToDestroy() < kEndLevelBlocks)
        bonuses_->ArmEndLevelBonus();
    bonuses_->Update(balls_->IsBallInPlay(), GetLives(), scale);
    HandleLosses();
    CheckCompletion(dt);
    CatchBonuses();
    barrier_->Update();
    guns_[0]->Update(scale);
    guns_[1]->Update(scale);
    hammer_->Update(scale);
    bullets_->Update(scale);
    effects_->Update();
    texts_->Update();
    action_ = 0;
    PauseTimer(GetState() != kRunning || !balls_->IsBallInPlay());
}

void GameLogic::UpdateTimeScale(float dt)
{
    const float old = GetTimeScale();
    const float scale = std::clamp(old + (GetState() != kRunning ? -dt : dt), 0.0f, 1.0f);
    SetTimeScale(scale);
    if ((old >= kFrozenScale) != (scale >= kFrozenScale))
        SetFrozen(scale < kFrozenScale);
}

void GameLogic::SetFrozen(bool frozen)
{
    balls_->SetFrozen(frozen);
    geometry_->SetFrozen(frozen);
    bonuses_->SetFrozen(frozen);
    bat_->SetFrozen(frozen);
    guns_[0]->SetFrozen(frozen);
    guns_[1]->SetFrozen(frozen);
    hammer_->SetFrozen(frozen);
    bullets_->SetFrozen(frozen);
}

// A click launches a held ball or fires one gun, and always strikes with the
// hammer when it can. A ball leaves only a bat that has risen into place:
// during the rise it sits below the loss line and would be lost at once.
void GameLogic::Act()
{
    const bool frozen = GetTimeScale() < kFrozenScale;
    if (bat_->HasRisen() && balls_->HasBallOnBat() && !frozen) {
        balls_->Launch();
    } else if (!frozen && guns_[0]->GetShots() > 0) {
        guns_[0]->Fire();
    } else if (!frozen && guns_[1]->GetShots() > 0) {
        guns_[1]->Fire();
    }
    if (!frozen && hammer_->GetStrikes() > 0)
        hammer_->Strike();
}

// Losing every ball while the bat stands costs a life and the bat; once its
// destruction has run, the bat rises again with a held ball, also after the
// last life was paid. With no life left the level is lost, once.
void GameLogic::HandleLosses()
{
    const bool ballsGone = geometry_->GetBlocksToDestroy() > 0 && balls_->GetBalls().empty();
    if (!ballsGone && !bat_->IsHidden())
        return;
    if (bat_->IsPresent() && !bat_->IsHidden()) {
        if (GetLives() > 0) {
            SetLives(GetLives() - 1);
            bat_->Destroy();
            guns_[0]->Remove();
            guns_[1]->Remove();
            hammer_->Remove();
            balls_->ResetSpeed(true);
            respawnPending_ = true;
        } else if (GetState() == kRunning) {
            PlaySound(kSoundLevelFailed);
            SetState(kGameOver);
            bat_->Destroy();
        }
    } else if (!bat_->IsPresent() && respawnPending_ && GetState() != kGameOver) {
        respawnPending_ = false;
        bat_->Respawn();
        balls_->AddBall(0);
    }
}

void GameLogic::CheckCompletion(float dt)
{
    if (geometry_->GetBlocksToDestroy() != 0)
        return;
    levelEndTimer_ += dt;
    if (levelEndTimer_ > kLevelEndDelay && GetState() == kRunning) {
        PlaySound(kSoundLevelComplete);
        SetState(kLevelComplete);
    }
}

void GameLogic::CatchBonuses()
{
    if (!bat_->IsPresent() || bat_->IsHidden())
        return;
    const auto& bonuses = bonuses_->GetBonuses();
    for (u32 index = 0; index < bonuses.size(); ++index) {
        const Bonus& bonus = *bonuses[index];
        if (!bonus.IsActive() || bonus.IsCaught() || !bonus.GetBoundingBox().Intersects(bat_->GetCatchBox()))
            continue;
        ApplyBonus(bonus.GetKind());
        const std::wstring text =
            settings_.tools->GetTextTool()->GetText(std::string("game_logic/bonuses/") + GetBonusName(bonus.GetKind()));
        texts_->AddText(text, bonus.GetBoundingBox().GetCenter());
        bonuses_->CatchBonus(index);
        GetScoreKeeper().AddPoints(kScoreBonusCaught, 1);
        PlaySound(kSoundBonusGet);
    }
}

void GameLogic::ApplyBonus(u32 kind)
{
    switch (kind) {
    case kLife: SetLives(GetLives() < kMaxLives ? GetLives() + 1 : kMaxLives); break;
    case kBatIncrease: bat_->Enlarge(); break;
    case kBatDecrease: bat_->Shrink(); break;
    case kBallsSpeedUp: balls_->SpeedUp(); break;
    case kBallsSlowDown: balls_->SlowDown(); break;
    case kBallsSplit: balls_->Split(); break;
    case kSuperBall: balls_->MakeSuper(); break;
    case kBarrier: barrier_->Activate(); break;
    case kArbalest:
        guns_[1]->Remove();
        guns_[0]->AddShots(Gun::kArbalestShots);
        break;
    case kBallista:
        guns_[0]->Remove();
        guns_[1]->AddShots(Gun::kBallistaShots);
        break;
    case kHammer: hammer_->AddStrikes(Hammer::kBonusStrikes); break;
    default: break;
    }
}

bool GameLogic::IsBallInPlay() const { return balls_->IsBallInPlay(); }

void GameLogic::PlaySound(u32 id) const
{
    if (GetSoundSet() != nullptr)
        GetSoundSet()->PlaySound(id);
}

} // namespace Tamrisk
