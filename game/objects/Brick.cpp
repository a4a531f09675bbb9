#include "game/objects/Brick.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "framework/logic/ScoreKeeper.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/level/Shadow.h"
#include "game/objects/BonusManager.h"
#include "game_tools/XMLQuery.h"

#include <algorithm>

namespace Tamrisk {

using Halvard::u32;

namespace {

// A shadow an invisible brick casts, darker than an object's.
constexpr float kInvisibleShadowAlpha = 0.5f;

// The three simple-crash sounds take turns over the whole program, from one
// level to the next.
u32 simpleCrashTurn = 0;

} // namespace

Brick::Brick(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record,
             GameFramework::SoundSet* sounds, GameFramework::ScoreKeeper* scores, BonusManager* bonuses)
    : Block(context, description, record)
    , sounds_(sounds)
    , scores_(scores)
    , bonuses_(bonuses)
{
    const int strength = GameTools::GetXMLInt(description, "strength", 1);
    if (strength <= 0) {
        kindFlags_ = kUnbreakable;
        strength_ = kUnbreakableStrength;
    } else {
        kindFlags_ = strength == 1 ? kSimpleBrick : kHard;
        strength_ = static_cast<u32>(strength);
    }
    if (GameTools::GetXMLBool(description, "invisible", false)) {
        kindFlags_ |= kInvisible;
        model_->ClearFlags(Halvard::Model::kVisible);
        shadow_->SetVisible(false);
        shadow_->SetAlpha(kInvisibleShadowAlpha);
    }
    if (GameTools::GetXMLBool(description, "explosive", false)) {
        kindFlags_ |= kExplosive;
        currentDestruction_ = CopyEffect("blocks/explosive_destruction");
    }
}

void Brick::Update(u32 frameA, u32 frameB, float t) { Block::Update(frameA, frameB, t); }

void Brick::Destroy(u32 kind, bool spread)
{
    if (!IsAlive())
        return;
    const bool simpleBall = kind != kSuper;
    if (simpleBall && (kindFlags_ & (kUnbreakable | kHard)) != 0) {
        --strength_;
        if (strength_ != 0) {
            if ((kindFlags_ & kHard) != 0) {
                ShowDamage();
                AddPoints(kScoreHardHit);
            }
            if (Falls())
                Fall();
            PlaySound((kindFlags_ & kHard) != 0 ? kSoundHitHardBrick : kSoundHitUnbreakableBrick);
            return;
        }
    }
    Break();
    if ((kindFlags_ & kExplosive) != 0)
        Block::Destroy(kSuper, true);
    else
        Block::Destroy(kind, spread);
}

void Brick::Break()
{
    if (bonuses_ != nullptr)
        bonuses_->OnBrickDestroyed(GetBox().GetCenter());
    if ((kindFlags_ & kExplosive) != 0) {
        AddPoints(kScoreExplosiveCrash);
        PlaySound(kSoundCrashExplosiveBrick);
    } else if ((kindFlags_ & kHard) != 0) {
        AddPoints(kScoreHardCrash);
        PlaySound(kSoundCrashHardBrick);
    } else if ((kindFlags_ & kUnbreakable) != 0) {
        AddPoints(kScoreUnbreakableCrash);
        PlaySound(kSoundCrashUnbreakableBrick);
    } else {
        AddPoints(kScoreSimpleCrash);
        PlaySound(kSoundCrashSimpleBrick0 + simpleCrashTurn);
        simpleCrashTurn = (simpleCrashTurn + 1) % 3;
    }
}

// The texture's frames show the brick more damaged with each hit; a strength
// beyond the frames shows the first.
void Brick::ShowDamage()
{
    Halvard::ShaderUser* shader = model_->GetShaderUser();
    if (shader == nullptr || shader->GetStageCount() == 0)
        return;
    Halvard::AnimationControl& animation = shader->GetAnimation(0);
    const u32 frames = animation.GetFrameCount();
    const u32 frame = frames > strength_ ? frames - strength_ : 0;
    animation.time = static_cast<float>(frames == 0 ? 0 : std::min(frame, frames - 1));
}

void Brick::PlaySound(u32 id) const
{
    if (sounds_ != nullptr)
        sounds_->PlaySound(id);
}

void Brick::AddPoints(ScoreKind kind) const
{
    if (scores_ != nullptr)
        scores_->AddPoints(kind, 1);
}

} // namespace Tamrisk
