#include "game/objects/BonusManager.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/level/Effects.h"
#include "game/objects/Bonus.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/RandomSelecter.h"

using namespace Halvard;

namespace Tamrisk {

namespace {

struct KindRecord {
    const char* name;
    u8 red, green, blue;
    u32 weight;
};

// The weight of "life" is replaced on every random draw by the spare lives.
constexpr KindRecord kKinds[BonusManager::kKindCount] = {
    {"life", 0, 144, 255, 4},           {"bat_increase", 0, 144, 255, 7},   {"bat_decrease", 255, 66, 0, 6},
    {"balls_speed_up", 255, 66, 0, 9},  {"balls_slow_down", 0, 144, 255, 8}, {"balls_split", 0, 144, 255, 16},
    {"balls_super", 0, 144, 255, 10},   {"barrier", 0, 144, 255, 13},        {"arbalest", 255, 216, 0, 18},
    {"ballista", 255, 216, 0, 11},      {"hammer", 255, 216, 0, 12},
};

constexpr u32 kLifeWeightNoLives = 28;
constexpr u32 kLifeWeightOneLife = 16;
constexpr u32 kLifeWeightMoreLives = 4;

constexpr u32 kFlareCapacity = 100;
constexpr float kFlareDepth = -0.3f;
constexpr float kFlareSize = 10.0f;
// Each destroyed brick takes this share off the time still to wait.
constexpr float kCountdownShrink = 0.04f;
constexpr float kFullScale = 0.9999f;
constexpr float kEffectHeight = 5.0f;
constexpr float kEffectDepth = -0.3f;
constexpr float kEffectDepthPerUnit = 0.0004f;

std::string ModelName(u32 kind) { return std::string("bonuses/") + kKinds[kind].name; }

} // namespace

BonusManager::BonusManager(Engine* engine, Effects* effects, GameTools::DataKeeper* data,
                           GameFramework::SoundSet* sounds)
    : engine_(engine)
    , effects_(effects)
    , data_(data)
    , sounds_(sounds)
    , countdown_(RandomFloat(6.0f, 9.0f))
    , selecter_(std::make_unique<GameTools::RandomSelecter>())
{
    for (u32 kind = 0; kind < kKindCount; ++kind)
        selecter_->Add(kind, kKinds[kind].weight);

    Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    flares_ = engine->GetSpriteGroupManager()->CreateSpriteGroup(kFlareCapacity, data->GetShaderUser("bonuses/flare"),
                                                                 camera);
    flares_->GetModel()->SetFlags(Model::kFixedDepth);
    flares_->GetModel()->depth = kFlareDepth;

    ModelManager* models = engine->GetModelManager();
    for (u32 slot = 0; slot < 2 * kKindCount; ++slot) {
        modelCache_[slot] = models->CopyModel(*data->GetModel(ModelName(slot / 2)), camera, 0);
        modelCache_[slot]->ClearFlags(Model::kVisible);
    }
}

BonusManager::~BonusManager()
{
    // The bonuses give their flares back to the group first.
    bonuses_.clear();
    engine_->GetSpriteGroupManager()->DestroySpriteGroup(flares_);
    for (Model* model : modelCache_)
        engine_->GetModelManager()->DestroyModel(model);
}

void BonusManager::Update(bool ballsInPlay, u32 lives, float scale)
{
    if (frozen_ != 0)
        return;
    const float frame = engine_->GetTimerManager()->GetFrameTime();
    if (ballsInPlay)
        countdown_ -= frame * scale;
    lives_ = lives;
    if (endLevelTimer_ > 0.0f && scale > kFullScale) {
        endLevelTimer_ -= frame * scale;
        if (endLevelTimer_ <= 0.0f)
            DropEndLevelHammer();
    }
    for (std::size_t i = 0; i < bonuses_.size();) {
        Bonus& bonus = *bonuses_[i];
        bonus.Update(scale);
        if (bonus.IsActive()) {
            ++i;
            continue;
        }
        Model* model = bonus.DetachModel();
        model->ClearFlags(Model::kVisible);
        ReturnModel(bonus.GetKind(), model);
        bonuses_.erase(bonuses_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void BonusManager::OnBrickDestroyed(const Vector3& point)
{
    if (countdown_ >= 0.0f) {
        countdown_ -= countdown_ * kCountdownShrink;
        return;
    }
    DropBonus(point, kRandom);
    countdown_ = RandomFloat(8.0f, 12.0f);
}

void BonusManager::DropBonus(const Vector3& point, u32 kind)
{
    if (kind >= kKindCount) {
        const u32 lifeWeight =
            lives_ == 0 ? kLifeWeightNoLives : (lives_ == 1 ? kLifeWeightOneLife : kLifeWeightMoreLives);
        selecter_->SetWeight(kLife, lifeWeight);
        kind = selecter_->Select();
    }
    const KindRecord& record = kKinds[kind];
    const Vector4 colour(record.red / 255.0f, record.green / 255.0f, record.blue / 255.0f, 1.0f);
    bonuses_.push_back(
        std::make_unique<Bonus>(engine_, data_, kind, TakeCachedModel(kind), record.name, flares_, kFlareSize, colour));
    bonuses_.back()->Start(Vector2(point.x, point.y));
    if (sounds_ != nullptr)
        sounds_->PlaySound(kSoundBonusCreation);
}

void BonusManager::ArmEndLevelBonus()
{
    if (endLevelArmed_ == 0)
        return;
    endLevelArmed_ = 0;
    endLevelTimer_ = kEndLevelDelay;
}

void BonusManager::CatchBonus(u32 index)
{
    if (index < bonuses_.size())
        bonuses_[index]->Catch();
}

std::string BonusManager::GetKindName(u32 kind) { return kind < kKindCount ? kKinds[kind].name : ""; }

Model* BonusManager::TakeCachedModel(u32 kind)
{
    for (u32 slot = 2 * kind; slot < 2 * kind + 2; ++slot) {
        if (modelCache_[slot] != nullptr) {
            Model* model = modelCache_[slot];
            modelCache_[slot] = nullptr;
            return model;
        }
    }
    return nullptr;
}

void BonusManager::ReturnModel(u32 kind, Model* model)
{
    for (u32 slot = 2 * kind; slot < 2 * kind + 2; ++slot) {
        if (modelCache_[slot] == nullptr) {
            modelCache_[slot] = model;
            return;
        }
    }
    engine_->GetModelManager()->DestroyModel(model);
}

// Because the game logic re-arms every frame while few bricks are left, a
// hammer falls every 8.5 s of full-speed play from then on.
void BonusManager::DropEndLevelHammer()
{
    endLevelArmed_ = 1;
    DropBonus(Vector3(0.0f, 0.0f, 0.0f), kHammer);
    ParticleSystem* effect = engine_->GetParticleSystemManager()->CopyParticleSystem(
        *data_->GetParticleSystem("bonuses/end_level_creation"));
    effect->looping = false;
    const Vector3 place(0.0f, 0.0f, kEffectHeight);
    effect->SetPosition(place);
    Model* model = effect->GetModel();
    model->SetFlags(Model::kFixedDepth);
    model->depth = kEffectDepth - kEffectDepthPerUnit * (place - model->GetCamera()->position).Length();
    effects_->StartEffect(effect);
}

} // namespace Tamrisk
